#include "dialogs/group_dialog.h"

#include "dialogs/group_confirm_dialog.h"
#include "dialogs/member_dialogs.h"
#include "text/editor_text.h"

#include <QVBoxLayout>

namespace {

using namespace lqa::ids;

constexpr int kGroupNameMax = 32;

struct BookLayout {
    int helpTopic;
    int titleTextId;
    int iconNumber;
    int idDigits;
    int idMaxChars;
    quint16 maxId;
};

BookLayout layoutOf(CDlgGroup::Book book) {
    switch (book) {
    case CDlgGroup::AioFax: return {1001, TitleAioFaxGroup, 133, 1, 1, CAdrGroupAioFax::kMaxId};
    case CDlgGroup::AioEmail: return {1003, TitleAioEmailGroup, 132, 2, 2, CAdrGroupAioEmail::kMaxId};
    case CDlgGroup::PcFax: break;
    }
    return {1007, TitlePcFaxGroup, 131, 0, 0, CAdrGroupPcFax::kMaxId};
}

QList<MembershipItem> membersOfBook(CDlgGroup::Book book, const CAdrData &data) {
    switch (book) {
    case CDlgGroup::AioFax: return MemberItems<CAdrMemberAioFax>(data);
    case CDlgGroup::AioEmail: return MemberItems<CAdrMemberAioEmail>(data);
    case CDlgGroup::PcFax: break;
    }
    return MemberItems<CAdrMemberPcFax>(data);
}

}  // namespace

CDlgGroup::CDlgGroup(CAdrGroup &group, Book book, const CAdrData &data, DocumentPrompt &prompt, QWidget *parent)
    : CDlgEntry(prompt, layoutOf(book).helpTopic, layoutOf(book).titleTextId, parent),
      m_group(group),
      m_book(book),
      m_data(data),
      m_initialMembers(group.GetMemberIDs()) {
    const BookLayout layout = layoutOf(book);
    if (book == PcFax)
        SetFixedId(group.GetID());
    else
        AddIdRow({group.GetID(), layout.idDigits, layout.idMaxChars, layout.maxId, LabelGroupId, FieldGroupId});
    AddCheck(AddNameRow(LabelGroupName, kGroupNameMax, group.GetName()), FieldGroupName, true,
             PrintableRule(FieldGroupName));
    m_memberPanel = new CDlgMembershipPanel({MembershipMode::MembersOfGroup, LabelGroupMembers,
                                             membersOfBook(book, data), m_initialMembers, group.Capacity(), QIcon()},
                                            prompt, [this] { return windowTitle(); });
    connect(m_memberPanel, &CDlgMembershipPanel::helpRequested, this, &CDlgEntry::helpRequested);
    Body()->addWidget(m_memberPanel);
    SetEntryIcon(layout.iconNumber);
    m_confirm = [this](const QString &name, const QList<MembershipItem> &members) {
        return ShowConfirmation(name, members);
    };
}

bool CDlgGroup::IdTaken(quint16 id) const {
    switch (m_book) {
    case AioFax: return m_data.Map<CAdrGroupAioFax>().Lookup(id) != nullptr;
    case AioEmail: return m_data.Map<CAdrGroupAioEmail>().Lookup(id) != nullptr;
    case PcFax: break;
    }
    return false;
}

bool CDlgGroup::ConfirmAfterOverwrite() {
    const QList<MembershipItem> members = m_memberPanel->ChosenItems();
    if (m_memberPanel->ChosenIds() == m_initialMembers) return true;
    if (members.isEmpty())
        return Ask(lqa::loadText(MsgNoMembersSelected), PromptButtons::OkCancel, PromptIcon::Information)
               == PromptAnswer::Ok;
    return m_confirm(NameText(), members);
}

bool CDlgGroup::ShowConfirmation(const QString &groupName, const QList<MembershipItem> &members) {
    CDlgGroupConfirm dialog(groupName, members, windowIcon(), this);
    connect(&dialog, &CDlgGroupConfirm::helpRequested, this, &CDlgEntry::helpRequested);
    return dialog.exec() == QDialog::Accepted;
}

void CDlgGroup::Commit() {
    if (HasIdField()) m_group.SetID(EnteredId());
    m_group.SetName(NameText());
    m_group.RemoveAllMembers();
    for (const quint16 id : m_memberPanel->ChosenIds()) m_group.AddMember(id);
}
