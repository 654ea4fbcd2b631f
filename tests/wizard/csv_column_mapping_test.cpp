// Which column fills which field: the field buttons' rules.
#include "import/csv_column_mapping.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using abif::CCsvColumnMapping;

struct Press {
    int field;
    int selectedColumn;
};

struct MappingCase {
    const char *name;
    std::vector<Press> presses;
    std::array<int, 4> columns;
};

class FieldButtons : public testing::TestWithParam<MappingCase> {};

TEST_P(FieldButtons, leaveEachColumnWithOneFieldAtMost) {
    CCsvColumnMapping mapping;
    for (const Press &press : GetParam().presses) mapping.toggle(press.field, press.selectedColumn);
    for (int field = 0; field < 4; ++field)
        EXPECT_EQ(mapping.column(field), GetParam().columns[static_cast<size_t>(field)]) << "field " << field;
}

constexpr int kNone = CCsvColumnMapping::kUnassigned;

INSTANTIATE_TEST_SUITE_P(
    Import, FieldButtons,
    testing::Values(MappingCase{"assignsTheSelectedColumn", {{0, 2}, {1, 0}}, {2, 0, kNone, kNone}},
                    MappingCase{"takesTheNameColumnAwayFromTheName", {{0, 1}, {1, 1}}, {kNone, 1, kNone, kNone}},
                    MappingCase{"secondPressUnassigns", {{2, 3}, {2, 0}}, {kNone, kNone, kNone, kNone}},
                    MappingCase{"nothingSelectedChangesNothing", {{0, -1}}, {kNone, kNone, kNone, kNone}},
                    MappingCase{"unassignedColumnCanBeTakenAgain", {{0, 1}, {0, 1}, {3, 1}}, {kNone, kNone, kNone, 1}},
                    MappingCase{"noteTakesItFromCompany", {{2, 4}, {0, 0}, {3, 4}}, {0, kNone, kNone, 4}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FieldButtons, nameAndNumberAreRequired) {
    CCsvColumnMapping mapping;
    EXPECT_EQ(mapping.missingRequired(), (QList<int>{0, 1}));
    mapping.toggle(1, 0);
    mapping.toggle(2, 1);
    EXPECT_EQ(mapping.missingRequired(), QList<int>{0});
    mapping.toggle(0, 3);
    EXPECT_TRUE(mapping.missingRequired().isEmpty());
    mapping.clear();
    EXPECT_EQ(mapping, CCsvColumnMapping());
}

}  // namespace
