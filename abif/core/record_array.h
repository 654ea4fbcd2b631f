// One kind's records: contiguous, with a limit and a normalised flag.
#pragma once

#include "core/record_compare.h"

#include <numeric>
#include <span>
#include <vector>

namespace abif {

template <class Record> class RecordArray {
public:
    using value_type = Record;

    [[nodiscard]] int32_t count() const { return static_cast<int32_t>(records_.size()); }
    [[nodiscard]] int32_t limit() const { return limit_; }
    [[nodiscard]] bool isSorted() const { return sorted_; }
    [[nodiscard]] const Record &at(int32_t i) const { return records_[static_cast<size_t>(i)]; }
    [[nodiscard]] std::span<const Record> records() const { return records_; }

    // A negative limit means unlimited; records already held stay.
    void setLimit(int32_t limit) { limit_ = limit < 0 ? ABIF_LIMIT_UNLIMITED : limit; }

    // Appends until the limit; returns false when it stopped there.
    bool append(std::span<const Record> source) {
        const size_t room = records_.size() >= static_cast<size_t>(limit_)
                                ? 0
                                : static_cast<size_t>(limit_) - records_.size();
        const size_t n = std::min(room, source.size());
        if (n > 0) {
            records_.insert(records_.end(), source.begin(), source.begin() + static_cast<ptrdiff_t>(n));
            sorted_ = false;
        }
        return n == source.size();
    }

    void clear() {
        records_.clear();
        records_.shrink_to_fit();
        sorted_ = true;
    }

    void normalise() {
        if (sorted_) return;
        for (Record &r : records_) detail::sortMembers(r);
        struct Slot {
            uint64_t key;
            uint32_t index;
        };
        std::vector<Slot> order(records_.size());
        for (size_t i = 0; i < records_.size(); ++i)
            order[i] = {detail::sortKey(records_[i]), static_cast<uint32_t>(i)};
        std::sort(order.begin(), order.end(), [this](const Slot &a, const Slot &b) {
            if (a.key != b.key) return a.key < b.key;
            const int c = detail::compareRecords(records_[a.index], records_[b.index]);
            return c != 0 ? c < 0 : a.index < b.index;
        });
        sorted_ = true;
        // Records read from a file mostly come in order already: no copy then.
        bool inPlace = true;
        for (size_t i = 0; i < order.size() && inPlace; ++i) inPlace = order[i].index == i;
        if (inPlace) return;
        // Each record moves once, into its final place.
        std::vector<Record> sorted;
        sorted.reserve(records_.size());
        for (const Slot &s : order) sorted.push_back(records_[s.index]);
        records_.swap(sorted);
    }

    [[nodiscard]] bool sameRecords(const RecordArray &other) const {
        if (!sorted_ || !other.sorted_ || records_.size() != other.records_.size()) return false;
        for (size_t i = 0; i < records_.size(); ++i)
            if (detail::compareRecords(records_[i], other.records_[i]) != 0) return false;
        return true;
    }

private:
    std::vector<Record> records_;
    int32_t limit_ = RecordKind<Record>::defaultLimit;
    bool sorted_ = true;
};

}  // namespace abif
