#include "document/linux_share_service.h"

#include <QDir>
#include <QLoggingCategory>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSysInfo>

#include <acl/libacl.h>
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/acl.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

Q_LOGGING_CATEGORY(lcShare, "linquara.share")

namespace {

constexpr int kToolTimeoutMs = 120'000;  // long enough for a person at the privilege prompt

// Samba refuses these in a share name.
const QString kShareNameForbidden = QStringLiteral("%<>*?|/\\+=;:\",[]");

bool takenAsOption(const QString &s) { return s.startsWith(u'-'); }

bool hasControlCharacter(const QString &s) {
    return std::any_of(s.cbegin(), s.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

// Names the account database can be asked about.
bool isLookupName(const QString &name) {
    return !name.isEmpty() && !takenAsOption(name) && !hasControlCharacter(name) && !name.contains(u':') &&
           !name.contains(u',') && !name.contains(u' ');
}

std::optional<uid_t> uidOf(const QString &account) {
    const QString name = LinuxShareService::SystemAccountName(account);
    if (!isLookupName(name)) return std::nullopt;
    std::vector<char> buffer(16 * 1024);
    passwd entry{};
    passwd *found = nullptr;
    if (getpwnam_r(name.toLocal8Bit().constData(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) {
        return std::nullopt;
    }
    return found->pw_uid;
}

struct AclFree {
    void operator()(void *acl) const { acl_free(acl); }
};
using AclPtr = std::unique_ptr<std::remove_pointer_t<acl_t>, AclFree>;

bool isUserEntry(acl_entry_t entry, uid_t uid) {
    acl_tag_t tag{};
    if (acl_get_tag_type(entry, &tag) != 0 || tag != ACL_USER) return false;
    void *qualifier = acl_get_qualifier(entry);
    if (!qualifier) return false;
    const bool same = *static_cast<uid_t *>(qualifier) == uid;
    acl_free(qualifier);
    return same;
}

std::optional<acl_entry_t> findUserEntry(acl_t acl, uid_t uid) {
    acl_entry_t entry{};
    for (int which = ACL_FIRST_ENTRY; acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
        if (isUserEntry(entry, uid)) return entry;
    }
    return std::nullopt;
}

bool addUserEntry(acl_t *acl, uid_t uid) {
    acl_entry_t entry{};
    acl_permset_t permissions{};
    return acl_create_entry(acl, &entry) == 0 && acl_set_tag_type(entry, ACL_USER) == 0 &&
           acl_set_qualifier(entry, &uid) == 0 && acl_get_permset(entry, &permissions) == 0 &&
           acl_clear_perms(permissions) == 0 && acl_add_perm(permissions, ACL_READ) == 0 &&
           acl_add_perm(permissions, ACL_WRITE) == 0 && acl_add_perm(permissions, ACL_EXECUTE) == 0;
}

bool writeAcl(const QByteArray &path, acl_type_t type, AclPtr &acl) {
    acl_t raw = acl.release();
    const bool masked = acl_calc_mask(&raw) == 0;
    acl.reset(raw);
    return masked && acl_valid(acl.get()) == 0 && acl_set_file(path.constData(), type, acl.get()) == 0;
}

}  // namespace

bool LinuxShareService::IsValidShareName(const QString &name) {
    return !name.isEmpty() && !takenAsOption(name) && !hasControlCharacter(name) &&
           std::none_of(name.cbegin(), name.cend(), [](QChar c) { return kShareNameForbidden.contains(c); });
}

bool LinuxShareService::IsValidNewAccountName(const QString &name) {
    static const QRegularExpression pattern(QStringLiteral("^[a-z_][a-z0-9_-]{0,31}$"));
    return pattern.match(name).hasMatch();
}

QString LinuxShareService::SystemAccountName(const QString &account) {
    return account.compare(u"Administrator", Qt::CaseInsensitive) == 0 ? QStringLiteral("root") : account;
}

LinuxShareService::RunResult LinuxShareService::Run(const QString &program, const QStringList &arguments,
                                                    const QByteArray &input) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    RunResult result;
    if (!process.waitForStarted()) {
        qCWarning(lcShare) << "cannot start" << program;
        return result;
    }
    process.write(input);
    process.closeWriteChannel();
    result.finished = process.waitForFinished(kToolTimeoutMs) && process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    if (!result.ok()) qCWarning(lcShare) << program << arguments.value(0) << "failed:" << result.err.trimmed();
    return result;
}

LinuxShareService::RunResult LinuxShareService::RunNet(const QStringList &arguments) const {
    QStringList all;
    if (!m_options.sambaConfig.isEmpty()) all << QStringLiteral("-s") << m_options.sambaConfig;
    all << QStringLiteral("usershare") << arguments;
    return Run(m_options.netProgram, all);
}

LinuxShareService::RunResult LinuxShareService::RunPrivileged(const QString &program, const QStringList &arguments,
                                                              const QByteArray &input) const {
    if (geteuid() == 0) return Run(program, arguments, input);
    const QString prompt = QStandardPaths::findExecutable(m_options.privilegeProgram);
    if (prompt.isEmpty()) {
        qCWarning(lcShare) << "no privilege prompt to run" << program;
        return {};
    }
    return Run(prompt, QStringList{program} + arguments, input);
}

ShareListResult LinuxShareService::listShares(QList<ShareEntry> *shares) {
    shares->clear();
    const RunResult result = RunNet({QStringLiteral("--long"), QStringLiteral("info")});
    if (!result.ok()) {
        return result.err.contains("Permission denied") ? ShareListResult::AccessDenied : ShareListResult::Failed;
    }
    // Sections "[name]" followed by "key=value" lines, "path" among them.
    for (const QByteArray &rawLine : result.out.split('\n')) {
        const QString line = QString::fromLocal8Bit(rawLine);
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            shares->append({line.mid(1, line.size() - 2), QString()});
        } else if (line.startsWith(QLatin1String("path=")) && !shares->isEmpty()) {
            shares->last().path = line.mid(5);
        }
    }
    return ShareListResult::Ok;
}

bool LinuxShareService::addShare(const QString &name, const QString &path, const QString &remark,
                                 const QString &account) {
    const QString system = SystemAccountName(account);
    // The fallback below shares for everyone: only right when the folder's
    // access list can name the account.
    if (!IsValidShareName(name) || !QDir::isAbsolutePath(path) || !uidOf(system)) return false;
    const auto add = [&](const QString &acl) {
        return RunNet({QStringLiteral("add"), name, path, remark, acl, QStringLiteral("guest_ok=n")}).ok();
    };
    if (add(system + QStringLiteral(":F"))) {
        qCInfo(lcShare) << "shared" << path << "as" << name << "for account" << system;
        return true;
    }
    // Turning an account name into a SID needs a running Samba server; the
    // folder's own access list then keeps other accounts out.
    if (add(QStringLiteral("S-1-1-0:F"))) {
        qCInfo(lcShare) << "shared" << path << "as" << name << "for everyone; the folder's access list names"
                        << system;
        return true;
    }
    return false;
}

bool LinuxShareService::deleteShare(const QString &name) {
    return IsValidShareName(name) && RunNet({QStringLiteral("delete"), name}).ok();
}

bool LinuxShareService::accountExists(const QString &account) { return uidOf(account).has_value(); }

bool LinuxShareService::createScanUser(const QString &name, const QString &password, const QString &comment) {
    if (!IsValidNewAccountName(name) || password.contains(u'\n') || comment.contains(u':')) return false;
    if (!RunPrivileged(m_options.useraddProgram, {QStringLiteral("-M"), QStringLiteral("-s"),
                                                  QStringLiteral("/usr/sbin/nologin"), QStringLiteral("-c"), comment,
                                                  name})
             .ok()) {
        return false;
    }
    // The password goes through standard input so that it never shows in
    // the process list.
    const QByteArray line = password.toLocal8Bit() + '\n';
    if (RunPrivileged(m_options.smbpasswdProgram, {QStringLiteral("-a"), QStringLiteral("-s"), name}, line + line)
            .ok()) {
        return true;
    }
    // An account that cannot log on over the network is of no use; without
    // it a later attempt can start afresh.
    RunPrivileged(m_options.userdelProgram, {name});
    return false;
}

bool LinuxShareService::deleteScanUser(const QString &name) {
    const std::optional<uid_t> uid = uidOf(name);
    // Only a name this program could have made, and never root or the
    // account this program runs as.
    if (!IsValidNewAccountName(name) || !uid || *uid == 0 || *uid == geteuid()) return false;
    // Samba's entry goes first, while the account still exists; an account
    // that never had one is no failure.
    RunPrivileged(m_options.smbpasswdProgram, {QStringLiteral("-x"), name});
    if (!RunPrivileged(m_options.userdelProgram, {name}).ok()) return false;
    qCInfo(lcShare) << "deleted the scan service user" << name;
    return true;
}

bool LinuxShareService::grantFolderAccess(const QString &path, const QString &account) {
    const std::optional<uid_t> uid = uidOf(account);
    if (!uid) return false;
    const QByteArray file = QFile::encodeName(path);
    AclPtr access(acl_get_file(file.constData(), ACL_TYPE_ACCESS));
    if (!access) return false;
    if (!findUserEntry(access.get(), *uid)) {
        acl_t raw = access.release();
        const bool added = addUserEntry(&raw, *uid);
        access.reset(raw);
        if (!added || !writeAcl(file, ACL_TYPE_ACCESS, access)) return false;
    }
    AclPtr inherited(acl_get_file(file.constData(), ACL_TYPE_DEFAULT));
    if (!inherited) return false;
    if (acl_entries(inherited.get()) == 0) {
        // No inherited list yet: start from the folder's own entries.
        inherited.reset(acl_dup(access.get()));
    } else if (!findUserEntry(inherited.get(), *uid)) {
        acl_t raw = inherited.release();
        const bool added = addUserEntry(&raw, *uid);
        inherited.reset(raw);
        if (!added) return false;
    } else {
        return true;
    }
    return inherited && writeAcl(file, ACL_TYPE_DEFAULT, inherited);
}

bool LinuxShareService::revokeFolderAccess(const QString &path, const QString &account) {
    const std::optional<uid_t> uid = uidOf(account);
    if (!uid) return false;
    const QByteArray file = QFile::encodeName(path);
    for (acl_type_t type : {ACL_TYPE_ACCESS, ACL_TYPE_DEFAULT}) {
        AclPtr acl(acl_get_file(file.constData(), type));
        if (!acl) return false;
        bool changed = false;
        while (const std::optional<acl_entry_t> entry = findUserEntry(acl.get(), *uid)) {
            if (acl_delete_entry(acl.get(), *entry) != 0) return false;
            changed = true;
        }
        if (changed && !writeAcl(file, type, acl)) return false;
    }
    return true;
}

QString LinuxShareService::currentUser() {
    std::vector<char> buffer(16 * 1024);
    passwd entry{};
    passwd *found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return {};
    return QString::fromLocal8Bit(found->pw_name);
}

QString LinuxShareService::computerName() { return QSysInfo::machineHostName(); }

QString LinuxShareService::firstIpv4Address() {
    ifaddrs *list = nullptr;
    if (getifaddrs(&list) != 0) return {};
    QString address;
    // The loopback address would not reach the scanner.
    for (const ifaddrs *a = list; a && address.isEmpty(); a = a->ifa_next) {
        if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET || (a->ifa_flags & IFF_LOOPBACK) ||
            !(a->ifa_flags & IFF_UP)) {
            continue;
        }
        char text[INET_ADDRSTRLEN] = {};
        const auto *in = reinterpret_cast<const sockaddr_in *>(a->ifa_addr);
        if (inet_ntop(AF_INET, &in->sin_addr, text, sizeof text)) address = QString::fromLatin1(text);
    }
    freeifaddrs(list);
    return address;
}
