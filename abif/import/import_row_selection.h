// The two lists of the row selection: candidate rows and chosen rows, as
// indexes of the parsed rows, with the limit on how many may be chosen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace abif {

class CImportRowSelection {
public:
    // Rows marked 1 start chosen (in row order), the others are candidates.
    CImportRowSelection(const std::vector<int> &marks, int32_t limit);

    [[nodiscard]] const std::vector<int> &candidates() const { return candidates_; }
    [[nodiscard]] const std::vector<int> &chosen() const { return chosen_; }
    [[nodiscard]] int32_t limit() const { return limit_; }

    // Whether `count` more rows may join the chosen ones.
    [[nodiscard]] bool canChooseMore(int64_t count) const {
        return int64_t{limit_} >= count + static_cast<int64_t>(chosen_.size());
    }
    [[nodiscard]] bool withinLimit() const { return canChooseMore(0); }

    // Moves the candidates at `positions` (ascending positions in the
    // candidate list) to the end of the chosen list, in candidate order.
    // Nothing moves when they would exceed the limit; then false.
    bool choose(const std::vector<int> &positions);
    // Moves the chosen rows at `positions` (ascending) back among the
    // candidates, each to its place in row order.
    void unchoose(const std::vector<int> &positions);

    // One mark per row: 1 for every chosen row.
    [[nodiscard]] std::vector<int> marks() const;

private:
    static std::vector<int> take(std::vector<int> &from, const std::vector<int> &positions);

    std::vector<int> candidates_;
    std::vector<int> chosen_;
    int32_t limit_;
    size_t rowCount_;
};

}  // namespace abif
