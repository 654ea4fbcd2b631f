#include "device/pab_text.h"

#include "core/record_text.h"

#include <algorithm>

namespace abif::pab {

void appendUtf8Field(std::vector<uint8_t> &out, const QString &text, size_t fieldSize, size_t bytesWritten) {
    const QByteArray utf8 = text.toUtf8();
    const size_t whole = static_cast<size_t>(utf8.size());
    size_t n = std::min(whole, bytesWritten - 1);
    // Step back over continuation bytes so no character is left half written.
    while (n > 0 && n < whole && (static_cast<uint8_t>(utf8[static_cast<qsizetype>(n)]) & 0xC0) == 0x80) --n;
    const size_t start = out.size();
    out.resize(start + fieldSize, 0);
    std::copy_n(utf8.constData(), n, out.begin() + static_cast<ptrdiff_t>(start));
}

QString readUtf8Field(const uint8_t *field, size_t fieldSize) {
    const uint8_t *end = std::find(field, field + fieldSize, 0);
    return QString::fromUtf8(reinterpret_cast<const char *>(field), end - field);
}

void writeRecordText(void *field, size_t fieldBytes, const QString &text) {
    qsizetype units = std::min<qsizetype>(text.size(), static_cast<qsizetype>(fieldBytes / 2 - 1));
    if (units > 0 && units < text.size() && text.at(units - 1).isHighSurrogate()) --units;
    writeText(field, fieldBytes, text.left(units));
}

}  // namespace abif::pab
