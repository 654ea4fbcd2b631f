// Reading and writing the fixed-width UTF-16 text fields of records. Fields of
// packed records may sit at odd addresses, so they are only ever copied as
// bytes; pass the field itself and its size: writeText(r.name, sizeof r.name, s).
#pragma once

#include <QString>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace abif {

// Copies at most width - 1 units and zero-fills the rest of the field. A cut
// never separates the two halves of a surrogate pair.
inline void writeText(void *field, size_t fieldBytes, std::u16string_view text) {
    size_t units = std::min(text.size(), fieldBytes / 2 - 1);
    if (units < text.size() && units > 0 && QChar::isHighSurrogate(text[units - 1])) --units;
    std::memset(field, 0, fieldBytes);
    std::memcpy(field, text.data(), units * 2);
}

inline void writeText(void *field, size_t fieldBytes, const QString &text) {
    writeText(field, fieldBytes, std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()),
                                                     static_cast<size_t>(text.size())));
}

// The units up to the terminator, or the whole field when it has none.
inline std::u16string readText(const void *field, size_t fieldBytes) {
    std::u16string text(fieldBytes / 2, u'\0');
    std::memcpy(text.data(), field, text.size() * 2);
    text.resize(std::min(text.find(u'\0'), text.size()));
    return text;
}

inline QString readQString(const void *field, size_t fieldBytes) {
    const std::u16string text = readText(field, fieldBytes);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace abif
