// Word matching shared by the search dialog, the search bar filter and
// type-ahead: plain text tests over the cells of one list row.
#pragma once

#include <QString>
#include <QStringList>

// The search modes in the order the search dialog lists them.
enum SearchMode : int {
    SearchAnyWord = 0,     // some cell contains some word
    SearchAllWords = 1,    // every word is in at least one cell
    SearchNoWord = 2,      // no cell contains any word
    SearchStartsWith = 3,  // some cell begins with some word
    SearchEndsWith = 4,    // some cell ends with some word
};
inline constexpr int kSearchModeCount = 5;

// Whether the cells match the words in `mode`. Without `caseSensitive` both
// sides are compared in lower case. An empty word list matches nothing in
// the "some" modes and everything in the "all" and "none" modes; a mode
// outside 0 to 4 matches nothing.
[[nodiscard]] bool MatchWords(const QStringList &cells, const QStringList &words, int mode, bool caseSensitive);

// The words of a search text: the non-empty runs between spaces. Only the
// space separates; tabs and other blanks belong to the words.
[[nodiscard]] QStringList SplitSearchWords(const QString &text);
