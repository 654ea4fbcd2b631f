#include "formats/unicode_file.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

uint16_t CUnicodeFile::readUnit() {
    if (atEnd()) return 0;
    const uint16_t unit = qFromLittleEndian<uint16_t>(input_.data() + position_);
    position_ += 2;
    return unit;
}

int32_t CUnicodeFile::readText(void *field, size_t fieldBytes, uint16_t marker, size_t *units) {
    const size_t maxUnits = fieldBytes / 2 - 1;
    const unsigned char *next = input_.data() + position_;
    // The marker may follow a full field, but no unit more.
    const size_t scan = std::min((input_.size() - position_) / 2, maxUnits + 1);
    size_t n = 0;
    while (n < scan && qFromLittleEndian<uint16_t>(next + 2 * n) != marker) ++n;
    if (n == scan) return ABIF_E_FORMAT;  // too long, or cut off by the end
    auto *bytes = static_cast<unsigned char *>(field);
    qFromLittleEndian<uint16_t>(next, static_cast<qsizetype>(n), bytes);
    std::memset(bytes + 2 * n, 0, 2);
    position_ += 2 * (n + 1);
    if (units) *units = n;
    return ABIF_OK;
}

int32_t CUnicodeFile::readUnitField(uint16_t &value) {
    if (input_.size() - position_ < 4) return ABIF_E_FORMAT;
    value = readUnit();
    return readUnit() == kSeparator ? ABIF_OK : ABIF_E_FORMAT;
}

int32_t CUnicodeFile::readInt64Field(int64_t &value) {
    if (input_.size() - position_ < 10) return ABIF_E_FORMAT;
    value = qFromLittleEndian<int64_t>(input_.data() + position_);
    position_ += 8;
    return readUnit() == kSeparator ? ABIF_OK : ABIF_E_FORMAT;
}

int32_t CUnicodeFile::readUnits(void *units, size_t count) {
    if ((input_.size() - position_) / 2 < count) return ABIF_E_FORMAT;
    qFromLittleEndian<uint16_t>(input_.data() + position_, static_cast<qsizetype>(count), units);
    position_ += 2 * count;
    return ABIF_OK;
}

void CUnicodeFile::writeUnit(uint16_t unit) {
    char bytes[2];
    qToLittleEndian(unit, bytes);
    output_.append(bytes, 2);
}

void CUnicodeFile::writeInt64(int64_t value) {
    char bytes[8];
    qToLittleEndian(value, bytes);
    output_.append(bytes, 8);
}

void CUnicodeFile::writeUnits(const void *units, size_t count) {
    // One append per field: appending unit by unit cost most of a write.
    const qsizetype at = output_.size();
    output_.resize(at + static_cast<qsizetype>(2 * count));
    qToLittleEndian<uint16_t>(units, static_cast<qsizetype>(count), output_.data() + at);
}
