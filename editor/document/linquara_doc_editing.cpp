// The document's editing commands: new, edit, delete, and adding members to
// a group. Each works on a copy of the current snapshot and becomes one step
// only when something changed.
#include "document/document_prompt.h"
#include "document/entry_editor.h"
#include "document/linquara_doc.h"
#include "document/linquara_doc_editing_kinds.h"
#include "text/editor_text.h"

AdrIdMode CLinquaraDoc::MachineIdMode() const {
    return m_settings.Config().speedDialAssignment == 1 ? AdrIdFirstGap : AdrIdAfterLast;
}

AdrIdMode CLinquaraDoc::IdModeOf(quint32 kind) const {
    return (kind & AdrPartPcFax) ? AdrIdFirstGap : MachineIdMode();
}

void CLinquaraDoc::SetModifiedFor(quint32 kind) {
    if (kind & AdrPartPcFax)
        SetPcFaxModified(true);
    else
        SetMachineModified(true);
}

void CLinquaraDoc::ShowMaxDataExceeded() {
    m_prompt.message(lqa::loadText(lqa::ids::MsgMaxDataExceeded), PromptButtons::Ok, PromptIcon::Warning);
}

void CLinquaraDoc::OnNewEntry(quint32 kind) {
    const BusyScope busy(*this);
    const CAdrData *current = GetData();
    if (!m_editor || !current) return;
    const quint16 id = current->FindFreeID(kind, IdModeOf(kind));
    if (id == AdrNoFreeId) {
        ShowMaxDataExceeded();
        return;
    }
    auto fresh = [id]<class Entry>() {
        Entry entry;
        entry.SetID(id);
        return entry;
    };
    switch (kind) {
    case AdrKindAioFax: EditMember(fresh.operator()<CAdrMemberAioFax>(), true); break;
    case AdrKindAioEmail: EditMember(fresh.operator()<CAdrMemberAioEmail>(), true); break;
    case AdrKindPcFax: EditMember(fresh.operator()<CAdrMemberPcFax>(), true); break;
    case AdrKindServer: EditServer(fresh.operator()<CAdrMemberAioServer>(), true); break;
    case AdrKindAioFaxGroup: EditGroup(fresh.operator()<CAdrGroupAioFax>(), true); break;
    case AdrKindAioEmailGroup: EditGroup(fresh.operator()<CAdrGroupAioEmail>(), true); break;
    case AdrKindPcFaxGroup: EditGroup(fresh.operator()<CAdrGroupPcFax>(), true); break;
    default: break;
    }
}

void CLinquaraDoc::OnEdit(quint32 rowCode) {
    const BusyScope busy(*this);
    const CAdrData *current = GetData();
    if (!m_editor || !current) return;
    const quint16 id = AdrRowId(rowCode);
    auto stored = [&]<class Entry>(auto &&edit) {
        if (const Entry *entry = current->Map<Entry>().Lookup(id)) edit(*entry);
    };
    switch (AdrRowKind(rowCode)) {
    case AdrKindAioFax: stored.operator()<CAdrMemberAioFax>([&](const auto &e) { EditMember(e, false); }); break;
    case AdrKindAioEmail: stored.operator()<CAdrMemberAioEmail>([&](const auto &e) { EditMember(e, false); }); break;
    case AdrKindPcFax: stored.operator()<CAdrMemberPcFax>([&](const auto &e) { EditMember(e, false); }); break;
    case AdrKindServer: stored.operator()<CAdrMemberAioServer>([&](const auto &e) { EditServer(e, false); }); break;
    case AdrKindAioFaxGroup: stored.operator()<CAdrGroupAioFax>([&](const auto &g) { EditGroup(g, false); }); break;
    case AdrKindAioEmailGroup:
        stored.operator()<CAdrGroupAioEmail>([&](const auto &g) { EditGroup(g, false); });
        break;
    case AdrKindPcFaxGroup: stored.operator()<CAdrGroupPcFax>([&](const auto &g) { EditGroup(g, false); }); break;
    default: break;
    }
}

namespace {

// Asks the editor for a member's values and the groups chosen for it; the
// email dialog has no group choice, so its groups stay as they were.
bool askMember(EntryEditor &editor, CAdrMemberAioFax &entry, QList<quint16> &groups, const CAdrData &data) {
    return editor.EditAioFax(entry, groups, data);
}
bool askMember(EntryEditor &editor, CAdrMemberPcFax &entry, QList<quint16> &groups, const CAdrData &data) {
    return editor.EditPcFax(entry, groups, data);
}
bool askMember(EntryEditor &editor, CAdrMemberAioEmail &entry, QList<quint16> &, const CAdrData &data) {
    return editor.EditAioEmail(entry, data);
}

bool askGroup(EntryEditor &editor, CAdrGroupAioFax &group, const CAdrData &data) {
    return editor.EditAioFaxGroup(group, data);
}
bool askGroup(EntryEditor &editor, CAdrGroupAioEmail &group, const CAdrData &data) {
    return editor.EditAioEmailGroup(group, data);
}
bool askGroup(EntryEditor &editor, CAdrGroupPcFax &group, const CAdrData &data) {
    return editor.EditPcFaxGroup(group, data);
}

}  // namespace

template <class Member>
void CLinquaraDoc::EditMember(Member entry, bool isNew) {
    using Group = typename AdrGroupOf<Member>::type;
    CAdrData working;
    m_history.CopyCurrent(&working);
    const Member before = entry;
    const QList<quint16> holding = isNew ? QList<quint16>{} : AdrGroupsHolding<Group>(working, before.GetID());
    QList<quint16> chosen = holding;
    if (!askMember(*m_editor, entry, chosen, working)) return;
    // A new entry is a change even when accepted as it came.
    if (!isNew && entry.IsEqual(&before) && chosen == holding) return;

    if (!m_history.Begin()) return;
    AdrTouch(entry);
    m_history.Store(entry);
    ApplyMembership<Member>(entry.GetID(), chosen);
    // Machine members live under their speed dial or address number: the old
    // number goes, and the groups that held it lose it.
    constexpr bool machineMember = Member::kKind != AdrKindPcFax;
    if (machineMember && !isNew && entry.GetID() != before.GetID()) m_history.Delete(Member::kKind, before.GetID());
    SetModifiedFor(Member::kKind);
    CommitStep(false);
}

template <class Member>
void CLinquaraDoc::ApplyMembership(quint16 memberId, const QList<quint16> &chosen) {
    using Group = typename AdrGroupOf<Member>::type;
    QList<Group> changed;
    m_history.GetWorking()->Map<Group>().ForEach([&](const Group &group) {
        Group updated = group;
        updated.RemoveMember(memberId);
        // A full group refuses the member silently; the dialog warned already.
        if (chosen.contains(group.GetID())) updated.AddMember(memberId);
        if (!updated.IsEqual(&group)) changed.append(updated);
    });
    for (Group &group : changed) {
        AdrTouch(group);
        m_history.Store(group);
    }
}

template <class Group>
void CLinquaraDoc::EditGroup(Group group, bool isNew) {
    using Member = typename AdrMemberOf<Group>::type;
    CAdrData working;
    m_history.CopyCurrent(&working);
    const Group before = group;
    if (!askGroup(*m_editor, group, working)) return;
    if (!isNew && group.IsEqual(&before)) return;

    if (!m_history.Begin()) return;
    AdrTouch(group);
    m_history.Store(group);
    // Members that joined or left carry the change mark as well.
    for (quint16 id = 1; id <= Group::kMaxMemberId; ++id) {
        if (group.HasMember(id) == before.HasMember(id)) continue;
        if (const Member *member = m_history.GetWorking()->template Map<Member>().Lookup(id)) m_history.Store(*member);
    }
    constexpr bool machineGroup = Group::kKind != AdrKindPcFaxGroup;
    if (machineGroup && !isNew && group.GetID() != before.GetID()) m_history.Delete(Group::kKind, before.GetID());
    SetModifiedFor(Group::kKind);
    CommitStep(false);
}

void CLinquaraDoc::EditServer(CAdrMemberAioServer entry, bool isNew) {
    CAdrData working;
    m_history.CopyCurrent(&working);
    const CAdrMemberAioServer before = entry;
    ServerShareSettings share;
    CAdrMemberAioServer stored;
    if (!isNew) working.CopyOutServer(before.GetID(), &stored, &share.record);
    share.scanUser = m_sharedFolder.ScanUser();
    const CAdrShareData recordBefore = share.record;
    const bool accepted = m_editor->EditServer(entry, share, working);
    if (share.scanUserDeleted) {
        // The account is gone whatever became of the edit; the file keeps
        // that even when the book is never saved, so that no later recovery
        // of a share makes the account again.
        m_sharedFolder.ScanUser() = share.scanUser;
        m_sharedFolder.SaveFile(m_history.GetShareRecords());
    }
    if (!accepted) return;
    if (!isNew && entry.IsEqual(&before) && share.record.IsEqual(&recordBefore)) return;

    if (!m_history.Begin()) return;
    m_history.StoreServer(entry, share.record.serverId != 0 ? &share.record : nullptr);
    m_sharedFolder.ScanUser() = share.scanUser;
    SetModifiedFor(AdrKindServer);
    CommitStep(false);
}

QList<quint32> CLinquaraDoc::OnDelete(const QList<quint32> &rowCodes) {
    const BusyScope busy(*this);
    if (rowCodes.isEmpty() || !GetData()) return {};
    if (m_prompt.message(lqa::loadText(lqa::ids::MsgDeleteSelected), PromptButtons::OkCancel,
                         PromptIcon::Question) != PromptAnswer::Ok)
        return {};
    if (!m_history.Begin()) return {};
    QList<quint32> deleted;
    for (quint32 code : rowCodes) {
        const quint32 kind = AdrRowKind(code);
        const quint16 id = AdrRowId(code);
        const CAdrHistory::ServerShare share =
            kind == AdrKindServer ? AskServerShare(id) : CAdrHistory::ServerShare::Unshare;
        if (!m_history.Delete(kind, id, share)) continue;
        deleted.append(code);
        SetModifiedFor(kind);
    }
    CommitStep(false);
    return deleted;
}

CAdrHistory::ServerShare CLinquaraDoc::AskServerShare(quint16 serverId) {
    const CAdrShareData *record = m_history.GetWorking()->ShareData().Lookup(serverId);
    if (!m_history.GetWorking()->Map<CAdrMemberAioServer>().Lookup(serverId) || !record || record->serverId == 0 ||
        record->isShared != 1)
        return CAdrHistory::ServerShare::Unshare;
    const QString text = lqa::formatText(lqa::ids::MsgDeleteSharedServer, {record->localFolder, record->shareName});
    switch (m_prompt.message(text, PromptButtons::YesNoCancel, PromptIcon::Warning)) {
    case PromptAnswer::Yes: return CAdrHistory::ServerShare::Unshare;
    case PromptAnswer::No: return CAdrHistory::ServerShare::KeepShared;
    default: return CAdrHistory::ServerShare::KeepServer;
    }
}

bool CLinquaraDoc::AddMembers(quint32 groupKind, quint16 groupId, const QList<quint16> &memberIds) {
    const BusyScope busy(*this);
    switch (groupKind) {
    case AdrKindAioFaxGroup: return AddGroupMembers<CAdrGroupAioFax>(groupId, memberIds);
    case AdrKindAioEmailGroup: return AddGroupMembers<CAdrGroupAioEmail>(groupId, memberIds);
    case AdrKindPcFaxGroup: return AddGroupMembers<CAdrGroupPcFax>(groupId, memberIds);
    default: return true;
    }
}

template <class Group>
bool CLinquaraDoc::AddGroupMembers(quint16 groupId, const QList<quint16> &memberIds) {
    using Member = typename AdrMemberOf<Group>::type;
    const CAdrData *current = GetData();
    const Group *stored = current ? current->Map<Group>().Lookup(groupId) : nullptr;
    if (!stored) return true;
    // Only members that exist and are new to the group count, each once.
    QList<quint16> joining;
    for (quint16 id : memberIds) {
        if (stored->HasMember(id) || joining.contains(id) || !current->Map<Member>().Lookup(id)) continue;
        joining.append(id);
    }
    if (joining.isEmpty()) return true;
    if (stored->GetFreeMemberCount() < joining.size()) {
        const int text = joining.size() == 1 ? lqa::ids::MsgCannotAddMember : lqa::ids::MsgMaxDataExceeded;
        m_prompt.message(lqa::loadText(text), PromptButtons::Ok, PromptIcon::Warning);
        return false;
    }
    if (!m_history.Begin()) return false;
    Group group = *stored;
    for (quint16 id : joining) {
        group.AddMember(id);
        m_history.Store(*m_history.GetWorking()->template Map<Member>().Lookup(id));
    }
    AdrTouch(group);
    m_history.Store(group);
    SetModifiedFor(Group::kKind);
    CommitStep(false);
    return true;
}
