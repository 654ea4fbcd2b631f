// The ID table: server slots, kept records, and equality.
#include "model/tbl_map.h"

#include <gtest/gtest.h>

namespace {

TEST(TblMap, startsWithFiveEmptyServerSlots) {
    const CTblMap table;
    EXPECT_EQ(table.GetCount(), 5);
    for (quint16 key = 1; key <= 5; ++key) {
        EXPECT_TRUE(table.Contains(key));
        EXPECT_EQ(table.Lookup(key), 0);
    }
    EXPECT_FALSE(table.Contains(6));
    EXPECT_EQ(table.GetFixedSlotCount(), 5);
    EXPECT_EQ(table.GetFirstExtraKey(), 6);
    EXPECT_EQ(table.GetExtraCount(), 0);
}

TEST(TblMap, keptRecordsFollowTheServerSlotsInOrder) {
    CTblMap table;
    table.AddKeptRecord(4);
    table.AddKeptRecord(2);
    EXPECT_EQ(table.Lookup(6), 4);
    EXPECT_EQ(table.Lookup(7), 2);
    EXPECT_EQ(table.GetKeptRecords(), (QList<quint16>{4, 2}));
    EXPECT_TRUE(table.IsKeptRecord(2));
    EXPECT_FALSE(table.IsKeptRecord(3));
}

TEST(TblMap, equalityCoversServerSlotsAndKeptRecords) {
    CTblMap base;
    base.SetAt(2, 1);
    base.AddKeptRecord(3);
    const CTblMap copy = base;
    EXPECT_TRUE(copy.IsEqual(base));

    CTblMap otherSlot = base;
    otherSlot.SetAt(2, 4);
    CTblMap moreKept = base;
    moreKept.AddKeptRecord(5);
    CTblMap otherKept;
    otherKept.SetAt(2, 1);
    otherKept.AddKeptRecord(4);
    for (const CTblMap *different : {&otherSlot, &moreKept, &otherKept}) {
        EXPECT_FALSE(base.IsEqual(*different));
        EXPECT_FALSE(different->IsEqual(base));
    }
}

}  // namespace
