#include "formats/byte_source.h"

#include "formats/file_error.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace abif {

namespace {

constexpr qsizetype kChunk = 64 * 1024;

}  // namespace

ByteSource::ByteSource(QByteArrayView bytes) : data_(bytes.data()), size_(bytes.size()) {}

ByteSource::ByteSource(int fd, const QString &fileName) : fd_(fd), fileName_(fileName) {}

ByteSource ByteSource::openFile(const QString &path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw FileError(errno, path);
    return ByteSource(fd, path);
}

ByteSource::ByteSource(ByteSource &&other) noexcept
    : fd_(std::exchange(other.fd_, -1)), fileName_(std::move(other.fileName_)), buffer_(std::move(other.buffer_)),
      data_(fd_ >= 0 ? buffer_.constData() : other.data_), size_(other.size_), pos_(other.pos_) {}

ByteSource::~ByteSource() {
    if (fd_ >= 0) ::close(fd_);
}

bool ByteSource::fill() {
    if (fd_ < 0) return false;
    buffer_.remove(0, pos_);
    const qsizetype kept = buffer_.size();
    buffer_.resize(kept + kChunk);
    ssize_t got;
    do {
        got = ::read(fd_, buffer_.data() + kept, kChunk);
    } while (got < 0 && errno == EINTR);
    const int error = errno;
    buffer_.resize(kept + (got > 0 ? got : 0));
    data_ = buffer_.constData();
    size_ = buffer_.size();
    pos_ = 0;
    if (got < 0) throw FileError(FileCauseGeneric, error, fileName_);
    return got > 0;
}

QByteArrayView ByteSource::peek(qsizetype n) {
    while (available() < n && fill()) {
    }
    return {data_ + pos_, std::min(n, available())};
}

void ByteSource::skip(qsizetype n) { pos_ += std::min(n, static_cast<qsizetype>(peek(n).size())); }

bool ByteSource::readLine(QByteArray &line) {
    bool readAny = false;
    while (available() > 0 || fill()) {
        readAny = true;
        const char *start = data_ + pos_;
        const auto *feed = static_cast<const char *>(std::memchr(start, '\n', static_cast<size_t>(available())));
        const qsizetype n = feed ? feed - start + 1 : available();
        line.append(start, n);
        pos_ += n;
        if (feed) break;
    }
    return readAny;
}

}  // namespace abif
