#include "ui/match_words.h"

#include <algorithm>

namespace {

QStringList lowered(const QStringList &texts) {
    QStringList out;
    out.reserve(texts.size());
    for (const QString &text : texts) out.append(text.toLower());
    return out;
}

template <class Test>
bool anyCell(const QStringList &cells, Test test) {
    return std::any_of(cells.cbegin(), cells.cend(), test);
}

bool someCellContainsSomeWord(const QStringList &cells, const QStringList &words) {
    return std::any_of(words.cbegin(), words.cend(), [&](const QString &word) {
        return anyCell(cells, [&](const QString &cell) { return cell.contains(word); });
    });
}

}  // namespace

bool MatchWords(const QStringList &cells, const QStringList &words, int mode, bool caseSensitive) {
    const QStringList c = caseSensitive ? cells : lowered(cells);
    const QStringList w = caseSensitive ? words : lowered(words);
    switch (mode) {
    case SearchAnyWord: return someCellContainsSomeWord(c, w);
    case SearchAllWords:
        return std::all_of(w.cbegin(), w.cend(), [&](const QString &word) {
            return anyCell(c, [&](const QString &cell) { return cell.contains(word); });
        });
    case SearchNoWord: return !someCellContainsSomeWord(c, w);
    case SearchStartsWith:
        return std::any_of(w.cbegin(), w.cend(), [&](const QString &word) {
            return anyCell(c, [&](const QString &cell) { return cell.startsWith(word); });
        });
    case SearchEndsWith:
        return std::any_of(w.cbegin(), w.cend(), [&](const QString &word) {
            return anyCell(c, [&](const QString &cell) { return cell.endsWith(word); });
        });
    default: return false;
    }
}

QStringList SplitSearchWords(const QString &text) { return text.split(QLatin1Char(' '), Qt::SkipEmptyParts); }
