// What the shared-folder handling needs from the operating system: network
// shares, accounts, folder access lists and this computer's names.
#pragma once

#include <QList>
#include <QString>

struct ShareEntry {
    QString name;
    QString path;
    friend bool operator==(const ShareEntry &, const ShareEntry &) = default;
};

enum class ShareListResult { Ok, AccessDenied, Failed };

class ShareService {
public:
    virtual ~ShareService() = default;

    // Every share of this computer. AccessDenied when listing is refused;
    // Failed for other faults, with whatever was listed before the fault.
    virtual ShareListResult listShares(QList<ShareEntry> *shares) = 0;
    // Shares `path` as `name` with full access for `account`.
    virtual bool addShare(const QString &name, const QString &path, const QString &remark,
                          const QString &account) = 0;
    virtual bool deleteShare(const QString &name) = 0;

    [[nodiscard]] virtual bool accountExists(const QString &account) = 0;
    // A local account that may log on over the network with `password`.
    virtual bool createScanUser(const QString &name, const QString &password, const QString &comment) = 0;
    // Removes an account made by createScanUser; never the account of the
    // person running the program or the administrator's.
    virtual bool deleteScanUser(const QString &name) = 0;

    // Gives `account` read, write and execute on the folder, inherited by new
    // files and folders; true without a change when it already has an entry.
    virtual bool grantFolderAccess(const QString &path, const QString &account) = 0;
    // Removes every entry of `account` from the folder's access list.
    virtual bool revokeFolderAccess(const QString &path, const QString &account) = 0;

    [[nodiscard]] virtual QString currentUser() = 0;
    [[nodiscard]] virtual QString computerName() = 0;
    // Dotted text; empty when this computer has no IPv4 address.
    [[nodiscard]] virtual QString firstIpv4Address() = 0;
};
