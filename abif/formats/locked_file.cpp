#include "formats/locked_file.h"

#include "formats/replacing_file.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace abif {

namespace {

constexpr std::chrono::milliseconds kLockPoll{10};

bool sameFile(const struct stat &a, const struct stat &b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// A device, pipe or folder is no address book, and renaming over one would
// replace it.
int plainFileError(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return errno;
    if (S_ISDIR(info.st_mode)) return EISDIR;
    return S_ISREG(info.st_mode) ? 0 : EINVAL;
}

int readToEnd(int fd, QByteArray &bytes) {
    bytes.clear();
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0) bytes.reserve(static_cast<qsizetype>(info.st_size));
    char buffer[65536];
    off_t offset = 0;
    for (;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return 0;
        bytes.append(buffer, n);
        offset += n;
    }
}

// Where a file that does not exist yet will be: its folder resolved. A
// dangling symbolic link is refused rather than replaced by a file.
int missingTarget(const QByteArray &path, QByteArray &target) {
    struct stat link {};
    if (::lstat(path.constData(), &link) == 0) return ENOENT;
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
    const QByteArray name = path.mid(slash + 1);
    if (name.isEmpty() || name == "." || name == "..") return EISDIR;
    char resolved[PATH_MAX];
    if (!::realpath(folder.constData(), resolved)) return errno;
    target = QByteArray(resolved) == "/" ? '/' + name : QByteArray(resolved) + '/' + name;
    return 0;
}

int folderWriteError(const QByteArray &target) {
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash == 0 ? QByteArray("/") : target.left(slash);
    return ::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) == 0 ? 0 : errno;
}

}  // namespace

bool tryWriterLock(int fd) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;  // the whole file, however long it grows
    return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

LockedFile::~LockedFile() { close(); }

void LockedFile::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    open_ = false;
}

int LockedFile::open(const QString &path, std::chrono::milliseconds wait) {
    close();
    const QByteArray name = QFile::encodeName(path);
    // As open() says of an empty name.
    if (name.isEmpty()) return ENOENT;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    int fd = -1;
    for (;;) {
        fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
        if (fd < 0) {
            if (errno != ENOENT) return errno;
            if (const int error = missingTarget(name, target_)) return error;
            break;
        }
        if (const int error = plainFileError(fd)) {
            ::close(fd);
            return error;
        }
        while (!tryWriterLock(fd)) {
            const int error = errno;
            if ((error != EAGAIN && error != EACCES && error != EINTR) ||
                std::chrono::steady_clock::now() >= deadline) {
                ::close(fd);
                return error == EACCES ? EAGAIN : error;
            }
            std::this_thread::sleep_for(kLockPoll);
        }
        struct stat held {}, named {};
        if (::fstat(fd, &held) != 0) {
            const int error = errno;
            ::close(fd);
            return error;
        }
        if (::stat(name.constData(), &named) == 0 && sameFile(held, named)) break;
        // The previous holder replaced or removed the file: lock the new one.
        ::close(fd);
    }
    if (fd >= 0) {
        char resolved[PATH_MAX];
        if (!::realpath(name.constData(), resolved)) {
            const int error = errno;
            ::close(fd);
            return error;
        }
        target_ = resolved;
    }
    if (const int error = folderWriteError(target_)) {
        if (fd >= 0) ::close(fd);
        return error;
    }
    fd_ = fd;
    open_ = true;
    return 0;
}

int LockedFile::readAll(QByteArray &bytes) const {
    if (!open_) return EBADF;
    if (fd_ < 0) {
        bytes.clear();
        return 0;
    }
    return readToEnd(fd_, bytes);
}

int LockedFile::replace(QByteArrayView bytes) {
    if (!open_) return EBADF;
    int replacement = -1;
    if (const int error = replaceFile(target_, fd_, bytes, replacement)) return error;
    // The new content is in place; closing the old file cannot undo that.
    if (fd_ >= 0) ::close(fd_);
    fd_ = replacement;
    return 0;
}

int writeWholeFile(const QString &path, QByteArrayView bytes) {
    LockedFile file;
    if (const int error = file.open(path)) return error;
    return file.replace(bytes);
}

int readWholeFile(const QString &path, QByteArray &bytes) {
    // Not blocking on a pipe's open; anything but a plain file is refused below.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno;
    int error = plainFileError(fd);
    if (error == 0) error = readToEnd(fd, bytes);
    ::close(fd);
    return error;
}

}  // namespace abif
