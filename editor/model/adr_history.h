// The document's data and its undo and redo: a short list of snapshots of
// the data set, each with its ID table. Edits happen in a step on a working
// copy that becomes a new snapshot on commit; saves and reads replace the
// current snapshot and bring earlier ones in line, so saved or re-read data
// cannot be undone.
#pragma once

#include "model/adr_data.h"
#include "model/tbl_map.h"

#include <optional>

class CAdrHistory {
public:
    // The current state and up to nine earlier ones.
    static constexpr int kMaxSnapshots = 10;

    // Book parts as bring in and replacing steps name them.
    static constexpr quint16 kPartPcFax = 0x1;
    static constexpr quint16 kPartAioFax = 0x100;
    static constexpr quint16 kPartAioEmail = 0x200;
    static constexpr quint16 kPartServer = 0x400;
    static constexpr quint16 kPartsMachine = 0xFF00;
    static constexpr quint16 kAllKinds = 0x700;  // alone, it brings in every kind

    // What bring in does after storing the selected kinds.
    enum BringInMode : int {
        BringInPlain = 0,
        BringInMarkDifferences = 1,  // against the current snapshot
        BringInClearMarks = 2,       // the selected parts were just saved or read
    };

    // The answer to deleting a server whose folder is shared.
    enum class ServerShare {
        Unshare,      // delete; the share is removed at the next machine save
        KeepShared,   // delete; the folder stays shared, noted in the step's ID table
        KeepServer,   // do not delete
    };

    virtual ~CAdrHistory() = default;

    // Records loaded from the shared-folder file.
    [[nodiscard]] CAdrArray<CAdrShareData> &GetShareRecords() { return m_shareRecords; }
    [[nodiscard]] const CAdrArray<CAdrShareData> &GetShareRecords() const { return m_shareRecords; }

    [[nodiscard]] int GetCurrentIndex() const { return m_current; }
    [[nodiscard]] int GetSnapshotCount() const { return static_cast<int>(m_snapshots.size()); }
    // A bad index throws std::out_of_range.
    [[nodiscard]] const CAdrData &GetSnapshot(int index) const { return m_snapshots.at(static_cast<size_t>(index)); }
    [[nodiscard]] const CTblMap &GetTable(int index) const { return m_tables.at(static_cast<size_t>(index)); }
    // Null while the history is empty.
    [[nodiscard]] const CAdrData *GetCurrent() const;
    [[nodiscard]] const CTblMap *GetCurrentTable() const;
    // Every kind of the current snapshot; empty while the history is empty.
    bool CopyCurrent(CAdrData *target) const;

    // False when a step is already open.
    bool Begin();
    [[nodiscard]] bool IsStepOpen() const { return m_working.has_value(); }
    // The open step's data and ID table; null without a step. Editing the
    // table alone is no change: a step with nothing else stored commits nothing.
    [[nodiscard]] const CAdrData *GetWorking() const { return m_working ? &*m_working : nullptr; }
    [[nodiscard]] CTblMap *GetWorkingTable() { return m_working ? &m_workingTable : nullptr; }

    // Each of these is one change of the open step and false without one.
    // Stores a copy marked as changed; a bad ID throws AdrErrBadArgument and
    // leaves the step with its earlier changes.
    template <class Entry>
    bool Store(const Entry &entry) {
        if (!m_working) return false;
        m_working->StoreCopy(Marked(entry));
        ++m_stepState;
        return true;
    }
    bool StoreServer(const CAdrMemberAioServer &server, const CAdrShareData *record);
    // Removes one entry: a member leaves every group of its book, a group's
    // members are stored again as changed, a server takes its shared-folder
    // record along. False when nothing was removed.
    bool Delete(quint32 kind, quint16 id, ServerShare share = ServerShare::Unshare);
    bool ClearKind(quint32 kinds);
    // Stores the kinds of `source` that `parts` selects (callers clear them first).
    bool BringIn(quint16 parts, BringInMode mode, const CAdrData &source);
    // Makes the open step replace the current snapshot instead of adding one.
    void SetReplaceFlags(quint16 parts) { m_replaceFlags = parts; }

    // Closes the step; true when it added or replaced a snapshot. `before`
    // receives the snapshot that was current until then.
    bool Commit(CAdrData *before = nullptr);

    // Only between steps: a step is built on the snapshot current at its start.
    bool Undo();
    bool Redo();
    [[nodiscard]] bool CanUndo() const { return !m_working && m_current > 0; }
    [[nodiscard]] bool CanRedo() const { return !m_working && m_current + 1 < GetSnapshotCount(); }

    // The kinds that bring in copies for `parts`.
    [[nodiscard]] static quint32 KindsOfParts(quint16 parts);

private:
    template <class Entry>
    static Entry Marked(const Entry &entry) {
        Entry marked(entry);
        marked.SetChangeMark(1);
        return marked;
    }
    template <class Member, class Group>
    bool DeleteMember(quint16 id);
    template <class Group, class Member>
    bool DeleteGroup(quint16 id);
    bool DeleteServer(quint16 id, ServerShare share);
    void ClearMarks(quint32 kinds);
    void Append();
    void Reconcile(quint16 parts);
    void EraseSnapshot(int index);
    void CloseStep();

    CAdrArray<CAdrShareData> m_shareRecords;
    int m_current = -1;
    CAdrArray<CAdrData> m_snapshots;
    CAdrArray<CTblMap> m_tables;
    int m_stepState = 0;  // 0 no step, 1 step without change, +1 per change
    std::optional<CAdrData> m_working;
    CTblMap m_workingTable;
    quint16 m_replaceFlags = 0;
};
