#include "formats/pab_file_io.h"


#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace abif::backup {

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
