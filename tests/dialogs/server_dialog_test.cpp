// The server address dialog, offscreen: its port rule, the password
// confirmation and the settings that share a folder of this PC.
#include "dialog_fixture.h"
#include "dialogs/field_rules.h"
#include "dialogs/server_dialog.h"
#include "sharefolder/fake_share_service.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

using namespace lqa::ids;
using test::text;

class ServerDialogTest : public ::testing::Test {
protected:
    ServerDialogTest() {
        service.computer = QStringLiteral("OFFICE-PC");
        service.address = QStringLiteral("192.168.1.20");
        service.accounts = {QStringLiteral("alice")};
    }

    // A computer share on another computer, every field valid.
    static CAdrMemberAioServer validEntry() {
        CAdrMemberAioServer e;
        e.SetID(2);
        e.SetName(QStringLiteral("File Server"));
        e.SetHostName(QStringLiteral("files.example.com"));
        e.SetShareName(QStringLiteral("scans"));
        e.SetFolderPath(QStringLiteral("incoming\\mfp"));
        e.SetLoginName(QStringLiteral("scanner"));
        e.SetLoginPassword(QStringLiteral("s3cret"));
        e.SetPortNumber(139);
        return e;
    }

    CDlgServerAddress &open(const CAdrMemberAioServer &start) {
        entry = start;
        dialog = std::make_unique<CDlgServerAddress>(entry, settings, data, service, prompt);
        return *dialog;
    }

    CAdrData data;
    ScriptedPrompt prompt;
    FakeShareService service;
    CAdrMemberAioServer entry;
    ServerShareSettings settings;
    std::unique_ptr<CDlgServerAddress> dialog;
};

TEST_F(ServerDialogTest, portsFollowTheRuleOfTheServerType) {
    const struct {
        bool ftp;
        const char *port;
        int message;
    } cases[] = {
        {false, "446", MsgPortRuleSmb}, {false, "445", 0}, {false, "5000", 0},
        {true, "139", MsgPortRuleFtp},  {true, "21", 0},   {true, "65535", 0},
    };
    for (const auto &c : cases) {
        CDlgServerAddress &d = open(validEntry());
        (c.ftp ? d.FtpButton() : d.SmbButton())->setChecked(true);
        d.DefaultPortBox()->setChecked(false);
        d.PortField()->setText(QString::fromLatin1(c.port));
        prompt.shown.clear();
        EXPECT_EQ(test::pressOk(d), c.message == 0) << c.port;
        EXPECT_EQ(prompt.shown, c.message ? QStringList{text(c.message)} : QStringList{}) << c.port;
        if (c.message) EXPECT_EQ(d.focusWidget(), d.PortField());
        else EXPECT_EQ(entry.GetPortNumber(), QString::fromLatin1(c.port).toUShort());
    }
}

// The default of an FTP server must pass the FTP rule.
TEST_F(ServerDialogTest, theDefaultPortBoxShowsTheDefaultOfTheType) {
    CDlgServerAddress &d = open(validEntry());
    EXPECT_TRUE(d.DefaultPortBox()->isChecked());
    EXPECT_FALSE(d.PortField()->isEnabled());
    EXPECT_EQ(d.PortField()->text(), QStringLiteral("139"));
    d.FtpButton()->setChecked(true);
    EXPECT_EQ(d.PortField()->text(), QStringLiteral("21"));
    EXPECT_TRUE(test::pressOk(d));
    EXPECT_EQ(entry.GetServerType(), CAdrMemberAioServer::kTypeFtp);
    EXPECT_EQ(entry.GetPortNumber(), 21);

    CAdrMemberAioServer own = validEntry();
    own.SetPortNumber(8139);
    CDlgServerAddress &other = open(own);
    EXPECT_FALSE(other.DefaultPortBox()->isChecked());
    EXPECT_TRUE(other.PortField()->isEnabled());
    EXPECT_EQ(other.PortField()->text(), QStringLiteral("8139"));
    other.DefaultPortBox()->setChecked(true);
    EXPECT_EQ(other.PortField()->text(), QStringLiteral("139"));
}

TEST_F(ServerDialogTest, fieldsAreCheckedInTableOrderAndThePasswordsLast) {
    const struct {
        const char *field;
        const char16_t *value;
        QString message;
    } cases[] = {
        {"host", u"files_example", CharacterErrorText(FieldServerName, RuleServerName)},
        {"share", u"sc\u00e4ns", CharacterErrorText(FieldShareName, RulePrintable)},
        {"path", u"incoming/mfp", CharacterErrorText(FieldPath, RuleFileName)},
        {"path", u"in\u00e9", CharacterErrorText(FieldPath, RulePrintable)},
        {"login", u"sc\u00e4nner", CharacterErrorText(FieldLoginName, RulePrintable)},
        {"confirm", u"other", text(MsgPasswordMismatch)},
        {"share", u"", FillInText({text(FieldShareName)})},
    };
    for (const auto &c : cases) {
        CDlgServerAddress &d = open(validEntry());
        const QByteArray field(c.field);
        CDlgCtrlEdit *edit = field == "host"    ? d.HostField()
                             : field == "share" ? d.ShareField()
                             : field == "path"  ? d.PathField()
                             : field == "login" ? d.LoginField()
                                                : d.ConfirmField();
        edit->setText(QString::fromUtf16(c.value));
        // A bad port is checked after the other fields, before the passwords.
        d.DefaultPortBox()->setChecked(false);
        d.PortField()->setText(field == "confirm" ? QStringLiteral("445") : QStringLiteral("446"));
        prompt.shown.clear();
        EXPECT_FALSE(test::pressOk(d)) << c.field;
        EXPECT_EQ(prompt.shown, QStringList{c.message}) << c.field;
        EXPECT_EQ(d.focusWidget(), field == "confirm" ? d.PasswordField() : edit) << c.field;
    }
    EXPECT_EQ(entry, validEntry());
}

TEST_F(ServerDialogTest, aServerWithoutAutoShareHasNoSharedFolderRecord) {
    settings.record = test::shareRecord(2);
    settings.record.autoShare = 1;
    CDlgServerAddress &d = open(validEntry());
    EXPECT_TRUE(d.AutoShareBox()->isChecked());
    d.AutoShareBox()->setChecked(false);
    EXPECT_TRUE(test::pressOk(d));
    EXPECT_EQ(settings.record.serverId, 0);
    // An FTP server never shares a folder of this PC.
    EXPECT_FALSE(open(validEntry()).FtpButton()->isChecked());
    dialog->FtpButton()->setChecked(true);
    EXPECT_FALSE(dialog->ScanToPcBox()->isEnabled());
}

class AutoShareTest : public ServerDialogTest {
protected:
    // A share of a folder of this PC for the existing account "alice".
    CDlgServerAddress &openForThisPc() {
        CAdrMemberAioServer e = validEntry();
        e.SetHostName(QStringLiteral("office-pc"));
        e.SetLoginName(QStringLiteral("alice"));
        CDlgServerAddress &d = open(e);
        d.AutoShareBox()->setChecked(true);
        d.FolderField()->setText(folder.path());
        return d;
    }

    QTemporaryDir folder;
};

TEST_F(AutoShareTest, eachCheckOfTheFolderToShareRefusesWithItsMessage) {
    service.shares = {{QStringLiteral("taken"), QStringLiteral("/srv/other")}};
    const struct {
        const char *what;
        std::function<void(CDlgServerAddress &)> change;
        QString message;
    } cases[] = {
        {"another computer", [](CDlgServerAddress &d) { d.HostField()->setText(QStringLiteral("files")); },
         text(MsgAutoShareNotThisPc)},
        {"no folder", [](CDlgServerAddress &d) { d.FolderField()->clear(); },
         FillInText({text(FieldFolderToShare)})},
        {"missing folder",
         [this](CDlgServerAddress &d) { d.FolderField()->setText(folder.filePath(QStringLiteral("gone"))); },
         text(MsgFolderMissing)},
        {"folder holding a control character",
         [this](CDlgServerAddress &d) {
             const QString name = u"in\u0003box"_qs;
             ASSERT_TRUE(QDir(folder.path()).mkdir(name));
             d.FolderField()->setText(folder.filePath(name));
         },
         CharacterErrorText(FieldFolderToShare, RuleNoControlCharacters)},
        {"share of another folder", [](CDlgServerAddress &d) { d.ShareField()->setText(QStringLiteral("TAKEN")); },
         text(MsgShareNameExists)},
        {"unknown account", [](CDlgServerAddress &d) { d.LoginField()->setText(QStringLiteral("bob")); },
         text(MsgAutoShareLoginName)},
    };
    for (const auto &c : cases) {
        CDlgServerAddress &d = openForThisPc();
        c.change(d);
        prompt.shown.clear();
        EXPECT_FALSE(test::pressOk(d)) << c.what;
        EXPECT_EQ(prompt.shown, QStringList{c.message}) << c.what;
    }
}

TEST_F(AutoShareTest, theRecordFollowsTheEntryAndKeepsItsShareOnlyWhenUnchanged) {
    service.shares = {{QStringLiteral("scans"), folder.path()}};  // already ours
    CDlgServerAddress &d = openForThisPc();
    d.HostField()->setText(QStringLiteral("192.168.1.20"));
    ASSERT_TRUE(test::pressOk(d)) << prompt.shown.join(u'|').toStdString();
    const CAdrShareData made = settings.record;
    EXPECT_EQ(made.serverId, 2);
    EXPECT_EQ(made.autoShare, 1);
    EXPECT_EQ(made.isShared, 0);
    EXPECT_EQ(made.localFolder, folder.path());
    EXPECT_EQ(made.shareName, QStringLiteral("scans"));
    EXPECT_EQ(made.serverPath, QStringLiteral("incoming\\mfp"));
    EXPECT_EQ(made.loginName, QStringLiteral("alice"));
    EXPECT_EQ(made.loginPassword, QStringLiteral("s3cret"));
    EXPECT_EQ(made.createScanUser, 0u);

    // Opened again on a shared record: nothing changed keeps it shared,
    // a new folder makes it to be shared anew.
    settings.record.isShared = 1;
    const CAdrMemberAioServer saved = entry;
    ASSERT_TRUE(test::pressOk(open(saved)));
    EXPECT_EQ(settings.record.isShared, 1);
    QTemporaryDir other;
    open(saved).FolderField()->setText(other.path());
    ASSERT_TRUE(test::pressOk(*dialog)) << prompt.shown.join(u'|').toStdString();
    EXPECT_EQ(settings.record.isShared, 0);
    EXPECT_EQ(settings.record.localFolder, other.path());
    // Once no longer shared, the name belongs to the other folder again.
    open(saved).FolderField()->setText(other.path());
    EXPECT_FALSE(test::pressOk(*dialog));
    EXPECT_EQ(prompt.shown.last(), text(MsgShareNameExists));
}

TEST_F(AutoShareTest, aScanServiceUserGivesTheLoginAndMustKeepItsPassword) {
    settings.scanUser = {1, QStringLiteral("scanuser"), QStringLiteral("old-pass")};
    service.accounts.insert(QStringLiteral("scanuser"));
    CDlgServerAddress &d = openForThisPc();
    d.CreateUserBox()->setChecked(true);
    EXPECT_FALSE(d.LoginField()->isEnabled());
    EXPECT_EQ(d.LoginField()->text(), QStringLiteral("scanuser"));
    d.UserPasswordField()->setText(QStringLiteral("new-pass"));
    EXPECT_EQ(d.ConfirmField()->text(), QStringLiteral("new-pass"));
    EXPECT_FALSE(test::pressOk(d));
    EXPECT_EQ(prompt.shown, QStringList{text(MsgIncorrectLoginPassword)});
    EXPECT_EQ(d.focusWidget(), d.UserPasswordField());

    // A new account of a name nobody has yet.
    d.UserNameField()->setText(QStringLiteral("scan2"));
    ASSERT_TRUE(test::pressOk(d)) << prompt.shown.join(u'|').toStdString();
    EXPECT_EQ(settings.scanUser, (ScanUserState{0, QStringLiteral("scan2"), QStringLiteral("new-pass")}));
    EXPECT_EQ(settings.record.createScanUser, 1u);
    EXPECT_EQ(entry.GetLoginName(), QStringLiteral("scan2"));
    EXPECT_EQ(entry.GetLoginPassword(), QStringLiteral("new-pass"));

    // An account that exists but was not made here cannot be created.
    CDlgServerAddress &again = openForThisPc();
    again.CreateUserBox()->setChecked(true);
    again.UserNameField()->setText(QStringLiteral("alice"));
    prompt.shown.clear();
    EXPECT_FALSE(test::pressOk(again));
    EXPECT_EQ(prompt.shown, QStringList{text(MsgAutoShareLoginName)});
}

// The account is deleted at once: the settings tell it even when the
// dialog is then cancelled.
TEST_F(AutoShareTest, deletingTheScanServiceUserRemovesTheAccountAndTheShareMadeForIt) {
    const ScanUserState scanUser{1, QStringLiteral("scanuser"), QStringLiteral("pass")};
    struct Case {
        const char *what;
        bool confirmed;
        bool accountExists;
        bool deletionFails;
        QString shareAccount;  // of this server's shared record; empty: not shared
        QString message;       // after the question; empty: none
    };
    const QString user = scanUser.name;
    const Case cases[] = {
        {"answered No", false, true, false, user, {}},
        {"deleted with this server's share", true, true, false, user, text(MsgShareDisabledScanUserDeleted)},
        {"deleted, this server not shared", true, true, false, {}, text(MsgScanUserDeleted)},
        {"deleted, the share is another account's", true, true, false, QStringLiteral("alice"),
         text(MsgScanUserDeleted)},
        {"removed by other means before", true, false, false, user, text(MsgShareDisabledScanUserDeleted)},
        {"refused by the system", true, true, true, user, text(MsgDeleteScanUserFailed)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        settings = ServerShareSettings{};
        settings.scanUser = scanUser;
        service.accounts = {QStringLiteral("alice")};
        if (c.accountExists) service.accounts.insert(user);
        service.failing = c.deletionFails ? QSet{FakeShareService::DeleteUser} : QSet<FakeShareService::Call>{};
        service.deletedUsers.clear();
        service.shares = {{QStringLiteral("scans"), folder.path()}};
        if (!c.shareAccount.isEmpty()) {
            settings.record = test::shareRecord(2, folder.path());
            settings.record.autoShare = 1;
            settings.record.createScanUser = c.shareAccount == user ? 1 : 0;
            settings.record.isShared = 1;
            settings.record.shareName = QStringLiteral("scans");
            settings.record.loginName = c.shareAccount;
        }
        CAdrMemberAioServer e = validEntry();
        e.SetHostName(QStringLiteral("office-pc"));
        e.SetLoginName(c.shareAccount.isEmpty() ? user : c.shareAccount);
        CDlgServerAddress &d = open(e);
        ASSERT_TRUE(d.DeleteUserButton()->isEnabled());
        prompt.shown.clear();
        prompt.answers = {c.confirmed ? PromptAnswer::Yes : PromptAnswer::No};

        d.DeleteUserButton()->click();
        const QString question = lqa::formatText(MsgConfirmDeleteScanUser, {user});
        const QStringList shown = c.message.isEmpty() ? QStringList{question} : QStringList{question, c.message};
        EXPECT_EQ(prompt.shown, shown);
        const bool deleted = c.confirmed && !c.deletionFails;
        EXPECT_EQ(service.deletedUsers, deleted && c.accountExists ? QStringList{user} : QStringList{});
        EXPECT_EQ(settings.scanUserDeleted, deleted);
        EXPECT_EQ(settings.scanUser, deleted ? ScanUserState{} : scanUser);
        EXPECT_EQ(d.DeleteUserButton()->isEnabled(), !deleted);
        const bool unshared = c.message == text(MsgShareDisabledScanUserDeleted);
        EXPECT_EQ(service.isShared(QStringLiteral("scans")), !unshared);
        if (!c.shareAccount.isEmpty()) {
            EXPECT_EQ(settings.record.isShared, unshared ? 0 : 1);
        }
        if (deleted) {
            EXPECT_FALSE(d.CreateUserBox()->isChecked());
            EXPECT_TRUE(d.UserNameField()->text().isEmpty());
            EXPECT_EQ(d.LoginField()->text().isEmpty(), c.shareAccount != QStringLiteral("alice"));
        }
    }
}

TEST_F(AutoShareTest, onlyAScanServiceUserMadeHereCanBeDeleted) {
    service.accounts.insert(QStringLiteral("scanuser"));
    for (const ScanUserState &state : {ScanUserState{0, QStringLiteral("scanuser"), QStringLiteral("pass")},
                                       ScanUserState{1, QString(), QString()}}) {
        settings.scanUser = state;
        EXPECT_FALSE(openForThisPc().DeleteUserButton()->isEnabled()) << state.name.toStdString();
    }
}

}  // namespace
