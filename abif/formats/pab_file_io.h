// Reading the backup file, reporting the system's error numbers.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace abif::backup {

// Buffered reading of a whole file.
class FileInput {
public:
    static constexpr int endOfFile = -1;

    explicit FileInput(const QString &path);
    ~FileInput();
    FileInput(const FileInput &) = delete;
    FileInput &operator=(const FileInput &) = delete;

    // The system's error number of the last failed call, else 0.
    [[nodiscard]] int error() const { return error_; }

    // 0, endOfFile when fewer than `n` bytes remain, or the system's error.
    int read(uint8_t *out, size_t n);
    // The next line without its line feed, of which at most `keep` bytes are
    // kept. endOfFile when the file ends before a line feed.
    int readLine(QByteArray &line, size_t keep);
    // Bytes after the read position.
    int64_t remaining();

private:
    int fill();

    int fd_ = -1;
    int error_ = 0;
    uint8_t buffer_[4096];
    size_t next_ = 0;
    size_t end_ = 0;
    int64_t consumed_ = 0;
};

}  // namespace abif::backup
