#include "model/adr_data.h"

namespace {

// Calls f.template operator()<Entry>() for each kind of entry, in kind-code order.
template <class F>
void ForEachEntryKind(F &&f) {
    f.template operator()<CAdrMemberAioFax>();
    f.template operator()<CAdrMemberAioEmail>();
    f.template operator()<CAdrMemberAioServer>();
    f.template operator()<CAdrMemberPcFax>();
    f.template operator()<CAdrGroupAioFax>();
    f.template operator()<CAdrGroupAioEmail>();
    f.template operator()<CAdrGroupPcFax>();
}

template <class Entry, quint16 MaxId>
bool SameEntries(const CAdrMap<Entry, MaxId> &a, const CAdrMap<Entry, MaxId> &b) {
    if (a.SharesAll(b)) return true;
    if (a.GetCount() != b.GetCount()) return false;
    for (quint16 id = 1; id <= MaxId; ++id) {
        if (a.SharesEntry(b, id)) continue;
        const Entry *x = a.Lookup(id);
        if (!x || !x->IsEqual(b.Lookup(id))) return false;
    }
    return true;
}

template <class Entry>
void MarkChanged(CAdrMap<Entry> &map, const CAdrMap<Entry> &older) {
    if (map.SharesAll(older)) return;
    for (quint16 id = 1; id <= Entry::kMaxId; ++id) {
        const Entry *entry = map.Lookup(id);
        if (!entry || map.SharesEntry(older, id) || entry->GetChangeMark() == 1) continue;
        if (entry->IsEqual(older.Lookup(id))) continue;
        Entry marked(*entry);
        marked.SetChangeMark(1);
        map.SetAt(marked);
    }
}

}  // namespace

const CAdrMemberAioServer &CAdrData::StoreServerCopy(const CAdrMemberAioServer &server,
                                                     const CAdrShareData *record) {
    const CAdrMemberAioServer &stored = StoreCopy(server);
    if (!record) {
        m_shareData.RemoveKey(stored.GetID());
    } else if (record->serverId != 0) {
        CAdrShareData copy(*record);
        copy.serverId = stored.GetID();
        m_shareData.SetAt(copy);
    }
    return stored;
}

int CAdrData::CopyOutServer(quint16 id, CAdrMemberAioServer *target, CAdrShareData *record) const {
    const int result = CopyOut(id, target);
    if (result == 0 && record) {
        const CAdrShareData *stored = m_shareData.Lookup(id);
        *record = stored ? *stored : CAdrShareData{};
    }
    return result;
}

quint32 CAdrData::Remove(quint32 kind, quint16 id) {
    bool named = false;
    ForEachEntryKind([&]<class Entry>() {
        if (kind != Entry::kKind) return;
        Map<Entry>().RemoveKey(id);
        named = true;
    });
    if (!named) return kind;
    if (kind == AdrKindServer) m_shareData.RemoveKey(id);
    return 0;
}

void CAdrData::ClearKind(quint32 kinds) {
    ForEachEntryKind([&]<class Entry>() {
        if (kinds & Entry::kKind) Map<Entry>().RemoveAll();
    });
    if (kinds & AdrKindServer) m_shareData.RemoveAll();
    if (kinds & AdrKindSubComm) m_subComm = {};
}

void CAdrData::CopyKinds(const CAdrData &source, quint32 kinds) {
    ForEachEntryKind([&]<class Entry>() {
        if (!(kinds & Entry::kKind)) return;
        CAdrMap<Entry> &target = Map<Entry>();
        const CAdrMap<Entry> &from = source.Map<Entry>();
        for (quint16 id = 1; id <= Entry::kMaxId; ++id) {
            if (auto entry = from.LookupShared(id)) target.SetAt(std::move(entry));
        }
    });
    if (kinds & AdrKindServer) {
        source.Map<CAdrMemberAioServer>().ForEach([&](const CAdrMemberAioServer &server) {
            if (auto record = source.m_shareData.LookupShared(server.GetID())) {
                m_shareData.SetAt(std::move(record));
            } else {
                m_shareData.RemoveKey(server.GetID());
            }
        });
    }
    if (kinds & AdrKindSubComm) m_subComm = source.m_subComm;
}

quint16 CAdrData::FindFreeID(quint32 kind, AdrIdMode mode) const {
    quint16 found = AdrNoFreeId;
    ForEachEntryKind([&]<class Entry>() {
        if (kind != Entry::kKind) return;
        const CAdrMap<Entry> &map = Map<Entry>();
        if (mode == AdrIdFirstGap) {
            for (quint16 id = 1; id <= Entry::kMaxId && found == AdrNoFreeId; ++id) {
                if (!map.Lookup(id)) found = id;
            }
            return;
        }
        quint16 highest = Entry::kMaxId;
        while (highest > 0 && !map.Lookup(highest)) --highest;
        if (highest < Entry::kMaxId) found = static_cast<quint16>(highest + 1);
    });
    return found;
}

int CAdrData::CountFreeIDs(quint32 kind, AdrIdMode mode) const {
    int count = 0;
    ForEachEntryKind([&]<class Entry>() {
        if (kind != Entry::kKind) return;
        const CAdrMap<Entry> &map = Map<Entry>();
        if (mode == AdrIdFirstGap) {
            count = Entry::kMaxId - map.GetCount();
            return;
        }
        quint16 highest = Entry::kMaxId;
        while (highest > 0 && !map.Lookup(highest)) --highest;
        count = Entry::kMaxId - highest;
    });
    return count;
}

CAdrEquality CAdrData::EqualPerKind(const CAdrData &other) const {
    CAdrEquality equal;
    equal.aioFax = SameEntries(Map<CAdrMemberAioFax>(), other.Map<CAdrMemberAioFax>()) &&
                   SameEntries(Map<CAdrGroupAioFax>(), other.Map<CAdrGroupAioFax>());
    equal.aioEmail = SameEntries(Map<CAdrMemberAioEmail>(), other.Map<CAdrMemberAioEmail>()) &&
                     SameEntries(Map<CAdrGroupAioEmail>(), other.Map<CAdrGroupAioEmail>());
    equal.server = SameEntries(Map<CAdrMemberAioServer>(), other.Map<CAdrMemberAioServer>()) &&
                   SameEntries(m_shareData, other.m_shareData);
    equal.pcFax = SameEntries(Map<CAdrMemberPcFax>(), other.Map<CAdrMemberPcFax>()) &&
                  SameEntries(Map<CAdrGroupPcFax>(), other.Map<CAdrGroupPcFax>());
    equal.subComm = m_subComm == other.m_subComm;
    return equal;
}

void CAdrData::MarkDifferences(const CAdrData &older) {
    ForEachEntryKind([&]<class Entry>() { MarkChanged(Map<Entry>(), older.Map<Entry>()); });
}
