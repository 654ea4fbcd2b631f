#include "formats/replacing_file.h"

#include "formats/file_attributes.h"
#include "formats/locked_file.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace abif {

namespace {

constexpr char kMark[] = ".abif-";
constexpr int kNameLetters = 8;
constexpr int kNameAttempts = 100;
constexpr char kLetters[] = "0123456789abcdefghijklmnopqrstuvwxyz";

struct Place {
    QByteArray folder;  // without a trailing slash, except "/"
    QByteArray prefix;  // ".<name>.abif-", what every temporary name starts with
};

Place placeOf(const QByteArray &target) {
    const qsizetype slash = target.lastIndexOf('/');
    return {slash == 0 ? QByteArray("/") : target.left(slash), '.' + target.mid(slash + 1) + kMark};
}

QByteArray pathIn(const Place &place, const QByteArray &name) {
    return place.folder == "/" ? '/' + name : place.folder + '/' + name;
}

bool isTemporaryName(const Place &place, const char *name) {
    const QByteArrayView view(name);
    if (view.size() != place.prefix.size() + kNameLetters || !view.startsWith(place.prefix)) return false;
    for (const char c : view.sliced(place.prefix.size()))
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'))) return false;
    return true;
}

bool namesFile(const QByteArray &path, int fd) {
    struct stat named {}, held {};
    return ::lstat(path.constData(), &named) == 0 && ::fstat(fd, &held) == 0 && named.st_dev == held.st_dev &&
           named.st_ino == held.st_ino;
}

// A temporary file whose lock is free belongs to no live writer. Failures
// here are not the save's: a leftover that cannot be removed stays.
void removeLeftovers(const Place &place) {
    DIR *folder = ::opendir(place.folder.constData());
    if (!folder) return;
    while (const dirent *entry = ::readdir(folder)) {
        if (!isTemporaryName(place, entry->d_name)) continue;
        const QByteArray path = pathIn(place, entry->d_name);
        const int fd = ::open(path.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        // Checked under the lock, so that no writer can take the name meanwhile.
        if (tryWriterLock(fd) && namesFile(path, fd)) ::unlink(path.constData());
        ::close(fd);
    }
    ::closedir(folder);
}

QByteArray randomLetters() {
    QByteArray letters(kNameLetters, '0');
    for (char &c : letters) c = kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
    return letters;
}

// A new, locked temporary file. A first save creates it as any new file is
// created; a replacement keeps it private until it has the old file's mode.
int createTemporary(const Place &place, bool replacing, QByteArray &path, int &fd) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        path = pathIn(place, place.prefix + randomLetters());
        fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return errno;
        }
        if (!tryWriterLock(fd)) {
            const int error = errno;
            if (error == EAGAIN || error == EACCES) {
                // Another save's clean-up took it before it was locked, and removes it.
                ::close(fd);
                continue;
            }
            ::unlink(path.constData());
            ::close(fd);
            return error;
        }
        // Or took it and removed it already.
        if (namesFile(path, fd)) return 0;
        ::close(fd);
    }
    return EEXIST;
}

int writeAll(int fd, QByteArrayView bytes) {
    const char *p = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        p += n;
        left -= n;
    }
    return 0;
}

int fill(int fd, int old, const QByteArray &temporary, const QByteArray &target, QByteArrayView bytes) {
    if (const int error = writeAll(fd, bytes)) return error;
    if (old >= 0)
        if (const int error = copyFileAttributes(target, old, temporary, fd)) return error;
    return ::fsync(fd) == 0 ? 0 : errno;
}

int putInPlace(const QByteArray &temporary, const QByteArray &target, bool replacing) {
    if (replacing) return ::rename(temporary.constData(), target.constData()) == 0 ? 0 : errno;
    if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0) return 0;
    if (errno == EEXIST) return EAGAIN;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // Without RENAME_NOREPLACE (NFS, for one) a hard link refuses an existing name too.
    if (::link(temporary.constData(), target.constData()) != 0) return errno == EEXIST ? EAGAIN : errno;
    ::unlink(temporary.constData());
    return 0;
}

void syncFolder(const QByteArray &folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // The new content is in place either way; this only hurries the rename to the disk.
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

int replaceFile(const QByteArray &target, int old, QByteArrayView bytes, int &replacement) {
    replacement = -1;
    const Place place = placeOf(target);
    removeLeftovers(place);
    QByteArray temporary;
    int fd = -1;
    if (const int error = createTemporary(place, old >= 0, temporary, fd)) return error;
    int error = fill(fd, old, temporary, target, bytes);
    if (error == 0) error = putInPlace(temporary, target, old >= 0);
    if (error != 0) {
        ::unlink(temporary.constData());
        ::close(fd);
        return error;
    }
    syncFolder(place.folder);
    replacement = fd;
    return 0;
}

}  // namespace abif
