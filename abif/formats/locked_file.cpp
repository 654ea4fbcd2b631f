#include "formats/locked_file.h"

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

bool takeLock(int fd) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;  // the whole file, however long it grows
    return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

bool sameFile(const struct stat &a, const struct stat &b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

int openForWriting(const QByteArray &path, bool &created) {
    created = false;
    int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
    if (fd >= 0 || errno != ENOENT) return fd;
    fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
        created = true;
        return fd;
    }
    // Created by someone else in between, or a dangling symbolic link.
    if (errno == EEXIST) return ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    return -1;
}

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

int writeAll(int fd, const QByteArray &bytes) {
    const char *p = bytes.constData();
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

void syncFolder(const QByteArray &folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // The rename is done either way; this only hurries it to the disk.
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

LockedFile::~LockedFile() { close(); }

void LockedFile::close() {
    if (fd_ < 0) return;
    // Still holding the lock, so the path names our file.
    if (created_) ::unlink(path_.constData());
    ::close(fd_);
    fd_ = -1;
    created_ = false;
}

int LockedFile::open(const QString &path, std::chrono::milliseconds wait) {
    close();
    path_ = QFile::encodeName(path);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        bool created = false;
        const int fd = openForWriting(path_, created);
        if (fd < 0) return errno;
        if (const int error = plainFileError(fd)) {
            ::close(fd);
            return error;
        }
        while (!takeLock(fd)) {
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
        if (::stat(path_.constData(), &named) == 0 && sameFile(held, named)) {
            fd_ = fd;
            created_ = created;
            break;
        }
        // The previous holder replaced or removed the file: lock the new one.
        ::close(fd);
    }
    char resolved[PATH_MAX];
    if (!::realpath(path_.constData(), resolved)) {
        const int error = errno;
        close();
        return error;
    }
    target_ = resolved;
    return 0;
}

int LockedFile::readAll(QByteArray &bytes) const { return fd_ < 0 ? EBADF : readToEnd(fd_, bytes); }

int LockedFile::replace(const QByteArray &bytes) {
    if (fd_ < 0) return EBADF;
    // `target_` is absolute, so it has a slash.
    const qsizetype slash = target_.lastIndexOf('/');
    const QByteArray folder = slash == 0 ? QByteArray("/") : target_.left(slash);
    QByteArray temporary = target_.left(slash + 1) + '.' + target_.mid(slash + 1) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return errno;
    auto fail = [&](int error) {
        ::unlink(temporary.constData());
        ::close(fd);
        return error;
    };
    if (!takeLock(fd)) return fail(errno);
    if (const int error = writeAll(fd, bytes)) return fail(error);
    struct stat old {};
    if (::fstat(fd_, &old) != 0) return fail(errno);
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Only root may give a file away; anyone else keeps it as their own.
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) return fail(errno);
    if (::fsync(fd) != 0) return fail(errno);
    if (::rename(temporary.constData(), target_.constData()) != 0) return fail(errno);
    ::close(fd_);
    fd_ = fd;
    created_ = false;
    syncFolder(folder);
    return 0;
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
