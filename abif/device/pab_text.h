// Text fields of the machine address data block: UTF-8 on the wire, UTF-16
// in the library's records.
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace abif::pab {

// Appends `text` as zero-terminated UTF-8 in a zero-filled field of
// `fieldSize` bytes, at most `bytesWritten` of them terminator included. Text
// that does not fit is cut at a character boundary.
void appendUtf8Field(std::vector<uint8_t> &out, const QString &text, size_t fieldSize, size_t bytesWritten);

// The UTF-8 text up to the terminator, or the whole field when it has none.
QString readUtf8Field(const uint8_t *field, size_t fieldSize);

// Stores `text` in a record's UTF-16 field, cut so that no surrogate pair is
// split when it does not fit.
void writeRecordText(void *field, size_t fieldBytes, const QString &text);

}  // namespace abif::pab
