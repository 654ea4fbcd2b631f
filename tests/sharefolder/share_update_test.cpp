#include "document/shared_folder.h"
#include "fake_share_service.h"
#include "support/scripted_prompt.h"
#include "share_builders.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(MatchRecords, numbersRecordsAndLinksEachServerToItsFirstEqualRecord) {
    CAdrData data;
    const CAdrShareData scans = shareRecord(1, "Scans");
    data.StoreServerCopy(serverFor(scans), nullptr);
    CAdrShareData other = shareRecord(2, "Docs");
    CAdrMemberAioServer changed = serverFor(other);
    changed.SetLoginPassword("new");  // the record no longer describes the server
    data.StoreServerCopy(changed, &other);

    CAdrShareData wrongServer = scans;
    wrongServer.serverId = 3;
    CAdrArray<CAdrShareData> records{wrongServer, other, scans, scans};
    CTblMap table;
    table.SetAt(2, 7);
    table.SetAt(4, 9);  // no server 4: left as it is

    CSharedFolder::MatchRecords(records, data, table);

    EXPECT_EQ(records[0].recordId, 1);
    EXPECT_EQ(records[3].recordId, 4);
    EXPECT_EQ(table.Lookup(1), 3);
    EXPECT_EQ(table.Lookup(2), 0);
    EXPECT_EQ(table.Lookup(4), 9);
    ASSERT_NE(data.ShareData().Lookup(1), nullptr);
    EXPECT_EQ(data.ShareData().Lookup(1)->recordId, 3);
    EXPECT_EQ(data.ShareData().Lookup(2), nullptr);
}

// A book with servers 1 and 2 whose folders are shared, as after a matched load.
class UpdateOnSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (quint16 id : {1, 2}) {
            CAdrShareData r = shareRecord(id, id == 1 ? "Scans" : "Docs");
            r.isShared = 1;
            records.push_back(r);
            data.StoreServerCopy(serverFor(r), nullptr);
            service.shares.append(ShareEntry{r.shareName, r.localFolder});
            service.folderAccess[r.localFolder] = {r.loginName};
        }
        folder.ScanUser() = {1, "scan", "pw"};
        CSharedFolder::MatchRecords(records, data, table);
    }

    void save() { folder.UpdateSharesOnSave(records, data, table); }

    QTemporaryDir dir;
    FakeShareService service;
    ScriptedPrompt prompt;
    CSharedFolder folder{service, prompt, dir.filePath("Data.dat")};
    CAdrArray<CAdrShareData> records;
    CAdrData data;
    CTblMap table;
};

TEST_F(UpdateOnSaveTest, unchangedServersChangeNothing) {
    const CAdrArray<CAdrShareData> before = records;
    save();
    EXPECT_EQ(records, before);
    EXPECT_EQ(service.shares.size(), 2);
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST_F(UpdateOnSaveTest, newServerIsSharedAndJoinsTheList) {
    const CAdrShareData fresh = shareRecord(3, "New");
    data.StoreServerCopy(serverFor(fresh), &fresh);
    save();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2].shareName, "New");
    EXPECT_EQ(records[2].isShared, 1);
    EXPECT_EQ(table.Lookup(3), 3);
    EXPECT_EQ(data.ShareData().Lookup(3)->isShared, 1);
    EXPECT_TRUE(service.isShared("New"));
}

TEST_F(UpdateOnSaveTest, failedNewShareStaysOutOfTheList) {
    service.failing.insert(FakeShareService::Add);
    const CAdrShareData fresh = shareRecord(3, "New");
    data.StoreServerCopy(serverFor(fresh), &fresh);
    save();
    EXPECT_EQ(records.size(), 2u);
    EXPECT_EQ(table.Lookup(3), 0);
    EXPECT_EQ(prompt.shown, QStringList{CSharedFolder::kMsgShareFailed});
}

TEST_F(UpdateOnSaveTest, deletedServerLosesItsShare) {
    data.Remove(AdrKindServer, 1);
    save();
    EXPECT_FALSE(service.isShared("Scans"));
    EXPECT_FALSE(service.folderAccess.value("/home/alice/Scans").contains("scan"));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].shareName, "Docs");
}

TEST_F(UpdateOnSaveTest, keptServerShareStaysUnmanagedInTheSavedFile) {
    table.AddKeptRecord(table.Lookup(1));
    data.Remove(AdrKindServer, 1);
    save();
    EXPECT_TRUE(service.isShared("Scans"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].autoShare, 0);
    EXPECT_EQ(records[0].isShared, 1);

    ASSERT_TRUE(folder.SaveFile(records));
    CAdrArray<CAdrShareData> loaded;
    folder.LoadFile(loaded);
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0].shareName, "Scans");
    EXPECT_EQ(loaded[0].autoShare, 0);
}

TEST_F(UpdateOnSaveTest, failedUnshareOfDeletedServerIsTriedAgainNextSave) {
    data.Remove(AdrKindServer, 1);
    service.failing.insert(FakeShareService::Delete);
    save();
    EXPECT_EQ(records.size(), 2u);
    service.failing.clear();
    save();
    EXPECT_FALSE(service.isShared("Scans"));
    EXPECT_EQ(records.size(), 1u);
}

// The numbers of the records change when one leaves the list; the number
// noted for the gone server must not come to name another record.
TEST_F(UpdateOnSaveTest, secondSaveAfterDeletionKeepsTheOtherShare) {
    data.Remove(AdrKindServer, 1);
    save();
    save();
    EXPECT_TRUE(service.isShared("Docs"));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].autoShare, 1);
}

TEST_F(UpdateOnSaveTest, changedServerIsSharedAnew) {
    CAdrShareData moved = *data.ShareData().Lookup(2);
    moved.shareName = "Docs2";
    moved.localFolder = "/home/alice/Docs2";
    CAdrMemberAioServer server = serverFor(moved);
    data.StoreServerCopy(server, &moved);
    save();
    EXPECT_FALSE(service.isShared("Docs"));
    EXPECT_TRUE(service.isShared("Docs2"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].shareName, "Docs2");
    EXPECT_EQ(records[1].isShared, 1);
    EXPECT_EQ(table.Lookup(2), 2);
    EXPECT_EQ(data.ShareData().Lookup(2)->isShared, 1);
}

TEST_F(UpdateOnSaveTest, autoShareTurnedOffRemovesTheShare) {
    CAdrShareData manual = *data.ShareData().Lookup(2);
    manual.autoShare = 0;
    data.StoreServerCopy(serverFor(manual), &manual);
    save();
    EXPECT_FALSE(service.isShared("Docs"));
    EXPECT_EQ(records[1].autoShare, 0);
    EXPECT_EQ(records[1].isShared, 0);
}

TEST_F(UpdateOnSaveTest, scanUserThatNoLongerExistsIsForgotten) {
    service.accounts.remove("scan");
    save();
    EXPECT_EQ(folder.ScanUser(), ScanUserState{});
}

}  // namespace
