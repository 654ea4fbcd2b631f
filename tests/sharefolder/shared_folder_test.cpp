#include "document/shared_folder.h"
#include "fake_share_service.h"
#include "support/scripted_prompt.h"
#include "share_builders.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SharedFolderTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakeShareService service;
    ScriptedPrompt prompt;
    CSharedFolder folder{service, prompt, dir.filePath("Data.dat")};
};

TEST_F(SharedFolderTest, recognisesThisPcByNameOrAddress) {
    const struct {
        const char *host;
        bool thisPc;
    } cases[] = {
        {"OFFICE-PC", true}, {"office-pc", true}, {"192.168.1.20", true},
        {"192.168.1.21", false}, {"OTHER", false}, {"", false},
    };
    for (const auto &c : cases) EXPECT_EQ(folder.IsThisPc(c.host), c.thisPc) << c.host;
}

TEST_F(SharedFolderTest, emptyHostIsNotThisPcEvenWithoutAnAddress) {
    service.address.clear();
    EXPECT_FALSE(folder.IsThisPc(""));
}

TEST_F(SharedFolderTest, sharesFolderAndGrantsTheAccount) {
    CAdrShareData r = shareRecord(1, "Scans");
    ASSERT_TRUE(folder.ShareRecord(r));
    EXPECT_EQ(r.isShared, 1);
    EXPECT_EQ(service.shares, (QList<ShareEntry>{{"Scans", "/home/alice/Scans"}}));
    EXPECT_EQ(service.shareAccounts.value("Scans"), "scan");
    EXPECT_TRUE(service.folderAccess.value("/home/alice/Scans").contains("scan"));
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST_F(SharedFolderTest, existingShareNameCountsAsSharedWithoutMessage) {
    service.shares.append(ShareEntry{"SCANS", "/elsewhere"});
    CAdrShareData r = shareRecord(1, "Scans");
    ASSERT_TRUE(folder.ShareRecord(r));
    EXPECT_EQ(r.isShared, 1);
    EXPECT_EQ(service.shares.size(), 1);
    EXPECT_TRUE(service.folderAccess.isEmpty());
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST_F(SharedFolderTest, leavesRecordsThatAreNotToBeSharedAlone) {
    CAdrShareData manual = shareRecord(1, "Scans");
    manual.autoShare = 0;
    CAdrShareData done = shareRecord(2, "Done");
    done.isShared = 1;
    EXPECT_TRUE(folder.ShareRecord(manual));
    EXPECT_TRUE(folder.ShareRecord(done));
    EXPECT_EQ(manual.isShared, 0);
    EXPECT_TRUE(service.shares.isEmpty());
}

// Every failing platform call reports once and leaves neither the record
// marked nor a share behind.
TEST_F(SharedFolderTest, failedShareReportsAndLeavesNoShare) {
    for (FakeShareService::Call call : {FakeShareService::List, FakeShareService::Lookup, FakeShareService::Add,
                                        FakeShareService::Grant}) {
        FakeShareService failingService;
        ScriptedPrompt asked;
        CSharedFolder sharing(failingService, asked, dir.filePath("Data.dat"));
        failingService.failing.insert(call);
        CAdrShareData r = shareRecord(1, "Scans");
        EXPECT_FALSE(sharing.ShareRecord(r)) << call;
        EXPECT_EQ(r.isShared, 0) << call;
        EXPECT_TRUE(failingService.shares.isEmpty()) << call;
        EXPECT_EQ(asked.shown, QStringList{CSharedFolder::kMsgShareFailed}) << call;
    }
}

TEST_F(SharedFolderTest, listingFailureOtherThanRefusalStillShares) {
    service.failing.insert(FakeShareService::List);
    service.listFailure = ShareListResult::Failed;
    CAdrShareData r = shareRecord(1, "Scans");
    EXPECT_TRUE(folder.ShareRecord(r));
    EXPECT_TRUE(service.isShared("Scans"));
}

TEST_F(SharedFolderTest, createsScanUserOnceWhenTheRecordAsksForIt) {
    folder.ScanUser() = {0, "scanner", "secret"};
    CAdrShareData first = shareRecord(1, "Scans", "scanner");
    first.createScanUser = 1;
    CAdrShareData second = shareRecord(2, "More", "scanner");
    second.createScanUser = 1;
    ASSERT_TRUE(folder.ShareRecord(first));
    ASSERT_TRUE(folder.ShareRecord(second));
    EXPECT_EQ(service.createdUsers, QStringList{"scanner:secret"});
    EXPECT_EQ(folder.ScanUser().created, 1);
    EXPECT_EQ(service.shareAccounts.value("Scans"), "scanner");
}

TEST_F(SharedFolderTest, failedScanUserReportsAndDoesNotShare) {
    service.failing.insert(FakeShareService::CreateUser);
    folder.ScanUser() = {0, "scanner", "secret"};
    CAdrShareData r = shareRecord(1, "Scans", "scanner");
    r.createScanUser = 1;
    EXPECT_FALSE(folder.ShareRecord(r));
    EXPECT_EQ(folder.ScanUser().created, 0);
    EXPECT_TRUE(service.shares.isEmpty());
    EXPECT_EQ(prompt.shown, QStringList{CSharedFolder::kMsgCreateUserFailed});
}

TEST_F(SharedFolderTest, unshareRemovesShareAndForeignAccessOnly) {
    const struct {
        const char *login;
        bool accessKept;
    } cases[] = {{"scan", false}, {"ALICE", true}, {"administrator", true}};
    for (const auto &c : cases) {
        CAdrShareData r = shareRecord(1, "Scans", c.login);
        r.isShared = 1;
        service.shares = {{"Scans", r.localFolder}};
        service.folderAccess[r.localFolder] = {c.login};
        ASSERT_TRUE(folder.UnshareRecord(r, false)) << c.login;
        EXPECT_EQ(r.isShared, 0) << c.login;
        EXPECT_TRUE(service.shares.isEmpty()) << c.login;
        EXPECT_EQ(service.folderAccess.value(r.localFolder).contains(c.login), c.accessKept) << c.login;
    }
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST_F(SharedFolderTest, unshareOfAnotherHostKeepsLocalShares) {
    CAdrShareData r = shareRecord(1, "Scans");
    r.isShared = 1;
    r.hostName = "FILESERVER";
    service.shares = {{"Scans", r.localFolder}};
    ASSERT_TRUE(folder.UnshareRecord(r, true));
    EXPECT_TRUE(service.isShared("Scans"));
    EXPECT_EQ(r.isShared, 0);
    EXPECT_EQ(prompt.shown, QStringList{CSharedFolder::kMsgUnshared});
}

TEST_F(SharedFolderTest, failedUnshareReportsAndKeepsRecordShared) {
    CAdrShareData r = shareRecord(1, "Scans");
    r.isShared = 1;
    service.shares = {{"Scans", r.localFolder}};
    service.failing.insert(FakeShareService::Delete);
    EXPECT_FALSE(folder.UnshareRecord(r, true));
    EXPECT_EQ(r.isShared, 1);
    EXPECT_EQ(prompt.shown, QStringList{CSharedFolder::kMsgUnshareFailed});
}

class CheckAfterReadTest : public SharedFolderTest {
protected:
    void SetUp() override {
        CAdrShareData r = shareRecord(2, "Scans", "scanner");
        r.isShared = 1;
        data.StoreServerCopy(serverFor(r), &r);
        folder.ScanUser() = {1, "scanner", "secret"};
        service.accounts.insert("scanner");
    }
    CAdrData data;
};

TEST_F(CheckAfterReadTest, asksNothingWhileTheFolderIsShared) {
    service.shares = {{"OtherName", "/home/alice/Scans/"}};
    folder.CheckSharesAfterRead(data);
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST_F(CheckAfterReadTest, recoversAMissingShareForTheScanUser) {
    prompt.answers = {PromptAnswer::Yes};
    folder.CheckSharesAfterRead(data);
    EXPECT_EQ(prompt.shown, QStringList{CSharedFolder::kMsgRecoverShare.arg("Scans")});
    EXPECT_EQ(service.shareAccounts.value("Scans"), "scanner");
    EXPECT_TRUE(service.createdUsers.isEmpty());
}

TEST_F(CheckAfterReadTest, declinedRecoveryChangesNothing) {
    prompt.answers = {PromptAnswer::No};
    folder.CheckSharesAfterRead(data);
    EXPECT_TRUE(service.shares.isEmpty());
    EXPECT_EQ(prompt.shown.size(), 1);
}

TEST_F(CheckAfterReadTest, recreatesAScanUserThatWentAway) {
    service.accounts.remove("scanner");
    prompt.answers = {PromptAnswer::Yes};
    folder.CheckSharesAfterRead(data);
    EXPECT_EQ(service.createdUsers, QStringList{"scanner:secret"});
    EXPECT_TRUE(service.isShared("Scans"));
}

TEST_F(CheckAfterReadTest, recoveredShareMarksTheServersRecord) {
    CAdrShareData r = *data.ShareData().Lookup(2);
    r.isShared = 0;
    data.StoreServerCopy(serverFor(r), &r);
    prompt.answers = {PromptAnswer::Yes};
    folder.CheckSharesAfterRead(data);
    EXPECT_EQ(data.ShareData().Lookup(2)->isShared, 1);
}

}  // namespace
