// Stepping to the next matching row and the search bar's filter, over the
// rows of a small data set.
#include "data_set_rows.h"
#include "ui/list_search.h"
#include "ui/match_words.h"

#include <gtest/gtest.h>

namespace {

struct FindCase {
    const char *what;
    std::set<int> selectedBefore;
    CLqaSearchRequest request;
    int expectedRow;  // -1: nothing found
};

CLqaSearchRequest request(const char *text, int mode, bool down = true, bool fromStart = false) {
    return {QString::fromUtf8(text), mode, down, false, fromStart};
}

class FindNextTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindNextTest, selectsTheNextMatchingRowOnly) {
    const FindCase &c = GetParam();
    test::DataSetRows rows(test::officeBook());
    rows.selected = c.selectedBefore;
    const bool found = FindNext(rows, c.request);
    EXPECT_EQ(found, c.expectedRow >= 0) << c.what;
    if (c.expectedRow >= 0) {
        EXPECT_EQ(rows.selected, std::set<int>{c.expectedRow}) << c.what;
    } else {
        EXPECT_EQ(rows.selected, c.selectedBefore) << c.what;
        EXPECT_EQ(rows.selections, 0) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FindNextTest,
    ::testing::Values(
        FindCase{"down from nothing selected starts at the first row", {}, request("tana", SearchAnyWord), 0},
        FindCase{"down starts after the first selected row", {0, 5}, request("tana", SearchAnyWord), 4},
        FindCase{"down from the last match finds nothing", {4}, request("tana", SearchAnyWord), -1},
        FindCase{"from start ignores the selection", {4}, request("tana", SearchAnyWord, true, true), 0},
        FindCase{"up from nothing selected starts at the last row", {}, request("tana", SearchAnyWord, false), 4},
        FindCase{"up starts before the first selected row", {4}, request("tana", SearchAnyWord, false), 0},
        FindCase{"up from the first row finds nothing", {0}, request("tana", SearchAnyWord, false), -1},
        FindCase{"up from start begins at the last row", {0}, request("b", SearchStartsWith, false, true), 5},
        FindCase{"none of these words from the first row", {}, request("tanaka 0312", SearchNoWord), 1},
        FindCase{"all of these words across name and fax number", {}, request("sato 0466", SearchAllWords), 1},
        FindCase{"all of these words, one missing everywhere", {}, request("sato 0312", SearchAllWords), -1},
        FindCase{"end with one capital letter", {}, request("I", SearchEndsWith), 2},
        FindCase{"end with the last digit of an ID", {0}, request("2", SearchEndsWith), 1},
        FindCase{"the Type column is never searched", {}, request("pc", SearchAnyWord), -1},
        FindCase{"the Member/Group column is never searched", {}, request("group", SearchAnyWord), -1},
        FindCase{"a text of spaces gives no words: any finds nothing", {}, request("   ", SearchAnyWord), -1},
        FindCase{"a text of spaces gives no words: none takes the next row", {1}, request("   ", SearchNoWord), 2}));

TEST(FindNextTest, anEmptyListFindsNothingInEitherDirection) {
    test::DataSetRows rows{CAdrData()};
    EXPECT_FALSE(FindNext(rows, request("", SearchAllWords)));
    EXPECT_FALSE(FindNext(rows, request("", SearchNoWord, false)));
    EXPECT_EQ(rows.selections, 0);
}

TEST(SearchBarKeepsRow, keepsRowsWithACellStartingWithTheWholeTextInAnyCase) {
    test::DataSetRows rows(test::officeBook());
    const auto kept = [&](const char *text) {
        std::vector<int> out;
        for (int row = 0; row < rows.RowCount(); ++row)
            if (SearchBarKeepsRow(rows.RowTexts(row), QString::fromUtf8(text))) out.push_back(row);
        return out;
    };
    EXPECT_EQ(kept("tA"), (std::vector<int>{0, 4}));
    // "ka" is inside "Tanaka" and starts "Kobayashi".
    EXPECT_EQ(kept("KA"), std::vector<int>{});
    EXPECT_EQ(kept("ko"), std::vector<int>{2});
    // The whole text is one word, spaces and all.
    EXPECT_EQ(kept("tanaka 0312"), std::vector<int>{});
    EXPECT_EQ(kept("0"), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(kept("pc"), std::vector<int>{});
    EXPECT_EQ(kept("").size(), 6u);
}

}  // namespace
