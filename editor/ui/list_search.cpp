#include "ui/list_search.h"

#include "ui/match_words.h"

namespace {

// Type and Member/Group carry pictures, not searchable text.
constexpr int kFirstSearchedColumn = 2;

}  // namespace

QStringList SearchedCells(const QStringList &rowTexts) { return rowTexts.mid(kFirstSearchedColumn); }

bool FindNext(CLqaSearchTarget &target, const CLqaSearchRequest &request) {
    const int count = target.RowCount();
    const QStringList words = SplitSearchWords(request.text);
    const int selected = request.fromStart ? -1 : target.FirstSelectedRow();
    const int step = request.down ? 1 : -1;
    int row = selected < 0 ? (request.down ? 0 : count - 1) : selected + step;
    for (; row >= 0 && row < count; row += step) {
        if (MatchWords(SearchedCells(target.RowTexts(row)), words, request.mode, request.caseSensitive)) {
            target.SelectFoundRow(row);
            return true;
        }
    }
    return false;
}

bool SearchBarKeepsRow(const QStringList &rowTexts, const QString &searchText) {
    if (searchText.isEmpty()) return true;
    return MatchWords(SearchedCells(rowTexts), {searchText}, SearchStartsWith, false);
}
