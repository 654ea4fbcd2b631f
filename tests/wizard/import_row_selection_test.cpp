// The two lists of the row selection and the limit between them.
#include "import/import_row_selection.h"

#include "abiflink.h"

#include <gtest/gtest.h>

namespace {

using abif::CImportRowSelection;
using Rows = std::vector<int>;

TEST(RowSelection, marksSplitTheRowsInRowOrder) {
    const CImportRowSelection selection({0, 1, 0, 1, 0}, 10);
    EXPECT_EQ(selection.candidates(), (Rows{0, 2, 4}));
    EXPECT_EQ(selection.chosen(), (Rows{1, 3}));
    EXPECT_EQ(selection.marks(), (Rows{0, 1, 0, 1, 0}));
}

TEST(RowSelection, chosenRowsGoToTheEndInCandidateOrder) {
    CImportRowSelection selection({0, 0, 1, 0, 0}, 10);
    EXPECT_TRUE(selection.choose({1, 3}));  // rows 1 and 4
    EXPECT_EQ(selection.candidates(), (Rows{0, 3}));
    EXPECT_EQ(selection.chosen(), (Rows{2, 1, 4}));
    EXPECT_EQ(selection.marks(), (Rows{0, 1, 1, 0, 1}));
}

TEST(RowSelection, unchosenRowsReturnToTheirPlace) {
    CImportRowSelection selection({0, 0, 0, 0, 0}, 10);
    selection.choose({4});
    selection.choose({0, 3});  // rows 0 and 3
    ASSERT_EQ(selection.chosen(), (Rows{4, 0, 3}));
    selection.unchoose({0, 2});  // rows 4 and 3
    EXPECT_EQ(selection.candidates(), (Rows{1, 2, 3, 4}));
    EXPECT_EQ(selection.chosen(), (Rows{0}));
}

struct LimitCase {
    const char *name;
    int32_t limit;
    int alreadyChosen;
    int highlighted;
    bool moves;
};

class RowSelectionLimit : public testing::TestWithParam<LimitCase> {};

TEST_P(RowSelectionLimit, refusesWholeMovesBeyondTheLimit) {
    const LimitCase &c = GetParam();
    std::vector<int> marks(10, 0);
    for (int row = 0; row < c.alreadyChosen; ++row) marks[static_cast<size_t>(row)] = 1;
    CImportRowSelection selection(marks, c.limit);
    Rows positions(static_cast<size_t>(c.highlighted));
    for (int i = 0; i < c.highlighted; ++i) positions[static_cast<size_t>(i)] = i;
    const Rows candidatesBefore = selection.candidates();
    EXPECT_EQ(selection.choose(positions), c.moves);
    EXPECT_EQ(selection.chosen().size(), static_cast<size_t>(c.alreadyChosen + (c.moves ? c.highlighted : 0)));
    if (!c.moves) {
        EXPECT_EQ(selection.candidates(), candidatesBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(Import, RowSelectionLimit,
                         testing::Values(LimitCase{"fiveOverThree", 3, 0, 5, false},
                                         LimitCase{"exactlyTheLimit", 3, 1, 2, true},
                                         LimitCase{"oneOverWithChosenRows", 3, 2, 2, false},
                                         LimitCase{"zeroLimit", 0, 0, 1, false},
                                         LimitCase{"unlimited", ABIF_LIMIT_UNLIMITED, 3, 7, true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(RowSelection, moreChosenRowsThanTheLimitAreOverIt) {
    CImportRowSelection selection({1, 1, 1, 1}, 3);
    EXPECT_FALSE(selection.withinLimit());
    selection.unchoose({0});
    EXPECT_TRUE(selection.withinLimit());
}

}  // namespace
