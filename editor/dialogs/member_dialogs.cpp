#include "dialogs/member_dialogs.h"

#include "dialogs/field_rules.h"
#include "text/editor_text.h"

#include <QVBoxLayout>

#include <utility>

namespace {

using namespace lqa::ids;

constexpr int kNameMax = 32;
constexpr int kFaxNumberMax = 50;
constexpr int kEmailAddressMax = 64;
constexpr int kCompanyMax = 64;
constexpr int kNoteMax = 254;

// Another entry than the one being edited (`editedId`) with the same name
// and the same second field.
template <class Member, class Field>
bool hasDuplicate(const CAdrData &data, quint16 editedId, const QString &name, const QString &value, Field field) {
    bool found = false;
    data.Map<Member>().ForEach([&](const Member &other) {
        found = found || (other.GetID() != editedId && other.GetName() == name && (other.*field)() == value);
    });
    return found;
}

}  // namespace

CDlgAioFaxMember::CDlgAioFaxMember(CAdrMemberAioFax &entry, QList<quint16> &groups, const CAdrData &data,
                                   DocumentPrompt &prompt, QWidget *parent)
    : CDlgEntry(prompt, kHelpTopic, TitleAioFaxMember, parent), m_entry(entry), m_groups(groups), m_data(data) {
    AddIdRow({entry.GetID(), 3, 3, CAdrMemberAioFax::kMaxId, LabelSpeedDialNumber, FieldSpeedDialNumber});
    AddCheck(AddNameRow(LabelMemberName, kNameMax, entry.GetName()), FieldName, true, PrintableRule(FieldName));
    m_fax = AddTextRow(LabelFaxNumber, kFaxNumberMax, entry.GetFaxNumber());
    AddCheck(m_fax, FieldFaxNumber, true, FaxNumberRule(FieldFaxNumber));
    m_groupPanel = new CDlgMembershipPanel({MembershipMode::GroupsOfMember, CaptionGroups,
                                            GroupItems<CAdrGroupAioFax>(data, entry.GetID()), groups,
                                            CAdrGroupAioFax::kCapacity, QIcon()},
                                           prompt, [this] { return windowTitle(); });
    connect(m_groupPanel, &CDlgMembershipPanel::helpRequested, this, &CDlgEntry::helpRequested);
    Body()->addWidget(m_groupPanel);
    SetEntryIcon(133);
}

bool CDlgAioFaxMember::IdTaken(quint16 id) const { return m_data.Map<CAdrMemberAioFax>().Lookup(id) != nullptr; }

bool CDlgAioFaxMember::ConfirmBeforeOverwrite() {
    return !hasDuplicate<CAdrMemberAioFax>(m_data, InitialId(), NameText(), m_fax->text(),
                                           &CAdrMemberAioFax::GetFaxNumber)
           || Ask(lqa::loadText(MsgDuplicateFax), PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::Yes;
}

void CDlgAioFaxMember::Commit() {
    m_entry.SetID(EnteredId());
    m_entry.SetName(NameText());
    m_entry.SetFaxNumber(m_fax->text());
    m_groups = m_groupPanel->ChosenIds();
}

CDlgAioEmailMember::CDlgAioEmailMember(CAdrMemberAioEmail &entry, const CAdrData &data, DocumentPrompt &prompt,
                                       QWidget *parent)
    : CDlgEntry(prompt, kHelpTopic, TitleAioEmailMember, parent), m_entry(entry), m_data(data) {
    AddIdRow({entry.GetID(), 3, 3, CAdrMemberAioEmail::kMaxId, LabelEmailAddressId, FieldAddressId});
    AddCheck(AddNameRow(LabelMemberName, kNameMax, entry.GetName()), FieldName, true, PrintableRule(FieldName));
    m_address = AddTextRow(LabelEmailAddress, kEmailAddressMax, entry.GetEmailAddress());
    AddCheck(m_address, FieldEmailAddress, true, [](const QString &text) {
        return CheckEmailAddress(text) ? QString() : CharacterErrorText(FieldEmailAddress, RuleEmail);
    });
    SetEntryIcon(132);
    setMinimumWidth(420);
}

bool CDlgAioEmailMember::IdTaken(quint16 id) const { return m_data.Map<CAdrMemberAioEmail>().Lookup(id) != nullptr; }

bool CDlgAioEmailMember::ConfirmBeforeOverwrite() {
    return !hasDuplicate<CAdrMemberAioEmail>(m_data, InitialId(), NameText(), m_address->text(),
                                             &CAdrMemberAioEmail::GetEmailAddress)
           || Ask(lqa::loadText(MsgDuplicateEmail), PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::Yes;
}

void CDlgAioEmailMember::Commit() {
    m_entry.SetID(EnteredId());
    m_entry.SetName(NameText());
    m_entry.SetEmailAddress(m_address->text());
}

CDlgPcFaxMember::CDlgPcFaxMember(CAdrMemberPcFax &entry, QList<quint16> &groups, const CAdrData &data,
                                 DocumentPrompt &prompt, QWidget *parent)
    : CDlgEntry(prompt, kHelpTopic, TitlePcFaxMember, parent), m_entry(entry), m_groups(groups), m_data(data) {
    SetFixedId(entry.GetID());
    AddCheck(AddNameRow(LabelPcFaxName, kNameMax, entry.GetName()), FieldName, true, PrintableRule(FieldName));
    m_fax = AddTextRow(LabelFaxNumber, kFaxNumberMax, entry.GetFaxNumber());
    AddCheck(m_fax, FieldFaxNumber, true, FaxNumberRule(FieldFaxNumber));
    m_company = AddTextRow(LabelCompany, kCompanyMax, entry.GetCompany());
    AddCheck(m_company, FieldCompany, false, NoControlCharactersRule(FieldCompany));
    m_note = new CDlgCtrlNote(kNoteMax);
    // The field would refuse a longer note whole, and OK would then save an
    // empty one.
    m_noteShortened = entry.GetNote().size() > kNoteMax;
    m_note->setPlainText(CutToLength(entry.GetNote(), kNoteMax));
    m_note->setTabChangesFocus(true);
    m_note->setFixedHeight(m_note->fontMetrics().lineSpacing() * 4 + 12);
    AddRow(LabelNote, m_note);
    // The note is the one field of several lines.
    AddCheck(m_note, FieldNote, false, NoControlCharactersRule(FieldNote, QStringLiteral("\r\n")));
    m_groupPanel = new CDlgMembershipPanel({MembershipMode::GroupsOfMember, CaptionGroups,
                                            GroupItems<CAdrGroupPcFax>(data, entry.GetID()), groups,
                                            CAdrGroupPcFax::kCapacity, QIcon()},
                                           prompt, [this] { return windowTitle(); });
    connect(m_groupPanel, &CDlgMembershipPanel::helpRequested, this, &CDlgEntry::helpRequested);
    Body()->addWidget(m_groupPanel);
    SetEntryIcon(131);
}

void CDlgPcFaxMember::showEvent(QShowEvent *event) {
    CDlgEntry::showEvent(event);
    // Told over the dialog, once it is on screen.
    if (std::exchange(m_noteShortened, false))
        QMetaObject::invokeMethod(this, [this] {
            Ask(lqa::loadText(MsgNoteShortened).arg(kNoteMax), PromptButtons::Ok, PromptIcon::Information);
        }, Qt::QueuedConnection);
}

bool CDlgPcFaxMember::ConfirmBeforeOverwrite() {
    return !hasDuplicate<CAdrMemberPcFax>(m_data, InitialId(), NameText(), m_fax->text(),
                                          &CAdrMemberPcFax::GetFaxNumber)
           || Ask(lqa::loadText(MsgDuplicateFax), PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::Yes;
}

void CDlgPcFaxMember::Commit() {
    m_entry.SetName(NameText());
    m_entry.SetFaxNumber(m_fax->text());
    m_entry.SetCompany(m_company->text());
    m_entry.SetNote(m_note->toPlainText());
    m_groups = m_groupPanel->ChosenIds();
}
