// Shares through Samba user shares (`net usershare`), folder access through
// POSIX access lists, accounts through the system's account database and
// tools. Programs are run with an argument vector, never through a shell.
#pragma once

#include "document/share_service.h"

#include <QByteArray>
#include <QStringList>

class LinuxShareService : public ShareService {
public:
    struct Options {
        QString netProgram = QStringLiteral("net");
        QString sambaConfig;  // empty: the system's configuration
        // The account tools, and the prompt that runs them with the rights
        // they need when this process lacks them.
        QString useraddProgram = QStringLiteral("useradd");
        QString userdelProgram = QStringLiteral("userdel");
        QString smbpasswdProgram = QStringLiteral("smbpasswd");
        QString privilegeProgram = QStringLiteral("pkexec");
    };

    LinuxShareService() = default;
    explicit LinuxShareService(Options options) : m_options(std::move(options)) {}

    ShareListResult listShares(QList<ShareEntry> *shares) override;
    bool addShare(const QString &name, const QString &path, const QString &remark, const QString &account) override;
    bool deleteShare(const QString &name) override;
    bool accountExists(const QString &account) override;
    bool createScanUser(const QString &name, const QString &password, const QString &comment) override;
    bool deleteScanUser(const QString &name) override;
    bool grantFolderAccess(const QString &path, const QString &account) override;
    bool revokeFolderAccess(const QString &path, const QString &account) override;
    QString currentUser() override;
    QString computerName() override;
    QString firstIpv4Address() override;

    // Names Samba takes as a share name and that no tool reads as an option.
    [[nodiscard]] static bool IsValidShareName(const QString &name);
    // Names the account tools accept for a new account.
    [[nodiscard]] static bool IsValidNewAccountName(const QString &name);
    // The system's name for an account: "Administrator" is root.
    [[nodiscard]] static QString SystemAccountName(const QString &account);

private:
    struct RunResult {
        bool finished = false;
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
        [[nodiscard]] bool ok() const { return finished && exitCode == 0; }
    };
    static RunResult Run(const QString &program, const QStringList &arguments, const QByteArray &input = {});
    RunResult RunNet(const QStringList &arguments) const;
    // Runs an account tool, through the desktop's privilege prompt when this
    // process may not change accounts itself.
    RunResult RunPrivileged(const QString &program, const QStringList &arguments, const QByteArray &input = {}) const;

    Options m_options;
};
