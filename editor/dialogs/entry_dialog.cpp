#include "dialogs/entry_dialog.h"

#include "dialogs/field_rules.h"
#include "text/editor_text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QString idText(quint16 id, int digits) { return QStringLiteral("%1").arg(id, digits, 10, QLatin1Char('0')); }

const char *iconName(int iconNumber) {
    switch (iconNumber) {
    case 131: return "computer";
    case 132: return "mail-message";
    case 133: return "printer";
    case 135: return "network-server";
    default: return "";
    }
}

}  // namespace

QString FieldText(const QWidget *field) {
    if (const auto *line = qobject_cast<const QLineEdit *>(field)) return line->text();
    if (const auto *note = qobject_cast<const QPlainTextEdit *>(field)) return note->toPlainText();
    return {};
}

CDlgEntry::Rule PrintableRule(int nameTextId) {
    return [nameTextId](const QString &text) {
        return CheckCharacters(text, {}, CharPrintable) ? QString()
                                                        : CharacterErrorText(nameTextId, lqa::ids::RulePrintable);
    };
}

CDlgEntry::Rule FaxNumberRule(int nameTextId) {
    return [nameTextId](const QString &text) {
        return CheckCharacters(text, QStringLiteral("*#:=-"), CharDigits)
                   ? QString()
                   : CharacterErrorText(nameTextId, lqa::ids::RuleFaxNumber);
    };
}

CDlgEntry::Rule NoControlCharactersRule(int nameTextId, const QString &allowed) {
    return [nameTextId, allowed](const QString &text) {
        return CheckCharacters(text, allowed, CharNoControl)
                   ? QString()
                   : CharacterErrorText(nameTextId, lqa::ids::RuleNoControlCharacters);
    };
}

CDlgEntry::CDlgEntry(DocumentPrompt &prompt, int helpTopic, int titleTextId, QWidget *parent)
    : QDialog(parent), m_prompt(prompt), m_titleTextId(titleTextId), m_form(new QFormLayout), m_body(new QVBoxLayout) {
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgEntry::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this, helpTopic] { emit helpRequested(helpTopic); });
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addLayout(m_body);
    layout->addWidget(buttons);
}

void CDlgEntry::AddRow(int captionTextId, QWidget *field, QWidget *buddy) {
    auto *label = new QLabel(lqa::loadText(captionTextId));
    label->setBuddy(buddy ? buddy : field);
    m_form->addRow(label, field);
}

void CDlgEntry::AddIdRow(const IdRow &row) {
    m_initialId = row.id;
    m_maxId = row.maxId;
    m_initialIdText = idText(row.id, row.digits);
    m_idField = new CDlgCtrlEdit(row.maxChars, CDlgCtrlEdit::DigitsOnly);
    m_idField->setText(m_initialIdText);
    m_idField->setEnabled(false);
    m_idField->setMaximumWidth(m_idField->fontMetrics().horizontalAdvance(QString(row.maxChars + 3, u'0')) + 12);
    m_specifyId = new QCheckBox(lqa::loadText(lqa::ids::LabelSpecifyId));
    connect(m_specifyId, &QCheckBox::toggled, this, &CDlgEntry::SpecifyIdToggled);
    connect(m_idField, &QLineEdit::textChanged, this, &CDlgEntry::UpdateTitle);

    auto *line = new QWidget;
    auto *layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_idField);
    layout->addWidget(m_specifyId);
    layout->addStretch();
    AddRow(row.captionTextId, line, m_idField);
    AddCheck(m_idField, row.nameTextId, true, {});
}

CDlgCtrlEdit *CDlgEntry::AddTextRow(int captionTextId, int maxChars, const QString &text) {
    auto *field = new CDlgCtrlEdit(maxChars);
    field->setText(text);
    AddRow(captionTextId, field);
    return field;
}

CDlgCtrlEdit *CDlgEntry::AddNameRow(int captionTextId, int maxChars, const QString &text) {
    m_nameField = AddTextRow(captionTextId, maxChars, text);
    connect(m_nameField, &QLineEdit::textChanged, this, &CDlgEntry::UpdateTitle);
    UpdateTitle();
    return m_nameField;
}

void CDlgEntry::AddCheck(QWidget *field, int nameTextId, bool required, Rule rule) {
    m_checks.push_back({field, nameTextId, required, std::move(rule)});
}

void CDlgEntry::SetEntryIcon(int iconNumber) { setWindowIcon(QIcon::fromTheme(QString::fromLatin1(iconName(iconNumber)))); }

quint16 CDlgEntry::EnteredId() const {
    if (!m_idField) return m_initialId;
    // Digits only: an empty or oversized text reads as 0, which no range holds.
    bool ok = false;
    const uint id = m_idField->text().toUInt(&ok);
    return ok && id <= 0xFFFF ? static_cast<quint16>(id) : 0;
}

QString CDlgEntry::NameText() const { return m_nameField ? m_nameField->text() : QString(); }

bool CDlgEntry::IdTaken(quint16) const { return false; }

void CDlgEntry::UpdateTitle() {
    const int id = m_idField ? m_idField->text().toInt() : m_initialId;
    setWindowTitle(FormatTitle(lqa::loadText(m_titleTextId), id, NameText()));
}

void CDlgEntry::SpecifyIdToggled(bool on) {
    if (!on) m_idField->setText(m_initialIdText);
    m_idField->setEnabled(on);
}

PromptAnswer CDlgEntry::Ask(const QString &text, PromptButtons buttons, PromptIcon icon) {
    return m_prompt.message(text, buttons, icon);
}

void CDlgEntry::Refuse(QWidget *field, const QString &message) {
    m_prompt.message(message, PromptButtons::Ok, PromptIcon::Warning);
    field->setFocus();
    if (auto *line = qobject_cast<QLineEdit *>(field)) line->selectAll();
    if (auto *note = qobject_cast<QPlainTextEdit *>(field)) note->selectAll();
}

bool CDlgEntry::CheckFilledIn() {
    QStringList empty;
    QWidget *first = nullptr;
    for (const Check &check : m_checks) {
        if (!check.required || !FieldText(check.field).isEmpty()) continue;
        empty.append(lqa::loadText(check.nameTextId));
        if (!first) first = check.field;
    }
    if (first) Refuse(first, FillInText(empty));
    return first == nullptr;
}

bool CDlgEntry::CheckIdRange() {
    if (!m_idField) return true;
    const quint16 id = EnteredId();
    if (id >= 1 && id <= m_maxId) return true;
    Refuse(m_idField, RangeErrorText(m_maxId));
    return false;
}

bool CDlgEntry::CheckRules() {
    for (const Check &check : m_checks) {
        if (!check.rule) continue;
        const QString message = check.rule(FieldText(check.field));
        if (message.isEmpty()) continue;
        Refuse(check.field, message);
        return false;
    }
    return true;
}

void CDlgEntry::accept() {
    if (!CheckFilledIn() || !CheckIdRange() || !CheckRules() || !ConfirmBeforeOverwrite()) return;
    // Asked before anything is written, so that declining leaves the entry
    // as it came even when the dialog is then cancelled.
    const quint16 id = EnteredId();
    if (HasIdField() && id != m_initialId && IdTaken(id)
        && Ask(lqa::loadText(lqa::ids::MsgOverwriteId), PromptButtons::OkCancel, PromptIcon::Question)
               != PromptAnswer::Ok)
        return;
    if (!ConfirmAfterOverwrite()) return;
    Commit();
    QDialog::accept();
}
