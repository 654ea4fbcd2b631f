// The editor's data set: every entry of both books, the email subject line
// and body, and the shared-folder records of the server entries.
#pragma once

#include "model/adr_group.h"
#include "model/adr_map.h"
#include "model/adr_member.h"
#include "model/adr_share_data.h"

#include <tuple>

// The machine's email subject line and message body.
struct CAdrSubComm {
    QString subject;
    QString body;
    friend bool operator==(const CAdrSubComm &, const CAdrSubComm &) = default;
};

// How new IDs are chosen: the first unused one, or the one after the highest.
enum AdrIdMode : int {
    AdrIdFirstGap = 0,
    AdrIdAfterLast = 1,
};

// Which parts of two data sets hold equal entries. A part counts its groups
// with its members, and the servers their shared-folder records.
struct CAdrEquality {
    bool aioFax = false;
    bool aioEmail = false;
    bool server = false;
    bool pcFax = false;
    bool subComm = false;
    friend bool operator==(const CAdrEquality &, const CAdrEquality &) = default;
};

// Copies are cheap: they share every entry until one side changes it, and
// each copy behaves as an independent data set.
class CAdrData {
public:
    using ShareMap = CAdrMap<CAdrShareData, CAdrMemberAioServer::kMaxId>;

    template <class Entry>
    [[nodiscard]] const CAdrMap<Entry> &Map() const {
        return std::get<CAdrMap<Entry>>(m_maps);
    }
    template <class Entry>
    [[nodiscard]] CAdrMap<Entry> &Map() {
        return std::get<CAdrMap<Entry>>(m_maps);
    }
    [[nodiscard]] const ShareMap &ShareData() const { return m_shareData; }
    [[nodiscard]] ShareMap &ShareData() { return m_shareData; }
    [[nodiscard]] const CAdrSubComm &SubComm() const { return m_subComm; }
    [[nodiscard]] CAdrSubComm &SubComm() { return m_subComm; }

    // Replaces whatever is stored under the entry's ID with a copy of it;
    // an ID outside the kind's range (0 too) throws AdrErrBadArgument.
    template <class Entry>
    const Entry &StoreCopy(const Entry &entry) {
        return Map<Entry>().SetAt(entry);
    }
    // As StoreCopy; then the server's shared-folder record becomes a copy of
    // `record` (when it names a server) or, without a record, goes.
    const CAdrMemberAioServer &StoreServerCopy(const CAdrMemberAioServer &server, const CAdrShareData *record);

    // 0, AdrErrNotFound when nothing is stored under `id`, AdrErrBadArgument
    // without a target.
    template <class Entry>
    int CopyOut(quint16 id, Entry *target) const {
        if (!target) return AdrErrBadArgument;
        const Entry *stored = Map<Entry>().Lookup(id);
        if (!stored) return AdrErrNotFound;
        target->CopyFrom(stored);
        return 0;
    }
    // As CopyOut; `record` receives the server's shared-folder record, or a
    // default record (server ID 0) when the server has none.
    int CopyOutServer(quint16 id, CAdrMemberAioServer *target, CAdrShareData *record) const;

    // Removes one entry (a server with its shared-folder record). Returns 0,
    // or `kind` itself when it names no single kind of entry.
    quint32 Remove(quint32 kind, quint16 id);
    // Empties every kind named in `kinds`.
    void ClearKind(quint32 kinds);
    void ClearAll() { ClearKind(AdrKindsAll); }
    // Stores every entry of the kinds named in `kinds` from `source`, servers
    // with their shared-folder records; other entries of the target stay.
    void CopyKinds(const CAdrData &source, quint32 kinds);

    // AdrNoFreeId when the kind is full (or, after the highest, its last ID is
    // taken) or names no single kind of entry.
    [[nodiscard]] quint16 FindFreeID(quint32 kind, AdrIdMode mode) const;
    // How many IDs FindFreeID could still hand out before running out.
    [[nodiscard]] int CountFreeIDs(quint32 kind, AdrIdMode mode) const;

    [[nodiscard]] CAdrEquality EqualPerKind(const CAdrData &other) const;
    // Marks every entry that `older` lacks or holds with other content.
    void MarkDifferences(const CAdrData &older);

private:
    std::tuple<CAdrMap<CAdrMemberAioFax>, CAdrMap<CAdrMemberAioEmail>, CAdrMap<CAdrMemberAioServer>,
               CAdrMap<CAdrMemberPcFax>, CAdrMap<CAdrGroupAioFax>, CAdrMap<CAdrGroupAioEmail>,
               CAdrMap<CAdrGroupPcFax>>
        m_maps;
    ShareMap m_shareData;
    CAdrSubComm m_subComm;
};
