#include "document/linux_share_service.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <acl/libacl.h>
#include <pwd.h>
#include <sys/acl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

TEST(LinuxShareNames, refusesNamesTheToolsWouldMisread) {
    const struct {
        const char *name;
        bool share;
        bool account;
    } cases[] = {
        {"scans", true, true},     {"Scan Folder", true, false}, {"-rf", false, false},
        {"a,b", false, false},     {"a:b", false, false},        {"a\nb", false, false},
        {"", false, false},        {"Scans", true, false},       {"scan_user-2", true, true},
        {"abcdefghijklmnopqrstuvwxyz0123456", true, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(LinuxShareService::IsValidShareName(c.name), c.share) << c.name;
        EXPECT_EQ(LinuxShareService::IsValidNewAccountName(c.name), c.account) << c.name;
    }
}

TEST(LinuxShareNames, administratorIsRoot) {
    EXPECT_EQ(LinuxShareService::SystemAccountName("ADMINISTRATOR"), "root");
    EXPECT_EQ(LinuxShareService::SystemAccountName("scan"), "scan");
}

int userEntries(const QString &path, acl_type_t type, uid_t uid) {
    acl_t acl = acl_get_file(QFile::encodeName(path).constData(), type);
    if (!acl) return -1;
    int count = 0;
    acl_entry_t entry{};
    for (int which = ACL_FIRST_ENTRY; acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
        acl_tag_t tag{};
        acl_get_tag_type(entry, &tag);
        if (tag != ACL_USER) continue;
        auto *qualifier = static_cast<uid_t *>(acl_get_qualifier(entry));
        count += *qualifier == uid ? 1 : 0;
        acl_free(qualifier);
    }
    acl_free(acl);
    return count;
}

// Real user shares through a private Samba configuration and a temporary
// folder; nothing outside the temporary folder is touched.
class LinuxShareServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString net = QStandardPaths::findExecutable("net");
        if (net.isEmpty()) GTEST_SKIP() << "the Samba client tools (net) are not installed";
        ASSERT_TRUE(dir.isValid());
        const QString usershares = dir.filePath("usershares");
        ASSERT_TRUE(QDir().mkpath(usershares) && QDir().mkpath(folder));
        ::chmod(QFile::encodeName(usershares).constData(), 01770);
        // Every folder Samba keeps state in lies in the temporary folder too.
        const QByteArray state = QFile::encodeName(dir.filePath("samba"));
        ASSERT_TRUE(QDir().mkpath(dir.filePath("samba")));
        QFile conf(config);
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
        conf.write("[global]\nusershare path = " + QFile::encodeName(usershares) +
                   "\nusershare max shares = 10\nusershare owner only = no\n");
        for (const char *option : {"lock directory", "state directory", "cache directory", "private dir",
                                   "pid directory", "ncalrpc dir", "binddns dir"}) {
            conf.write(QByteArray(option) + " = " + state + "\n");
        }
        conf.write("log file = " + state + "/log\n");
        conf.close();

        QProcess probe;
        probe.start(net, {"-s", config, "usershare", "info"});
        if (!probe.waitForFinished() || probe.exitCode() != 0) {
            GTEST_SKIP() << "user shares cannot be used here: " << probe.readAllStandardError().trimmed().constData();
        }
        const passwd *nobody = getpwnam("nobody");
        if (!nobody) GTEST_SKIP() << "no account 'nobody' to grant access to";
        nobodyUid = nobody->pw_uid;
        if (userEntries(folder, ACL_TYPE_DEFAULT, nobodyUid) < 0) {
            GTEST_SKIP() << "the temporary folder's file system has no access lists";
        }
        service = std::make_unique<LinuxShareService>(LinuxShareService::Options{net, config});
    }

    [[nodiscard]] bool listed(const ShareEntry &entry) {
        QList<ShareEntry> shares;
        EXPECT_EQ(service->listShares(&shares), ShareListResult::Ok);
        return shares.contains(entry);
    }

    QTemporaryDir dir;
    QString config = dir.filePath("smb.conf");
    QString folder = dir.filePath("Scans");
    uid_t nobodyUid = 0;
    std::unique_ptr<LinuxShareService> service;
};

TEST_F(LinuxShareServiceTest, sharesFindsByPathAndUnshares) {
    ASSERT_TRUE(service->addShare("lq_scans", folder, "Sharing for the scanner", "nobody"));
    EXPECT_TRUE(listed({"lq_scans", folder}));
    EXPECT_FALSE(service->addShare("-lq", folder, "", "nobody"));
    ASSERT_TRUE(service->deleteShare("lq_scans"));
    EXPECT_FALSE(listed({"lq_scans", folder}));
    EXPECT_FALSE(service->deleteShare("lq_scans"));
}

TEST_F(LinuxShareServiceTest, folderAccessGainsAndLosesTheAccount) {
    ASSERT_TRUE(service->grantFolderAccess(folder, "nobody"));
    ASSERT_TRUE(service->grantFolderAccess(folder, "nobody"));
    EXPECT_EQ(userEntries(folder, ACL_TYPE_ACCESS, nobodyUid), 1);
    EXPECT_EQ(userEntries(folder, ACL_TYPE_DEFAULT, nobodyUid), 1);

    // New files inherit the entry.
    const QString inner = folder + "/inner";
    ASSERT_TRUE(QDir().mkdir(inner));
    EXPECT_EQ(userEntries(inner, ACL_TYPE_ACCESS, nobodyUid), 1);

    ASSERT_TRUE(service->revokeFolderAccess(folder, "nobody"));
    EXPECT_EQ(userEntries(folder, ACL_TYPE_ACCESS, nobodyUid), 0);
    EXPECT_EQ(userEntries(folder, ACL_TYPE_DEFAULT, nobodyUid), 0);
}

TEST_F(LinuxShareServiceTest, unknownAccountGetsNeitherShareNorAccess) {
    EXPECT_FALSE(service->accountExists("lq-no-such-user"));
    EXPECT_FALSE(service->grantFolderAccess(folder, "lq-no-such-user"));
    EXPECT_FALSE(service->addShare("lq_scans", folder, "", "lq-no-such-user"));
    EXPECT_FALSE(listed({"lq_scans", folder}));
}

// The account tools replaced by scripts that log how they were called: no
// account of this computer is touched.
class AccountToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        if (!getpwnam("nobody")) GTEST_SKIP() << "no account 'nobody' to name";
        writeScript(QStringLiteral("prompt"), QByteArrayLiteral("exec \"$@\"\n"));
        options.privilegeProgram = dir.filePath(QStringLiteral("prompt"));
        options.smbpasswdProgram = tool(QStringLiteral("smbpasswd"), 0);
        options.userdelProgram = tool(QStringLiteral("userdel"), 0);
    }

    void writeScript(const QString &name, const QByteArray &body) {
        QFile script(dir.filePath(name));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n" + body);
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // A tool that logs its name and arguments and exits with `exitCode`.
    QString tool(const QString &name, int exitCode) {
        writeScript(name, "echo \"" + name.toUtf8() + " $*\" >> '" + QFile::encodeName(log()) + "'\nexit " +
                              QByteArray::number(exitCode) + "\n");
        return dir.filePath(name);
    }
    [[nodiscard]] QString log() const { return dir.filePath(QStringLiteral("calls")); }
    [[nodiscard]] QStringList calls() const {
        QFile file(log());
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
    LinuxShareService::Options options;
};

TEST_F(AccountToolsTest, deletingTheScanUserRemovesSambasEntryAndThenTheAccount) {
    const struct {
        int smbpasswdExit, userdelExit;
        bool deleted;
    } cases[] = {{0, 0, true}, {1, 0, true}, {0, 1, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.smbpasswdExit * 10 + c.userdelExit);
        QFile::remove(log());
        tool(QStringLiteral("smbpasswd"), c.smbpasswdExit);
        tool(QStringLiteral("userdel"), c.userdelExit);
        LinuxShareService service(options);
        EXPECT_EQ(service.deleteScanUser(QStringLiteral("nobody")), c.deleted);
        EXPECT_EQ(calls(), (QStringList{QStringLiteral("smbpasswd -x nobody"), QStringLiteral("userdel nobody")}));
    }
}

TEST_F(AccountToolsTest, deletingRefusesAccountsThisProgramCannotHaveMade) {
    LinuxShareService service(options);
    for (const QString &name : {QStringLiteral("root"), QStringLiteral("Administrator"), service.currentUser(),
                                QStringLiteral("lq-no-such-user"), QStringLiteral("-rf"), QString()}) {
        EXPECT_FALSE(service.deleteScanUser(name)) << name.toStdString();
    }
    EXPECT_TRUE(calls().isEmpty()) << calls().join(u'|').toStdString();
}

}  // namespace
