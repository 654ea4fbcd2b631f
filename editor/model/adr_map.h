// Keyed containers of the data set.
#pragma once

#include "model/adr_types.h"

#include <QSharedData>
#include <QSharedDataPointer>

#include <array>
#include <memory>
#include <utility>
#include <vector>

// Entries of one kind by ID, walked in ascending ID order. A copy shares the
// slot table and every entry with the original until one of them changes;
// then only the table is duplicated, the unchanged entries stay shared.
// Entries are immutable once stored: a change stores a new entry.
template <class Entry, quint16 MaxId = Entry::kMaxId>
class CAdrMap {
public:
    static constexpr quint16 kMaxId = MaxId;

    CAdrMap() : d(new Table) {}

    [[nodiscard]] const Entry *Lookup(quint16 id) const { return InRange(id) ? d->table[id].get() : nullptr; }
    [[nodiscard]] std::shared_ptr<const Entry> LookupShared(quint16 id) const {
        return InRange(id) ? d->table[id] : nullptr;
    }

    // Stores a copy under the entry's own key, replacing what was there.
    // A key outside the kind's range (an unassigned ID too) throws.
    const Entry &SetAt(const Entry &entry) { return SetAt(std::make_shared<const Entry>(entry)); }
    const Entry &SetAt(std::shared_ptr<const Entry> entry) {
        if (!entry) AdrThrowBadArgument();
        const quint16 key = AdrKeyOf(*entry);
        if (!InRange(key)) AdrThrowBadArgument();
        auto &slot = d->table[key];
        if (!slot) ++d->count;
        slot = std::move(entry);
        return *slot;
    }

    // Absent IDs are ignored.
    void RemoveKey(quint16 id) {
        if (!Lookup(id)) return;
        d->table[id].reset();
        --d->count;
    }
    void RemoveAll() {
        if (!IsEmpty()) d = new Table;
    }

    [[nodiscard]] int GetCount() const { return d->count; }
    [[nodiscard]] bool IsEmpty() const { return d->count == 0; }

    // Calls f(entry) for every entry, ascending by ID.
    template <class F>
    void ForEach(F &&f) const {
        for (quint16 id = 1; id <= MaxId; ++id) {
            if (const Entry *e = d->table[id].get()) f(*e);
        }
    }

    // Both hold the very same entry (or none) under `id`: equal without comparing.
    [[nodiscard]] bool SharesEntry(const CAdrMap &other, quint16 id) const {
        return InRange(id) && d->table[id] == other.d->table[id];
    }
    // Both share one slot table: every entry the same.
    [[nodiscard]] bool SharesAll(const CAdrMap &other) const { return d == other.d; }

private:
    struct Table : QSharedData {
        std::array<std::shared_ptr<const Entry>, MaxId + 1> table{};  // slot 0 never used
        int count = 0;
    };

    [[nodiscard]] static bool InRange(quint16 id) { return id >= 1 && id <= MaxId; }

    QSharedDataPointer<Table> d;
};

// An owning array of values; at() throws std::out_of_range on a bad index.
template <class T>
using CAdrArray = std::vector<T>;
