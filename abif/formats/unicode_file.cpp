#include "formats/unicode_file.h"

#include <QtEndian>

#include <cstring>

uint16_t CUnicodeFile::readUnit() {
    if (atEnd()) return 0;
    const uint16_t unit = qFromLittleEndian<uint16_t>(input_.data() + position_);
    position_ += 2;
    return unit;
}

int32_t CUnicodeFile::readText(void *field, size_t fieldBytes, uint16_t marker, size_t *units) {
    auto *bytes = static_cast<unsigned char *>(field);
    const size_t maxUnits = fieldBytes / 2 - 1;
    for (size_t i = 0;; ++i) {
        if (atEnd()) return ABIF_E_FORMAT;
        const uint16_t unit = readUnit();
        if (unit == marker) {
            std::memset(bytes + 2 * i, 0, 2);
            if (units) *units = i;
            return ABIF_OK;
        }
        if (i == maxUnits) return ABIF_E_FORMAT;
        std::memcpy(bytes + 2 * i, &unit, 2);
    }
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
    auto *bytes = static_cast<unsigned char *>(units);
    for (size_t i = 0; i < count; ++i) {
        const uint16_t unit = readUnit();
        std::memcpy(bytes + 2 * i, &unit, 2);
    }
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

void CUnicodeFile::writeText(const void *field, size_t fieldBytes) {
    const auto *bytes = static_cast<const unsigned char *>(field);
    for (size_t i = 0; i < fieldBytes / 2 - 1; ++i) {
        uint16_t unit;
        std::memcpy(&unit, bytes + 2 * i, 2);
        if (unit == 0) break;
        writeUnit(unit);
    }
}

void CUnicodeFile::writeUnits(const void *units, size_t count) {
    const auto *bytes = static_cast<const unsigned char *>(units);
    for (size_t i = 0; i < count; ++i) {
        uint16_t unit;
        std::memcpy(&unit, bytes + 2 * i, 2);
        writeUnit(unit);
    }
}
