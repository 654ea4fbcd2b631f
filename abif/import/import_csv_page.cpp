#include "import/import_csv_page.h"

#include "core/library_ui.h"
#include "device/progress_dialog.h"
#include "import/import_wizard.h"
#include "l10n/library_strings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <utility>

namespace abif {

namespace {

int titleOf(int32_t destination) {
    switch (normalisedDestination(destination)) {
    case DestinationPcFax: return ids::AssignItemsPcFax;
    case DestinationEmail: return ids::AssignItemsEmail;
    default: return ids::AssignItemsFax;
    }
}

int captionOf(int field, int32_t destination) {
    switch (field) {
    case FieldName: return ids::NameLabel;
    case FieldNumber:
        return normalisedDestination(destination) == DestinationEmail ? ids::EmailAddressLabel : ids::FaxNumberLabel;
    case FieldCompany: return ids::CompanyNameLabel;
    default: return ids::NoteLabel;
    }
}

// The field's name in the message about fields still without a column.
int nameOf(int field, int32_t destination) {
    if (field == FieldName) return ids::Name;
    return normalisedDestination(destination) == DestinationEmail ? ids::EmailAddress : ids::FaxNumber;
}

}  // namespace

CImportCSVWizPage::CImportCSVWizPage(CImportWizard &wizard)
    : CL10NPropPage(ids::AssignItemsFax, ids::AssignItemsSubtitle, kHelpTopic, wizard.language()), wizard_(wizard),
      columns_(new QListWidget(this)), firstRowIsTitle_(new QCheckBox(text(ids::FirstRowIsTitle), this)) {
    auto *layout = new QGridLayout(this);
    auto *columnsCaption = new QLabel(text(ids::SelectItemsToImport), this);
    columnsCaption->setBuddy(columns_);
    columns_->setObjectName(QStringLiteral("columns"));
    firstRowIsTitle_->setObjectName(QStringLiteral("firstRowIsTitle"));
    layout->addWidget(columnsCaption, 0, 0, 1, 3);
    layout->addWidget(columns_, 1, 0, 1, 3);
    layout->addWidget(firstRowIsTitle_, 2, 0, 1, 3);
    for (int field = 0; field < kImportFieldCount; ++field) {
        FieldRow &row = rows_[static_cast<size_t>(field)];
        row.caption = new QLabel(this);
        row.button = new QPushButton(this);
        row.button->setObjectName(QStringLiteral("assign%1").arg(field));
        row.column = new QLineEdit(this);
        row.column->setObjectName(QStringLiteral("column%1").arg(field));
        row.column->setReadOnly(true);
        row.caption->setBuddy(row.button);
        layout->addWidget(row.caption, 3 + field, 0);
        layout->addWidget(row.button, 3 + field, 1);
        layout->addWidget(row.column, 3 + field, 2);
        connect(row.button, &QPushButton::clicked, this, [this, field] { fieldButtonClicked(field); });
    }
    layout->setColumnStretch(2, 1);
}

int CImportCSVWizPage::nextId() const { return CImportWizard::PageConfirmation; }

void CImportCSVWizPage::initializePage() {
    ImportWizardState &state = wizard_.state();
    setTitle(text(titleOf(state.destination)));
    const int shown = importFieldCount(state.destination);
    for (int field = 0; field < kImportFieldCount; ++field) {
        const FieldRow &row = rows_[static_cast<size_t>(field)];
        row.caption->setText(text(captionOf(field, state.destination)));
        for (QWidget *widget : {static_cast<QWidget *>(row.caption), static_cast<QWidget *>(row.button),
                                static_cast<QWidget *>(row.column)})
            widget->setVisible(field < shown);
    }
    const Visit visit{state.source, state.path, normalisedDestination(state.destination)};
    if (lastVisit_ != visit) mapping_.clear();
    lastVisit_ = visit;
    if (std::exchange(state.headerNeedsReading, false)) {
        QStringList header;
        if (const int32_t result = ReadCsvFirstLine(state.path, header); result != ABIF_OK) {
            wizard_.endWithFailure(result);
            return;
        }
        // Columns of a file that changed meanwhile may no longer mean the same.
        if (header != header_) mapping_.clear();
        fillColumns(header);
        // The file may have changed since it was read: read it again.
        lastReading_.reset();
    }
    showAssignments();
}

void CImportCSVWizPage::fillColumns(const QStringList &header) {
    header_ = header;
    columns_->clear();
    for (const QString &cell : header) columns_->addItem(singleLine(cell));
    if (columns_->count() > 0) columns_->setCurrentRow(0);
}

void CImportCSVWizPage::fieldButtonClicked(int field) {
    mapping_.toggle(field, columns_->currentRow());
    showAssignments();
}

void CImportCSVWizPage::showAssignments() {
    for (int field = 0; field < kImportFieldCount; ++field) {
        const FieldRow &row = rows_[static_cast<size_t>(field)];
        const bool assigned = mapping_.isAssigned(field);
        row.button->setText(text(assigned ? ids::Cancel : ids::Assign));
        row.column->setText(assigned ? singleLine(header_.value(mapping_.column(field))) : QString());
    }
}

QString CImportCSVWizPage::missingFieldsMessage(const QList<int> &missing) const {
    QString message = text(ids::AssignFor);
    for (int field : missing) message += text(nameOf(field, wizard_.state().destination)) + u'\n';
    return message;
}

void CImportCSVWizPage::showMessage(const QString &message) const {
    libraryUi().message(message, MessageButtons::Ok, MessageIcon::Warning);
}

int32_t CImportCSVWizPage::readRows(const CsvReading &reading) {
    ProgressOptions options;
    options.showPercentage = false;
    options.showEstimate = false;
    int32_t result = ABIF_E_CANCEL;
    CAbifData &parsed = wizard_.state().parsed;
    runWithProgress(options, [&](ProgressControl &control) {
        control.setMessage(ids::Reading);
        // The number of rows is not known before the end: the bar just moves.
        control.setRange(0);
        result = ReadCsvAll(reading, parsed, [&control] { return control.cancelRequested(); });
    });
    return result;
}

bool CImportCSVWizPage::validatePage() {
    if (const QList<int> missing = mapping_.missingRequired(); !missing.isEmpty()) {
        showMessage(missingFieldsMessage(missing));
        return false;
    }
    ImportWizardState &state = wizard_.state();
    const CsvReading reading{state.path, normalisedDestination(state.destination), mapping_,
                             firstRowIsTitle_->isChecked()};
    if (lastReading_ == reading) return true;
    lastReading_.reset();
    const int32_t result = readRows(reading);
    if (result == ABIF_E_CANCEL) return false;
    if (result != ABIF_OK) {
        showMessage(text(ids::CsvUnreadable));
        return false;
    }
    lastReading_ = reading;
    state.result.clearAll();
    state.chosenCount = 0;
    state.marks.assign(static_cast<size_t>(withDestinationRecord(state.destination, [&](auto kind) {
                           return state.parsed.array<decltype(kind)>().count();
                       })),
                       0);
    return true;
}

}  // namespace abif
