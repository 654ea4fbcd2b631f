// The data set: storing, copying out, free IDs, per-kind comparison,
// change marks, and independence of copies that share entries.
#include "model_builders.h"

#include <gtest/gtest.h>

namespace {

using test::aioFax;

CAdrData faxesWithIds(std::initializer_list<quint16> ids) {
    CAdrData d;
    for (quint16 id : ids) d.StoreCopy(aioFax(id));
    return d;
}

struct FreeIdCase {
    const char *name;
    std::initializer_list<quint16> used;
    quint16 firstGap, afterLast;
    int countGap, countAfterLast;
};

TEST(DataFreeIds, bothModesOnMachineFaxEntries) {
    const FreeIdCase cases[] = {
        {"gap at 6", {1, 2, 3, 4, 5, 7}, 6, 8, 93, 92},
        {"last id taken", {1, 50, 99}, 2, AdrNoFreeId, 96, 0},
        {"empty", {}, 1, 1, 99, 99},
        {"only the first", {1}, 2, 2, 98, 98},
    };
    for (const FreeIdCase &c : cases) {
        SCOPED_TRACE(c.name);
        const CAdrData d = faxesWithIds(c.used);
        EXPECT_EQ(d.FindFreeID(AdrKindAioFax, AdrIdFirstGap), c.firstGap);
        EXPECT_EQ(d.FindFreeID(AdrKindAioFax, AdrIdAfterLast), c.afterLast);
        EXPECT_EQ(d.CountFreeIDs(AdrKindAioFax, AdrIdFirstGap), c.countGap);
        EXPECT_EQ(d.CountFreeIDs(AdrKindAioFax, AdrIdAfterLast), c.countAfterLast);
    }
}

TEST(DataFreeIds, fullKindHasNoneInEitherMode) {
    CAdrData d;
    for (quint16 id = 1; id <= 5; ++id) d.StoreCopy(test::server(id));
    for (AdrIdMode mode : {AdrIdFirstGap, AdrIdAfterLast}) {
        EXPECT_EQ(d.FindFreeID(AdrKindServer, mode), AdrNoFreeId);
        EXPECT_EQ(d.CountFreeIDs(AdrKindServer, mode), 0);
    }
    // Other kinds have their own ranges.
    EXPECT_EQ(d.FindFreeID(AdrKindPcFaxGroup, AdrIdAfterLast), 1);
    EXPECT_EQ(d.CountFreeIDs(AdrKindPcFaxGroup, AdrIdFirstGap), 500);
    EXPECT_EQ(d.CountFreeIDs(AdrKindAioEmailGroup, AdrIdFirstGap), 10);
}

TEST(DataFreeIds, codeNamingNoSingleKindHasNone) {
    const CAdrData d;
    for (quint32 kind : {0u, quint32(AdrKindSubComm), AdrPartAioFax, 0x400u}) {
        EXPECT_EQ(d.FindFreeID(kind, AdrIdFirstGap), AdrNoFreeId) << kind;
        EXPECT_EQ(d.CountFreeIDs(kind, AdrIdFirstGap), 0) << kind;
    }
}

TEST(DataStore, storeReplacesTheEntryUnderItsIdAndRefusesUnassignedIds) {
    CAdrData d;
    d.StoreCopy(aioFax(4, "Old"));
    const CAdrMemberAioFax &stored = d.StoreCopy(aioFax(4, "New"));
    EXPECT_EQ(stored.GetName(), "New");
    EXPECT_EQ(d.Map<CAdrMemberAioFax>().GetCount(), 1);
    try {
        d.StoreCopy(CAdrMemberAioFax{});
        FAIL() << "an entry without an ID was stored";
    } catch (int code) {
        EXPECT_EQ(code, AdrErrBadArgument);
    }
    EXPECT_EQ(d.Map<CAdrMemberAioFax>().GetCount(), 1);
}

TEST(DataStore, copyOutReportsMissingTargetAndAbsentEntry) {
    const CAdrData d = test::smallDataSet();
    CAdrMemberPcFax out;
    EXPECT_EQ(d.CopyOut<CAdrMemberPcFax>(10, nullptr), AdrErrBadArgument);
    EXPECT_EQ(d.CopyOut(11, &out), AdrErrNotFound);
    EXPECT_EQ(out.GetID(), 0);
    EXPECT_EQ(d.CopyOut(10, &out), 0);
    EXPECT_EQ(out.GetID(), 10);
}

TEST(DataServers, recordFollowsItsServer) {
    CAdrData d;
    CAdrShareData record = test::shareRecord(9);  // any non-zero server ID attaches it
    d.StoreServerCopy(test::server(3), &record);
    ASSERT_NE(d.ShareData().Lookup(3), nullptr);
    EXPECT_EQ(d.ShareData().Lookup(3)->serverId, 3);

    // Without a server ID the record is not attached and an earlier one stays.
    CAdrShareData detached = test::shareRecord(0, "/other");
    d.StoreServerCopy(test::server(3), &detached);
    EXPECT_EQ(d.ShareData().Lookup(3)->localFolder, "/srv/scans");

    CAdrMemberAioServer server;
    CAdrShareData out = test::shareRecord(5, "stale");
    EXPECT_EQ(d.CopyOutServer(3, &server, &out), 0);
    EXPECT_EQ(out.localFolder, "/srv/scans");

    d.StoreServerCopy(test::server(3), nullptr);
    EXPECT_EQ(d.ShareData().Lookup(3), nullptr);
    EXPECT_EQ(d.CopyOutServer(3, &server, &out), 0);
    EXPECT_EQ(out.serverId, 0);  // none: no stale record handed back

    d.StoreServerCopy(test::server(3), &record);
    EXPECT_EQ(d.Remove(AdrKindServer, 3), 0u);
    EXPECT_EQ(d.Map<CAdrMemberAioServer>().Lookup(3), nullptr);
    EXPECT_EQ(d.ShareData().Lookup(3), nullptr);
}

TEST(DataRemove, removesOneEntryAndReturnsCodesNamingNoKind) {
    CAdrData d = test::smallDataSet();
    EXPECT_EQ(d.Remove(AdrKindAioFax, 1), 0u);
    EXPECT_EQ(d.Remove(AdrKindAioFax, 1), 0u);  // absent: ignored
    EXPECT_EQ(d.Map<CAdrMemberAioFax>().GetCount(), 1);
    EXPECT_EQ(d.Remove(AdrKindSubComm, 1), quint32(AdrKindSubComm));
    EXPECT_EQ(d.Remove(0x808, 10), 0x808u);
    EXPECT_NE(d.Map<CAdrMemberPcFax>().Lookup(10), nullptr);
}

TEST(DataClear, clearKindEmptiesOnlyTheNamedKinds) {
    CAdrData d = test::smallDataSet();
    d.ClearKind(AdrKindServer | AdrPartAioFax);
    EXPECT_TRUE(d.Map<CAdrMemberAioServer>().IsEmpty());
    EXPECT_TRUE(d.ShareData().IsEmpty());
    EXPECT_TRUE(d.Map<CAdrMemberAioFax>().IsEmpty());
    EXPECT_TRUE(d.Map<CAdrGroupAioFax>().IsEmpty());
    EXPECT_EQ(d.Map<CAdrMemberAioEmail>().GetCount(), 1);
    EXPECT_EQ(d.SubComm().subject, "Scan");
    d.ClearAll();
    EXPECT_EQ(d.EqualPerKind(CAdrData{}), (CAdrEquality{true, true, true, true, true}));
}

TEST(DataCopyKinds, pcFaxBookLeavesMachineEntriesOfTheTarget) {
    const CAdrData source = test::smallDataSet();
    CAdrData target;
    target.StoreCopy(aioFax(50));
    target.CopyKinds(source, AdrPartPcFax);
    EXPECT_TRUE(target.EqualPerKind(source).pcFax);
    EXPECT_EQ(target.Map<CAdrMemberAioFax>().GetCount(), 1);
    EXPECT_NE(target.Map<CAdrMemberAioFax>().Lookup(50), nullptr);
    EXPECT_TRUE(target.Map<CAdrMemberAioServer>().IsEmpty());
    EXPECT_TRUE(target.SubComm().subject.isEmpty());
}

TEST(DataCopyKinds, serversBringTheirRecordsAndSubjectComesWithItsFlag) {
    const CAdrData source = test::smallDataSet();
    CAdrData target;
    const CAdrShareData stale = test::shareRecord(1, "/stale");
    target.StoreServerCopy(test::server(1), &stale);
    target.CopyKinds(source, AdrKindServer | AdrKindSubComm);
    EXPECT_NE(target.ShareData().Lookup(2), nullptr);
    EXPECT_NE(target.ShareData().Lookup(1), nullptr);  // the source has no server 1
    EXPECT_EQ(target.SubComm(), source.SubComm());
    EXPECT_TRUE(target.Map<CAdrMemberAioFax>().IsEmpty());
}

TEST(DataCopyKinds, sourceServerWithoutRecordDropsTheTargetsRecord) {
    CAdrData source;
    source.StoreCopy(test::server(1));
    CAdrData target;
    const CAdrShareData record = test::shareRecord(1);
    target.StoreServerCopy(test::server(1), &record);
    target.CopyKinds(source, AdrKindServer);
    EXPECT_EQ(target.ShareData().Lookup(1), nullptr);
    EXPECT_TRUE(target.EqualPerKind(source).server);
}

struct PartChange {
    const char *name;
    void (*change)(CAdrData &);
    CAdrEquality expected;
};

TEST(DataEqualPerKind, eachChangeShowsInItsPartOnly) {
    const PartChange cases[] = {
        {"fax member", [](CAdrData &d) { d.StoreCopy(aioFax(2, "Other")); }, {false, true, true, true, true}},
        {"fax group membership",
         [](CAdrData &d) { d.StoreCopy(test::group<CAdrGroupAioFax>(1, {1})); },
         {false, true, true, true, true}},
        {"email group", [](CAdrData &d) { d.Remove(AdrKindAioEmailGroup, 1); }, {true, false, true, true, true}},
        {"share record",
         [](CAdrData &d) {
             const CAdrShareData r = test::shareRecord(2, "/elsewhere");
             d.StoreServerCopy(test::server(2), &r);
         },
         {true, true, false, true, true}},
        {"pc fax member added", [](CAdrData &d) { d.StoreCopy(test::pcFax(11)); }, {true, true, true, false, true}},
        {"pc fax group", [](CAdrData &d) { d.StoreCopy(test::group<CAdrGroupPcFax>(4, {})); },
         {true, true, true, false, true}},
        {"body", [](CAdrData &d) { d.SubComm().body = "x"; }, {true, true, true, true, false}},
        {"change mark only",
         [](CAdrData &d) {
             CAdrMemberPcFax m = test::pcFax(10);
             m.SetChangeMark(1);
             m.SetUpdatedOn(5);
             d.StoreCopy(m);
         },
         {true, true, true, true, true}},
    };
    const CAdrData original = test::smallDataSet();
    for (const PartChange &c : cases) {
        CAdrData changed = original;
        c.change(changed);
        EXPECT_EQ(changed.EqualPerKind(original), c.expected) << c.name;
        EXPECT_EQ(original.EqualPerKind(changed), c.expected) << c.name;
    }
}

TEST(DataEqualPerKind, separatelyBuiltEqualSetsCompareEqual) {
    EXPECT_EQ(test::smallDataSet().EqualPerKind(test::smallDataSet()), (CAdrEquality{true, true, true, true, true}));
}

TEST(DataMarkDifferences, marksNewAndChangedEntriesOnly) {
    const CAdrData older = test::smallDataSet();
    CAdrData newer = test::smallDataSet();
    newer.MarkDifferences(older);
    EXPECT_EQ(test::markedCount(newer), 0);

    newer.StoreCopy(test::pcFax(10, "Renamed"));
    newer.StoreCopy(test::pcFax(20));
    newer.Remove(AdrKindAioFax, 2);
    newer.MarkDifferences(older);
    EXPECT_EQ(newer.Map<CAdrMemberPcFax>().Lookup(10)->GetChangeMark(), 1u);
    EXPECT_EQ(newer.Map<CAdrMemberPcFax>().Lookup(20)->GetChangeMark(), 1u);
    EXPECT_EQ(newer.Map<CAdrMemberAioFax>().Lookup(1)->GetChangeMark(), 0u);
    EXPECT_EQ(newer.Map<CAdrGroupPcFax>().Lookup(4)->GetChangeMark(), 0u);
    EXPECT_EQ(test::markedCount(newer), 2);
    EXPECT_EQ(test::markedCount(older), 0);
}

TEST(DataCopies, changesToACopyNeverReachTheOriginal) {
    const CAdrData original = test::smallDataSet();
    CAdrData copy = original;
    copy.StoreCopy(test::pcFax(10, "Changed"));
    copy.Remove(AdrKindAioFax, 1);
    copy.ShareData().RemoveAll();
    copy.SubComm().subject.clear();
    EXPECT_EQ(original.Map<CAdrMemberPcFax>().Lookup(10)->GetName(), "Member");
    EXPECT_NE(original.Map<CAdrMemberAioFax>().Lookup(1), nullptr);
    EXPECT_NE(original.ShareData().Lookup(2), nullptr);
    EXPECT_EQ(original.SubComm().subject, "Scan");
    EXPECT_EQ(original.EqualPerKind(test::smallDataSet()), (CAdrEquality{true, true, true, true, true}));
}

}  // namespace
