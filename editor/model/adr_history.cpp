#include "model/adr_history.h"

namespace {

// Whether `a` and `b` hold the same content in every part that `parts` names
// (kind codes of the book parts; servers with their records).
bool SameParts(const CAdrData &a, const CAdrData &b, quint32 parts) {
    const CAdrEquality equal = a.EqualPerKind(b);
    return (!(parts & AdrPartPcFax) || equal.pcFax) && (!(parts & AdrPartAioFax) || equal.aioFax) &&
           (!(parts & AdrPartAioEmail) || equal.aioEmail) && (!(parts & AdrKindServer) || equal.server) &&
           (!(parts & AdrKindSubComm) || equal.subComm);
}

template <class Entry>
void ClearMarksOf(CAdrMap<Entry> &map) {
    for (quint16 id = 1; id <= Entry::kMaxId; ++id) {
        const Entry *entry = map.Lookup(id);
        if (!entry || entry->GetChangeMark() == 0) continue;
        Entry cleared(*entry);
        cleared.SetChangeMark(0);
        map.SetAt(cleared);
    }
}

}  // namespace

const CAdrData *CAdrHistory::GetCurrent() const {
    return m_current < 0 ? nullptr : &m_snapshots[static_cast<size_t>(m_current)];
}

const CTblMap *CAdrHistory::GetCurrentTable() const {
    return m_current < 0 ? nullptr : &m_tables[static_cast<size_t>(m_current)];
}

bool CAdrHistory::CopyCurrent(CAdrData *target) const {
    if (!target) return false;
    const CAdrData *current = GetCurrent();
    *target = current ? *current : CAdrData{};
    return true;
}

bool CAdrHistory::Begin() {
    if (m_working) return false;
    m_working.emplace();
    CopyCurrent(&*m_working);
    const CTblMap *table = GetCurrentTable();
    m_workingTable = table ? *table : CTblMap{};
    m_stepState = 1;
    m_replaceFlags = 0;
    return true;
}

bool CAdrHistory::StoreServer(const CAdrMemberAioServer &server, const CAdrShareData *record) {
    if (!m_working) return false;
    m_working->StoreServerCopy(Marked(server), record);
    ++m_stepState;
    return true;
}

template <class Member, class Group>
bool CAdrHistory::DeleteMember(quint16 id) {
    CAdrData &data = *m_working;
    if (!data.Map<Member>().Lookup(id)) return false;
    QList<quint16> holding;
    data.Map<Group>().ForEach([&](const Group &g) {
        if (g.HasMember(id)) holding.append(g.GetID());
    });
    for (quint16 groupId : holding) {
        Group changed = Marked(*data.Map<Group>().Lookup(groupId));
        changed.RemoveMember(id);
        data.StoreCopy(changed);
    }
    data.Remove(Member::kKind, id);
    return true;
}

template <class Group, class Member>
bool CAdrHistory::DeleteGroup(quint16 id) {
    CAdrData &data = *m_working;
    const Group *group = data.Map<Group>().Lookup(id);
    if (!group) return false;
    for (quint16 memberId : group->GetMemberIDs()) {
        if (const Member *member = data.Map<Member>().Lookup(memberId)) data.StoreCopy(Marked(*member));
    }
    data.Remove(Group::kKind, id);
    return true;
}

bool CAdrHistory::DeleteServer(quint16 id, ServerShare share) {
    CAdrData &data = *m_working;
    if (share == ServerShare::KeepServer || !data.Map<CAdrMemberAioServer>().Lookup(id)) return false;
    const CAdrShareData *record = data.ShareData().Lookup(id);
    if (share == ServerShare::KeepShared && record && record->isShared == 1) {
        m_workingTable.AddKeptRecord(record->recordId);
    }
    data.Remove(AdrKindServer, id);
    return true;
}

bool CAdrHistory::Delete(quint32 kind, quint16 id, ServerShare share) {
    if (!m_working) return false;
    bool removed = false;
    switch (kind) {
    case AdrKindAioFax: removed = DeleteMember<CAdrMemberAioFax, CAdrGroupAioFax>(id); break;
    case AdrKindAioEmail: removed = DeleteMember<CAdrMemberAioEmail, CAdrGroupAioEmail>(id); break;
    case AdrKindPcFax: removed = DeleteMember<CAdrMemberPcFax, CAdrGroupPcFax>(id); break;
    case AdrKindAioFaxGroup: removed = DeleteGroup<CAdrGroupAioFax, CAdrMemberAioFax>(id); break;
    case AdrKindAioEmailGroup: removed = DeleteGroup<CAdrGroupAioEmail, CAdrMemberAioEmail>(id); break;
    case AdrKindPcFaxGroup: removed = DeleteGroup<CAdrGroupPcFax, CAdrMemberPcFax>(id); break;
    case AdrKindServer: removed = DeleteServer(id, share); break;
    default: break;
    }
    if (removed) ++m_stepState;
    return removed;
}

bool CAdrHistory::ClearKind(quint32 kinds) {
    if (!m_working) return false;
    m_working->ClearKind(kinds);
    ++m_stepState;
    return true;
}

quint32 CAdrHistory::KindsOfParts(quint16 parts) {
    if (parts == kAllKinds) return AdrKindsAll;
    quint32 kinds = 0;
    if (parts & kPartPcFax) kinds |= AdrPartPcFax;
    if (parts & kPartAioFax) kinds |= AdrPartAioFax;
    if (parts & kPartAioEmail) kinds |= AdrPartAioEmail;
    if (parts & kPartServer) kinds |= AdrKindServer;
    if (parts & kPartsMachine) kinds |= AdrKindSubComm;
    return kinds;
}

void CAdrHistory::ClearMarks(quint32 kinds) {
    CAdrData &data = *m_working;
    if (kinds & AdrKindAioFax) ClearMarksOf(data.Map<CAdrMemberAioFax>());
    if (kinds & AdrKindAioEmail) ClearMarksOf(data.Map<CAdrMemberAioEmail>());
    if (kinds & AdrKindServer) ClearMarksOf(data.Map<CAdrMemberAioServer>());
    if (kinds & AdrKindPcFax) ClearMarksOf(data.Map<CAdrMemberPcFax>());
    if (kinds & AdrKindAioFaxGroup) ClearMarksOf(data.Map<CAdrGroupAioFax>());
    if (kinds & AdrKindAioEmailGroup) ClearMarksOf(data.Map<CAdrGroupAioEmail>());
    if (kinds & AdrKindPcFaxGroup) ClearMarksOf(data.Map<CAdrGroupPcFax>());
}

bool CAdrHistory::BringIn(quint16 parts, BringInMode mode, const CAdrData &source) {
    if (!m_working) return false;
    m_working->CopyKinds(source, KindsOfParts(parts));
    if (mode == BringInMarkDifferences) {
        CAdrData current;  // empty for the first step: everything is new
        CopyCurrent(&current);
        m_working->MarkDifferences(current);
    } else if (mode == BringInClearMarks) {
        // Only the parts named bit by bit: 0x700 clears the machine's marks
        // although it brought in the PC fax book too.
        quint32 saved = 0;
        if (parts & kPartPcFax) saved |= AdrPartPcFax;
        if (parts & kPartAioFax) saved |= AdrPartAioFax;
        if (parts & kPartAioEmail) saved |= AdrPartAioEmail;
        if (parts & kPartServer) saved |= AdrKindServer;
        ClearMarks(saved);
    }
    ++m_stepState;
    return true;
}

bool CAdrHistory::Commit(CAdrData *before) {
    if (!m_working) return false;
    if (m_stepState == 1) {
        CloseStep();
        return false;
    }
    if (before) CopyCurrent(before);
    Append();
    CloseStep();
    return true;
}

void CAdrHistory::Append() {
    // A new step ends the redo chain.
    while (GetSnapshotCount() > m_current + 1) EraseSnapshot(GetSnapshotCount() - 1);

    if (m_replaceFlags != 0 && m_current >= 0) {
        m_snapshots[static_cast<size_t>(m_current)] = std::move(*m_working);
        m_tables[static_cast<size_t>(m_current)] = m_workingTable;
        Reconcile(m_replaceFlags);
        m_replaceFlags = 0;
        return;
    }
    m_snapshots.push_back(std::move(*m_working));
    m_tables.push_back(m_workingTable);
    if (GetSnapshotCount() > kMaxSnapshots) {
        EraseSnapshot(0);
    } else {
        ++m_current;
    }
}

void CAdrHistory::Reconcile(quint16 parts) {
    const bool pcFaxSaved = parts & kPartPcFax;
    const bool machineSaved = parts & kPartsMachine;
    const bool faxSaved = parts & kPartAioFax;

    // Parts that must match the following snapshot for an earlier one to go,
    // and parts of the new snapshot that every remaining one takes over.
    quint32 mustMatch = 0;
    quint32 takeOver = 0;
    bool matchTables = false;
    if (!machineSaved) {
        mustMatch = AdrPartMachine;
        matchTables = true;
        takeOver = AdrPartPcFax;
    } else if (!pcFaxSaved) {
        mustMatch = faxSaved ? AdrPartPcFax : AdrPartPcFax | AdrPartAioFax;
        takeOver = faxSaved ? AdrPartMachine : AdrPartMachine & ~AdrPartAioFax;
    } else if (faxSaved) {
        // Both books saved whole: nothing earlier differs in anything unsaved.
        while (m_current > 0) EraseSnapshot(--m_current);
        return;
    } else {
        mustMatch = AdrPartAioFax;
        takeOver = AdrKindsAll & ~AdrPartAioFax;
    }

    for (int j = m_current - 1; j >= 0; --j) {
        const auto at = static_cast<size_t>(j);
        if (SameParts(m_snapshots[at], m_snapshots[at + 1], mustMatch) &&
            (!matchTables || m_tables[at].IsEqual(m_tables[at + 1]))) {
            EraseSnapshot(j);
            --m_current;
        }
    }
    const CAdrData &newest = m_snapshots[static_cast<size_t>(m_current)];
    for (int j = 0; j < m_current; ++j) {
        CAdrData &earlier = m_snapshots[static_cast<size_t>(j)];
        earlier.ClearKind(takeOver);
        earlier.CopyKinds(newest, takeOver);
        // The server slots and kept records describe the servers just taken over.
        if (takeOver & AdrKindServer) m_tables[static_cast<size_t>(j)] = m_tables[static_cast<size_t>(m_current)];
    }
}

void CAdrHistory::EraseSnapshot(int index) {
    m_snapshots.erase(m_snapshots.begin() + index);
    m_tables.erase(m_tables.begin() + index);
}

void CAdrHistory::CloseStep() {
    m_working.reset();
    m_workingTable = CTblMap{};
    m_stepState = 0;
    m_replaceFlags = 0;
}

bool CAdrHistory::Undo() {
    if (!CanUndo()) return false;
    --m_current;
    return true;
}

bool CAdrHistory::Redo() {
    if (!CanRedo()) return false;
    ++m_current;
    return true;
}
