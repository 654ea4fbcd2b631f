// Word matching and word splitting, case by case.
#include "ui/match_words.h"

#include <gtest/gtest.h>

namespace {

struct MatchCase {
    const char *what;
    QStringList cells;
    QStringList words;
    int mode;
    bool caseSensitive;
    bool matches;
};

// The searched cells of one row: ID, name, information, updated on, fax number.
const QStringList kRow = {"007", "Tanaka Office", "0312-345", "2026/12/01 10:00", "0312-345"};

class MatchWordsTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchWordsTest, matchesAsTheModeSays) {
    const MatchCase &c = GetParam();
    EXPECT_EQ(MatchWords(c.cells, c.words, c.mode, c.caseSensitive), c.matches) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, MatchWordsTest,
    ::testing::Values(
        MatchCase{"any: one word found inside a cell", kRow, {"xyz", "office"}, SearchAnyWord, false, true},
        MatchCase{"any: no word anywhere", kRow, {"xyz", "abc"}, SearchAnyWord, false, false},
        MatchCase{"all: two words in two different columns", kRow, {"tanaka", "345"}, SearchAllWords, false, true},
        MatchCase{"all: one word missing", kRow, {"tanaka", "osaka"}, SearchAllWords, false, false},
        MatchCase{"none: no cell holds a word", kRow, {"osaka", "kobe"}, SearchNoWord, false, true},
        MatchCase{"none: one word is found", kRow, {"osaka", "OFFICE"}, SearchNoWord, false, false},
        MatchCase{"start: a cell begins with the word", kRow, {"tana"}, SearchStartsWith, false, true},
        MatchCase{"start: the word only inside a cell", kRow, {"office"}, SearchStartsWith, false, false},
        MatchCase{"end: one lower-case letter ends a name", kRow, {"E"}, SearchEndsWith, false, true},
        MatchCase{"end: one capital letter ends a cell", {"Mr Smith", "ABC"}, {"c"}, SearchEndsWith, false, true},
        MatchCase{"end: one digit ends the ID", kRow, {"7"}, SearchEndsWith, false, true},
        MatchCase{"end: the letter only inside", kRow, {"t"}, SearchEndsWith, false, false},
        MatchCase{"end: a longer tail", kRow, {"12-345"}, SearchEndsWith, false, true},
        MatchCase{"case kept when asked: capitals differ", kRow, {"tanaka"}, SearchAnyWord, true, false},
        MatchCase{"case kept when asked: same capitals", kRow, {"Tanaka"}, SearchAnyWord, true, true},
        MatchCase{"case folding beyond ASCII", {"Ärztehaus"}, {"ärzte"}, SearchStartsWith, false, true},
        MatchCase{"no words: any never matches", kRow, {}, SearchAnyWord, false, false},
        MatchCase{"no words: all always matches", kRow, {}, SearchAllWords, false, true},
        MatchCase{"no words: none always matches", kRow, {}, SearchNoWord, false, true},
        MatchCase{"no words: start never matches", kRow, {}, SearchStartsWith, false, false},
        MatchCase{"no words: end never matches", kRow, {}, SearchEndsWith, false, false},
        MatchCase{"no cells: all with a word fails", {}, {"a"}, SearchAllWords, false, false},
        MatchCase{"no cells: none with a word holds", {}, {"a"}, SearchNoWord, false, true},
        MatchCase{"unknown mode matches nothing", kRow, {"tanaka"}, 5, false, false},
        MatchCase{"negative mode matches nothing", kRow, {"tanaka"}, -1, false, false}));

struct SplitCase {
    const char *text;
    QStringList words;
};

TEST(SplitSearchWords, onlyTheSpaceSeparatesAndEmptyRunsVanish) {
    const SplitCase cases[] = {
        {"", {}},
        {"     ", {}},
        {"tanaka", {"tanaka"}},
        {"  tanaka   office ", {"tanaka", "office"}},
        {"a\tb", {"a\tb"}},
        {"0312-345 x", {"0312-345", "x"}},
        {"\u3000a", {"\u3000a"}},  // the ideographic space is part of the word
    };
    for (const SplitCase &c : cases) EXPECT_EQ(SplitSearchWords(QString::fromUtf8(c.text)), c.words) << c.text;
}

}  // namespace
