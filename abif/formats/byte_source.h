// The bytes a text reader takes in order: a memory buffer, or a file read
// through a buffer of its own.
#pragma once

#include <QByteArray>
#include <QString>

namespace abif {

class ByteSource {
public:
    // Reads `bytes` in place; they must outlive the source.
    explicit ByteSource(QByteArrayView bytes);
    // Opens `path` for reading; throws FileError.
    static ByteSource openFile(const QString &path);

    ByteSource(ByteSource &&other) noexcept;
    ByteSource &operator=(ByteSource &&) = delete;
    ~ByteSource();

    // Up to `n` bytes ahead, left unread.
    [[nodiscard]] QByteArrayView peek(qsizetype n);
    void skip(qsizetype n);
    // Appends the next line, its line feed included when it has one, to
    // `line`; false when nothing was left. Throws FileError when the file
    // cannot be read.
    bool readLine(QByteArray &line);

private:
    ByteSource(int fd, const QString &fileName);
    [[nodiscard]] qsizetype available() const { return size_ - pos_; }
    // Keeps the unread bytes and reads more behind them; false at the end.
    bool fill();

    int fd_ = -1;
    QString fileName_;
    QByteArray buffer_;
    const char *data_ = nullptr;
    qsizetype size_ = 0;
    qsizetype pos_ = 0;
};

}  // namespace abif
