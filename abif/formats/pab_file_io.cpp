#include "formats/pab_file_io.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace abif::backup {

int fileErrorCause(int systemError) {
    switch (systemError) {
    case 0: return 0;
    case ENOENT: return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return 5;
    case ESPIPE: return 9;
    case EIO: return 10;
    case EBUSY:
    case ETXTBSY: return 11;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return 13;
    default: return 1;
    }
}

namespace {

int writeAll(int fd, const uint8_t *data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return 0;
}

// A new file beside `target`, with the mode of the file it will replace.
int createSibling(const QByteArray &target, QByteArray &name) {
    static std::atomic<unsigned> serial{0};
    struct stat existing;
    const bool replaces = ::stat(target.constData(), &existing) == 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + ".tmp" + QByteArray::number(::getpid()) + '.' + QByteArray::number(serial++);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (replaces) (void)::fchmod(fd, existing.st_mode & 07777);
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

}  // namespace

int writeFileAtomically(const QString &path, const uint8_t *data, size_t size) {
    const QByteArray target = QFile::encodeName(path);
    QByteArray temporary;
    const int fd = createSibling(target, temporary);
    if (fd < 0) return errno;
    int error = writeAll(fd, data, size);
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0) error = errno;
    if (error != 0) ::unlink(temporary.constData());
    return error;
}

FileInput::FileInput(const QString &path) {
    fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) error_ = errno;
}

FileInput::~FileInput() {
    if (fd_ >= 0) ::close(fd_);
}

int FileInput::fill() {
    if (fd_ < 0) return error_;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_, sizeof buffer_);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return error_ = errno;
        next_ = 0;
        end_ = static_cast<size_t>(n);
        return n == 0 ? endOfFile : 0;
    }
}

int FileInput::read(uint8_t *out, size_t n) {
    while (n > 0) {
        if (next_ == end_)
            if (const int r = fill()) return r;
        const size_t chunk = std::min(n, end_ - next_);
        std::memcpy(out, buffer_ + next_, chunk);
        next_ += chunk;
        consumed_ += static_cast<int64_t>(chunk);
        out += chunk;
        n -= chunk;
    }
    return 0;
}

int FileInput::readLine(QByteArray &line, size_t keep) {
    line.clear();
    for (;;) {
        uint8_t byte;
        if (const int r = read(&byte, 1)) return r;
        if (byte == '\n') return 0;
        if (static_cast<size_t>(line.size()) < keep) line.append(static_cast<char>(byte));
    }
}

int64_t FileInput::remaining() {
    struct stat status;
    if (fd_ < 0 || ::fstat(fd_, &status) != 0) return 0;
    return std::max<int64_t>(0, status.st_size - consumed_);
}

}  // namespace abif::backup
