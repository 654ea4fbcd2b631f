// A file written beside its target and put in the target's place only when
// everything was written, so that a failure leaves the previous file intact.
#pragma once

#include "formats/byte_sink.h"

#include <QString>

namespace abif {

class ReplacingFile final : public ByteSink {
public:
    // Throws FileError when the file cannot be created, or when an existing
    // target may not be written.
    explicit ReplacingFile(const QString &path);
    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;
    // Without commit() the new bytes are discarded.
    ~ReplacingFile() override;

    void write(QByteArrayView bytes) override;
    // Puts the written bytes in place of the target; throws FileError.
    void commit();

private:
    void flush();
    void discard();
    [[noreturn]] void fail(int osError);

    QString path_;
    QByteArray target_;
    QByteArray temporary_;
    int fd_ = -1;
    QByteArray pending_;
};

}  // namespace abif
