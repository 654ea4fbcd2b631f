// Files made of 16-bit little-endian units. The content is parsed from and
// built in memory, so a format's reader works the same on a file's bytes as
// on any buffer; the file itself is opened, locked and replaced elsewhere.
#pragma once

#include "core/abif_data.h"

#include <QByteArray>

#include <cstdint>
#include <span>

class CUnicodeFile {
public:
    virtual ~CUnicodeFile() = default;

    // Empties `data` and fills it from the input; the result is a library code.
    virtual int32_t readData(CAbifData &data) = 0;
    // Appends `data` to the output; ABIF_E_FORMAT for a record the format
    // cannot carry, in which case the output must not be used.
    virtual int32_t writeData(const CAbifData &data) = 0;
    virtual int32_t readHeader() = 0;
    virtual void writeHeader() = 0;

    [[nodiscard]] const QByteArray &output() const { return output_; }

protected:
    explicit CUnicodeFile(std::span<const unsigned char> input) : input_(input) {}

    // Fewer than two bytes left.
    [[nodiscard]] bool atEnd() const { return input_.size() - position_ < 2; }
    // The next unit, or 0 at the end.
    uint16_t readUnit();
    // Units up to `marker` into a text field of `fieldBytes`, followed by a
    // zero unit. At most fieldBytes / 2 - 1 units may precede the marker.
    // ABIF_OK, or ABIF_E_FORMAT for a text too long or cut off by the end;
    // `units` receives how many units preceded the marker.
    int32_t readText(void *field, size_t fieldBytes, uint16_t marker, size_t *units = nullptr);
    // One unit, or eight bytes, and then the separator; else ABIF_E_FORMAT.
    int32_t readUnitField(uint16_t &value);
    int32_t readInt64Field(int64_t &value);
    // `count` units as they stand; ABIF_E_FORMAT when the input ends first.
    int32_t readUnits(void *units, size_t count);

    void writeUnit(uint16_t unit);
    void writeInt64(int64_t value);
    void writeUnits(const void *units, size_t count);
    void reserveOutput(qsizetype bytes) { output_.reserve(bytes); }

    static constexpr uint16_t kSeparator = 0x0003;

private:
    std::span<const unsigned char> input_;
    size_t position_ = 0;
    QByteArray output_;
};
