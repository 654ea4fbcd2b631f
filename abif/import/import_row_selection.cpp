#include "import/import_row_selection.h"

#include <algorithm>
#include <iterator>

namespace abif {

CImportRowSelection::CImportRowSelection(const std::vector<int> &marks, int32_t limit)
    : limit_(limit), rowCount_(marks.size()) {
    for (int row = 0; row < static_cast<int>(marks.size()); ++row)
        (marks[static_cast<size_t>(row)] == 1 ? chosen_ : candidates_).push_back(row);
}

std::vector<int> CImportRowSelection::take(std::vector<int> &from, const std::vector<int> &positions) {
    std::vector<int> taken;
    taken.reserve(positions.size());
    std::vector<int> kept;
    kept.reserve(from.size() - std::min(from.size(), positions.size()));
    auto next = positions.begin();
    for (size_t i = 0; i < from.size(); ++i) {
        if (next != positions.end() && static_cast<size_t>(*next) == i) {
            taken.push_back(from[i]);
            ++next;
        } else {
            kept.push_back(from[i]);
        }
    }
    from.swap(kept);
    return taken;
}

bool CImportRowSelection::choose(const std::vector<int> &positions) {
    if (!canChooseMore(static_cast<int64_t>(positions.size()))) return false;
    const std::vector<int> taken = take(candidates_, positions);
    chosen_.insert(chosen_.end(), taken.begin(), taken.end());
    return true;
}

void CImportRowSelection::unchoose(const std::vector<int> &positions) {
    std::vector<int> back = take(chosen_, positions);
    std::sort(back.begin(), back.end());
    std::vector<int> merged;
    merged.reserve(candidates_.size() + back.size());
    std::merge(candidates_.begin(), candidates_.end(), back.begin(), back.end(), std::back_inserter(merged));
    candidates_.swap(merged);
}

std::vector<int> CImportRowSelection::marks() const {
    std::vector<int> marks(rowCount_, 0);
    for (int row : chosen_) marks[static_cast<size_t>(row)] = 1;
    return marks;
}

}  // namespace abif
