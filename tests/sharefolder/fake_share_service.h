// An in-memory share service whose every call can be made to fail.
#pragma once

#include "document/share_service.h"

#include <QMap>
#include <QSet>
#include <QStringList>

class FakeShareService : public ShareService {
public:
    enum Call { List, Add, Delete, Lookup, CreateUser, DeleteUser, Grant, Revoke };

    ShareListResult listShares(QList<ShareEntry> *out) override {
        *out = failing.contains(List) ? QList<ShareEntry>{} : shares;
        return failing.contains(List) ? listFailure : ShareListResult::Ok;
    }
    bool addShare(const QString &name, const QString &path, const QString &, const QString &account) override {
        if (failing.contains(Add)) return false;
        shares.append(ShareEntry{name, path});
        shareAccounts.insert(name, account);
        return true;
    }
    bool deleteShare(const QString &name) override {
        if (failing.contains(Delete)) return false;
        return shares.removeIf([&](const ShareEntry &s) { return s.name == name; }) > 0;
    }
    bool accountExists(const QString &account) override {
        return !failing.contains(Lookup) && accounts.contains(account);
    }
    bool createScanUser(const QString &name, const QString &password, const QString &) override {
        if (failing.contains(CreateUser)) return false;
        accounts.insert(name);
        createdUsers.append(name + u':' + password);
        return true;
    }
    bool deleteScanUser(const QString &name) override {
        if (failing.contains(DeleteUser)) return false;
        deletedUsers.append(name);
        return accounts.remove(name);
    }
    bool grantFolderAccess(const QString &path, const QString &account) override {
        if (failing.contains(Grant)) return false;
        folderAccess[path].insert(account);
        return true;
    }
    bool revokeFolderAccess(const QString &path, const QString &account) override {
        if (failing.contains(Revoke)) return false;
        folderAccess[path].remove(account);
        return true;
    }
    QString currentUser() override { return user; }
    QString computerName() override { return computer; }
    QString firstIpv4Address() override { return address; }

    [[nodiscard]] bool isShared(const QString &name) const {
        return std::any_of(shares.cbegin(), shares.cend(), [&](const ShareEntry &s) { return s.name == name; });
    }

    QSet<Call> failing;
    ShareListResult listFailure = ShareListResult::AccessDenied;
    QList<ShareEntry> shares;
    QMap<QString, QString> shareAccounts;
    QSet<QString> accounts{QStringLiteral("alice"), QStringLiteral("scan")};
    QMap<QString, QSet<QString>> folderAccess;
    QStringList createdUsers;
    QStringList deletedUsers;
    QString user = QStringLiteral("alice");
    QString computer = QStringLiteral("OFFICE-PC");
    QString address = QStringLiteral("192.168.1.20");
};
