#include "formats/file_attributes.h"

#include <acl/libacl.h>
#include <attr/libattr.h>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace abif {

namespace {

int keepOwnerAndGroup(const struct stat &old, int to) {
    if (::fchown(to, old.st_uid, old.st_gid) == 0) return 0;
    if (errno != EPERM) return errno;
    // Only root gives a file away, but any member of the file's group keeps it.
    if (::fchown(to, static_cast<uid_t>(-1), old.st_gid) == 0 || errno == EPERM) return 0;
    return errno;
}

// Besides what libattr leaves alone (access lists, which perm_copy_fd copies,
// and attributes of other systems), security labels are the system's to set.
int mayCopyAttribute(const char *name, struct error_context *context) {
    return std::strncmp(name, "security.", 9) != 0 && attr_copy_check_permissions(name, context);
}

}  // namespace

int copyFileAttributes(const QByteArray &fromPath, int from, const QByteArray &toPath, int to) {
    struct stat old {};
    if (::fstat(from, &old) != 0) return errno;
    if (const int error = keepOwnerAndGroup(old, to)) return error;
    // After the change of owner, which clears the set-ID bits.
    if (::fchmod(to, old.st_mode & 07777) != 0) return errno;
    if (perm_copy_fd(fromPath.constData(), from, toPath.constData(), to, nullptr) != 0) return errno ? errno : EIO;
    if (attr_copy_fd(fromPath.constData(), from, toPath.constData(), to, mayCopyAttribute, nullptr) != 0)
        return errno ? errno : EIO;
    return 0;
}

}  // namespace abif
