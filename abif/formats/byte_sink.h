// Where a text writer's bytes go.
#pragma once

#include <QByteArray>

namespace abif {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Throws FileError when the bytes cannot be written.
    virtual void write(QByteArrayView bytes) = 0;
};

class MemorySink final : public ByteSink {
public:
    void write(QByteArrayView bytes) override { bytes_.append(bytes); }
    [[nodiscard]] const QByteArray &bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

}  // namespace abif
