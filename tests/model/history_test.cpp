// Undo and redo over snapshots: steps, the snapshot limit, deletion rules,
// bring in, and replacing steps that keep saved data from being undone.
#include "model/adr_history.h"
#include "model_builders.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using test::aioFax;

// One edit step that stores `entry`.
template <class Entry>
bool edit(CAdrHistory &h, const Entry &entry) {
    h.Begin();
    h.Store(entry);
    return h.Commit();
}

QString faxName(const CAdrData &d, quint16 id = 1) {
    const CAdrMemberAioFax *e = d.Map<CAdrMemberAioFax>().Lookup(id);
    return e ? e->GetName() : QString();
}

TEST(HistorySteps, emptyHistoryHasNoCurrentSnapshot) {
    CAdrHistory h;
    EXPECT_EQ(h.GetCurrentIndex(), -1);
    EXPECT_EQ(h.GetCurrent(), nullptr);
    EXPECT_FALSE(h.CanUndo());
    EXPECT_FALSE(h.CanRedo());
    CAdrData copy = test::smallDataSet();
    EXPECT_TRUE(h.CopyCurrent(&copy));
    EXPECT_EQ(copy.EqualPerKind(CAdrData{}), (CAdrEquality{true, true, true, true, true}));
    EXPECT_THROW((void)h.GetSnapshot(0), std::out_of_range);
}

TEST(HistorySteps, stepsDoNotNestAndAnUnchangedStepAppendsNothing) {
    CAdrHistory h;
    EXPECT_FALSE(h.Commit());
    EXPECT_FALSE(h.Store(aioFax(1)));
    ASSERT_TRUE(h.Begin());
    EXPECT_FALSE(h.Begin());
    EXPECT_FALSE(h.Commit());
    EXPECT_EQ(h.GetSnapshotCount(), 0);
    EXPECT_FALSE(h.IsStepOpen());
    ASSERT_TRUE(edit(h, aioFax(1, "A")));
    EXPECT_EQ(h.GetCurrentIndex(), 0);
    EXPECT_EQ(faxName(*h.GetCurrent()), "A");
}

TEST(HistorySteps, storedEntriesAreMarkedAndTheCurrentSnapshotStaysUntilCommit) {
    CAdrHistory h;
    edit(h, aioFax(1, "A"));
    h.Begin();
    h.Store(aioFax(1, "B"));
    EXPECT_EQ(faxName(*h.GetCurrent()), "A");
    EXPECT_EQ(h.GetWorking()->Map<CAdrMemberAioFax>().Lookup(1)->GetChangeMark(), 1u);
    CAdrData before;
    EXPECT_TRUE(h.Commit(&before));
    EXPECT_EQ(faxName(before), "A");
    EXPECT_EQ(faxName(*h.GetCurrent()), "B");
    EXPECT_EQ(faxName(h.GetSnapshot(0)), "A");
}

TEST(HistorySteps, failedStoreKeepsTheStepWithEarlierChanges) {
    CAdrHistory h;
    h.Begin();
    h.Store(aioFax(1));
    try {
        h.Store(CAdrMemberAioFax{});
        FAIL() << "an entry without an ID was stored";
    } catch (int code) {
        EXPECT_EQ(code, AdrErrBadArgument);
    }
    EXPECT_TRUE(h.IsStepOpen());
    EXPECT_TRUE(h.Commit());
    EXPECT_EQ(h.GetCurrent()->Map<CAdrMemberAioFax>().GetCount(), 1);
}

TEST(HistoryUndo, elevenEditsLeaveNineUndos) {
    CAdrHistory h;
    for (int i = 1; i <= 11; ++i) edit(h, aioFax(1, QString::number(i)));
    EXPECT_EQ(h.GetSnapshotCount(), CAdrHistory::kMaxSnapshots);
    EXPECT_EQ(h.GetCurrentIndex(), 9);
    int undos = 0;
    while (h.Undo()) ++undos;
    EXPECT_EQ(undos, 9);
    EXPECT_EQ(faxName(*h.GetCurrent()), "2");
    EXPECT_TRUE(h.Redo());
    EXPECT_EQ(faxName(*h.GetCurrent()), "3");
}

TEST(HistoryUndo, anEditAfterTwoUndosEndsTheRedoChain) {
    CAdrHistory h;
    for (int i = 1; i <= 4; ++i) edit(h, aioFax(1, QString::number(i)));
    h.Undo();
    h.Undo();
    EXPECT_TRUE(h.CanRedo());
    edit(h, aioFax(1, "new"));
    EXPECT_FALSE(h.CanRedo());
    EXPECT_EQ(h.GetSnapshotCount(), 3);
    EXPECT_EQ(faxName(h.GetSnapshot(1)), "2");
    EXPECT_EQ(faxName(*h.GetCurrent()), "new");
}

TEST(HistoryUndo, notWhileAStepIsOpen) {
    CAdrHistory h;
    edit(h, aioFax(1, "A"));
    edit(h, aioFax(1, "B"));
    h.Begin();
    EXPECT_FALSE(h.CanUndo());
    EXPECT_FALSE(h.Undo());
    EXPECT_EQ(h.GetCurrentIndex(), 1);
}

class HistoryDelete : public ::testing::Test {
protected:
    void SetUp() override {
        CAdrData d = test::smallDataSet();  // fax 1, 2 in fax group 1; email 3 in group 1; pc fax 10 in group 4
        d.StoreCopy(test::group<CAdrGroupAioFax>(2, {2}));
        h.Begin();
        h.BringIn(CAdrHistory::kAllKinds, CAdrHistory::BringInPlain, d);
        h.Commit();
        h.Begin();
    }
    const CAdrData &working() const { return *h.GetWorking(); }

    CAdrHistory h;
};

TEST_F(HistoryDelete, memberLeavesEveryGroupOfItsBook) {
    ASSERT_TRUE(h.Delete(AdrKindAioFax, 2));
    EXPECT_EQ(working().Map<CAdrMemberAioFax>().Lookup(2), nullptr);
    const CAdrGroupAioFax *both = working().Map<CAdrGroupAioFax>().Lookup(1);
    const CAdrGroupAioFax *only = working().Map<CAdrGroupAioFax>().Lookup(2);
    EXPECT_EQ(both->GetMemberIDs(), QList<quint16>{1});
    EXPECT_EQ(both->GetChangeMark(), 1u);
    EXPECT_EQ(only->CountMembers(), 0);  // an emptied group stays
    EXPECT_EQ(only->GetChangeMark(), 1u);
    EXPECT_EQ(test::markedCount(working()), 2);

    ASSERT_TRUE(h.Delete(AdrKindPcFax, 10));
    EXPECT_EQ(working().Map<CAdrGroupPcFax>().Lookup(4)->CountMembers(), 0);
}

TEST_F(HistoryDelete, groupMarksItsMembersAsChanged) {
    ASSERT_TRUE(h.Delete(AdrKindAioEmailGroup, 1));
    EXPECT_EQ(working().Map<CAdrGroupAioEmail>().Lookup(1), nullptr);
    EXPECT_EQ(working().Map<CAdrMemberAioEmail>().Lookup(3)->GetChangeMark(), 1u);
    EXPECT_EQ(test::markedCount(working()), 1);
}

TEST_F(HistoryDelete, absentEntryOrUnknownKindChangesNothing) {
    EXPECT_FALSE(h.Delete(AdrKindAioFax, 50));
    EXPECT_FALSE(h.Delete(AdrKindSubComm, 1));
    EXPECT_FALSE(h.Delete(AdrPartAioFax, 1));
    EXPECT_FALSE(h.Commit());
}

struct ServerDeletion {
    const char *name;
    CAdrHistory::ServerShare share;
    quint8 isShared;
    bool removed;
    QList<quint16> kept;
};

TEST(HistoryDeleteServer, serverTakesItsRecordAlongAsAnswered) {
    using S = CAdrHistory::ServerShare;
    const ServerDeletion cases[] = {
        {"unshare", S::Unshare, 1, true, {}},
        {"keep shared", S::KeepShared, 1, true, {7}},
        {"keep shared, never shared", S::KeepShared, 0, true, {}},
        {"keep server", S::KeepServer, 1, false, {}},
    };
    for (const ServerDeletion &c : cases) {
        SCOPED_TRACE(c.name);
        CAdrHistory h;
        h.Begin();
        CAdrShareData record = test::shareRecord(2);
        record.recordId = 7;
        record.isShared = c.isShared;
        h.StoreServer(test::server(2), &record);
        EXPECT_EQ(h.Delete(AdrKindServer, 2, c.share), c.removed);
        EXPECT_EQ(h.GetWorking()->Map<CAdrMemberAioServer>().Lookup(2) == nullptr, c.removed);
        EXPECT_EQ(h.GetWorking()->ShareData().Lookup(2) == nullptr, c.removed);
        EXPECT_EQ(h.GetWorkingTable()->GetKeptRecords(), c.kept);
    }
}

struct PartsCase {
    quint16 parts;
    quint32 kinds;
};

TEST(HistoryBringIn, partsSelectTheirKinds) {
    const PartsCase cases[] = {
        {0x1, AdrPartPcFax},
        {0x100, AdrPartAioFax | AdrKindSubComm},
        {0x200, AdrPartAioEmail | AdrKindSubComm},
        {0x400, AdrKindServer | AdrKindSubComm},
        {0x600, AdrPartAioEmail | AdrKindServer | AdrKindSubComm},
        {0x700, AdrKindsAll},
        {0x701, AdrKindsAll},
        {0x601, AdrPartPcFax | AdrPartAioEmail | AdrKindServer | AdrKindSubComm},
    };
    const CAdrData source = test::smallDataSet();
    for (const PartsCase &c : cases) {
        EXPECT_EQ(CAdrHistory::KindsOfParts(c.parts), c.kinds) << std::hex << c.parts;
        CAdrHistory h;
        h.Begin();
        h.BringIn(c.parts, CAdrHistory::BringInPlain, source);
        CAdrData expected;
        expected.CopyKinds(source, c.kinds);
        EXPECT_EQ(h.GetWorking()->EqualPerKind(expected), (CAdrEquality{true, true, true, true, true}))
            << std::hex << c.parts;
    }
}

TEST(HistoryBringIn, markModeMarksWhatDiffersFromTheCurrentSnapshot) {
    CAdrHistory h;
    h.Begin();
    h.BringIn(CAdrHistory::kAllKinds, CAdrHistory::BringInPlain, test::smallDataSet());
    h.Commit();
    CAdrData restored = test::smallDataSet();
    restored.StoreCopy(aioFax(2, "Restored"));
    h.Begin();
    h.ClearKind(AdrPartMachine);
    h.BringIn(CAdrHistory::kAllKinds, CAdrHistory::BringInMarkDifferences, restored);
    EXPECT_EQ(test::markedCount(*h.GetWorking()), 1);
    EXPECT_EQ(h.GetWorking()->Map<CAdrMemberAioFax>().Lookup(2)->GetChangeMark(), 1u);
}

TEST(HistoryBringIn, clearModeClearsMarksOfTheNamedPartsOnly) {
    CAdrHistory h;
    h.Begin();
    h.Store(aioFax(1));
    h.Store(test::aioEmail(1));
    h.Store(test::pcFax(1));
    h.StoreServer(test::server(1), nullptr);
    h.Commit();
    CAdrData current;
    h.CopyCurrent(&current);
    h.Begin();
    h.BringIn(CAdrHistory::kAllKinds, CAdrHistory::BringInClearMarks, current);
    EXPECT_EQ(test::markedCount(*h.GetWorking()), 1);
    EXPECT_EQ(h.GetWorking()->Map<CAdrMemberPcFax>().Lookup(1)->GetChangeMark(), 1u);
    h.BringIn(CAdrHistory::kPartPcFax, CAdrHistory::BringInClearMarks, current);
    EXPECT_EQ(h.GetWorking()->Map<CAdrMemberPcFax>().Lookup(1)->GetChangeMark(), 0u);
}

// A history whose steps alternate between the books, each snapshot written
// as "<pc fax> <fax> <email>": P0 A0 E0, P1 A0 E0, P1 A1 E0, P2 A1 E0, P2 A1 E1.
class HistoryReplace : public ::testing::TestWithParam<std::pair<quint16, QStringList>> {
protected:
    static QString describe(const CAdrData &d) {
        return QStringLiteral("%1 %2 %3")
            .arg(d.Map<CAdrMemberPcFax>().Lookup(1)->GetName(), faxName(d),
                 d.Map<CAdrMemberAioEmail>().Lookup(1)->GetEmailAddress());
    }
    void SetUp() override {
        h.Begin();
        h.Store(test::pcFax(1, "P0"));
        h.Store(aioFax(1, "A0"));
        h.Store(test::aioEmail(1, "E0"));
        h.Commit();
        edit(h, test::pcFax(1, "P1"));
        edit(h, aioFax(1, "A1"));
        edit(h, test::pcFax(1, "P2"));
        edit(h, test::aioEmail(1, "E1"));
    }
    QStringList snapshots() const {
        QStringList all;
        for (int i = 0; i < h.GetSnapshotCount(); ++i) all.append(describe(h.GetSnapshot(i)));
        return all;
    }

    CAdrHistory h;
};

TEST_P(HistoryReplace, earlierSnapshotsDifferOnlyInWhatWasNotSaved) {
    const auto &[parts, expected] = GetParam();
    ASSERT_EQ(snapshots(), (QStringList{"P0 A0 E0", "P1 A0 E0", "P1 A1 E0", "P2 A1 E0", "P2 A1 E1"}));
    CAdrData saved;
    h.CopyCurrent(&saved);
    ASSERT_TRUE(h.Begin());
    h.BringIn(parts, CAdrHistory::BringInClearMarks, saved);
    h.SetReplaceFlags(parts);
    ASSERT_TRUE(h.Commit());
    EXPECT_EQ(snapshots(), expected);
    EXPECT_EQ(h.GetCurrentIndex(), expected.size() - 1);
    EXPECT_FALSE(h.CanRedo());
}

const QStringList kMachineWhole = {"P0 A1 E1", "P1 A1 E1", "P2 A1 E1"};
const QStringList kMachineWithoutFax = {"P0 A0 E1", "P1 A0 E1", "P1 A1 E1", "P2 A1 E1"};

INSTANTIATE_TEST_SUITE_P(
    Parts, HistoryReplace,
    ::testing::Values(std::pair<quint16, QStringList>{0x1, {"P2 A0 E0", "P2 A1 E0", "P2 A1 E1"}},
                      std::pair<quint16, QStringList>{0x100, kMachineWhole},
                      std::pair<quint16, QStringList>{0x200, kMachineWithoutFax},
                      std::pair<quint16, QStringList>{0x400, kMachineWithoutFax},
                      std::pair<quint16, QStringList>{0x600, kMachineWithoutFax},
                      std::pair<quint16, QStringList>{0x700, kMachineWhole},
                      std::pair<quint16, QStringList>{0x601, {"P2 A0 E1", "P2 A1 E1"}},
                      std::pair<quint16, QStringList>{0x701, {"P2 A1 E1"}}),
    [](const auto &info) { return QStringLiteral("flags%1").arg(info.param.first, 0, 16).toStdString(); });

TEST(HistoryReplaceRules, undoingAMachineChangeKeepsTheSavedPcFaxBook) {
    CAdrHistory h;
    h.Begin();
    h.Store(test::pcFax(1, "P0"));
    h.Store(aioFax(1, "A0"));
    h.Commit();
    edit(h, aioFax(1, "A1"));
    h.Begin();
    h.Delete(AdrKindPcFax, 1);
    h.Store(test::pcFax(2, "P2"));
    h.Commit();

    CAdrData saved;
    h.CopyCurrent(&saved);
    h.Begin();
    h.ClearKind(AdrPartPcFax);
    h.BringIn(CAdrHistory::kPartPcFax, CAdrHistory::BringInClearMarks, saved);
    h.SetReplaceFlags(CAdrHistory::kPartPcFax);
    h.Commit();

    ASSERT_TRUE(h.Undo());
    const CAdrData &undone = *h.GetCurrent();
    EXPECT_EQ(faxName(undone), "A0");
    EXPECT_TRUE(undone.EqualPerKind(saved).pcFax);  // member 1 stays deleted
    // Saved entries lost their marks; the unsaved machine entry keeps its own.
    EXPECT_EQ(undone.Map<CAdrMemberPcFax>().Lookup(2)->GetChangeMark(), 0u);
    EXPECT_EQ(undone.Map<CAdrMemberAioFax>().Lookup(1)->GetChangeMark(), 1u);
    EXPECT_FALSE(h.CanUndo());
}

TEST(HistoryReplaceRules, savingBothBooksLeavesNothingToUndo) {
    CAdrHistory h;
    for (int i = 0; i < 4; ++i) edit(h, aioFax(1, QString::number(i)));
    h.Undo();
    CAdrData saved;
    h.CopyCurrent(&saved);
    h.Begin();
    h.BringIn(0x701, CAdrHistory::BringInClearMarks, saved);
    h.SetReplaceFlags(0x701);
    h.Commit();
    EXPECT_EQ(h.GetSnapshotCount(), 1);
    EXPECT_FALSE(h.CanUndo());
    EXPECT_FALSE(h.CanRedo());
    EXPECT_EQ(faxName(*h.GetCurrent()), "2");
}

TEST(HistoryReplaceRules, pcFaxSaveKeepsSnapshotsWhoseIdTablesDiffer) {
    CAdrHistory h;
    edit(h, test::pcFax(1, "P0"));
    h.Begin();
    h.Store(test::pcFax(1, "P1"));
    h.GetWorkingTable()->AddKeptRecord(3);
    h.Commit();
    CAdrData saved;
    h.CopyCurrent(&saved);
    h.Begin();
    h.BringIn(CAdrHistory::kPartPcFax, CAdrHistory::BringInClearMarks, saved);
    h.SetReplaceFlags(CAdrHistory::kPartPcFax);
    h.Commit();
    ASSERT_EQ(h.GetSnapshotCount(), 2);
    EXPECT_TRUE(h.GetTable(0).GetKeptRecords().isEmpty());
    EXPECT_EQ(h.GetSnapshot(0).Map<CAdrMemberPcFax>().Lookup(1)->GetName(), "P1");
}

TEST(HistoryReplaceRules, machineSaveGivesEarlierSnapshotsTheNewIdTable) {
    CAdrHistory h;
    edit(h, test::pcFax(1, "P0"));
    edit(h, test::pcFax(1, "P1"));
    CAdrData saved;
    h.CopyCurrent(&saved);
    h.Begin();
    h.GetWorkingTable()->SetAt(1, 4);
    h.BringIn(0x700, CAdrHistory::BringInClearMarks, saved);
    h.SetReplaceFlags(0x700);
    h.Commit();
    ASSERT_EQ(h.GetSnapshotCount(), 2);
    EXPECT_EQ(h.GetTable(0).Lookup(1), 4);
}

TEST(HistorySnapshots, eachBehavesAsAnIndependentDataSet) {
    CAdrHistory h;
    edit(h, test::pcFax(1, "P0"));
    h.Begin();
    h.Delete(AdrKindPcFax, 1);
    h.Store(test::pcFax(2, "P2"));
    h.Commit();
    EXPECT_NE(h.GetSnapshot(0).Map<CAdrMemberPcFax>().Lookup(1), nullptr);
    EXPECT_EQ(h.GetSnapshot(0).Map<CAdrMemberPcFax>().Lookup(2), nullptr);
    EXPECT_EQ(h.GetSnapshot(1).Map<CAdrMemberPcFax>().Lookup(1), nullptr);
}

}  // namespace
