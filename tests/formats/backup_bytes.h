// Backup files and their containers written out by hand in tests.
#pragma once

#include "support/block_bytes.h"

#include <algorithm>
#include <cstdint>

namespace test {

inline Bytes be32(uint32_t v) { return be16(static_cast<uint16_t>(v >> 16)) + be16(static_cast<uint16_t>(v)); }

// Sum of the big-endian words of the first `length` bytes (all by default).
inline uint32_t sum32(const Bytes &b, size_t length = SIZE_MAX) {
    length = std::min(length, b.size());
    uint32_t total = 0;
    for (size_t i = 0; i + 4 <= length; i += 4)
        total += uint32_t{b[i]} << 24 | uint32_t{b[i + 1]} << 16 | uint32_t{b[i + 2]} << 8 | b[i + 3];
    return total;
}

// Delete list of `type` with the given IDs.
inline Bytes deleteList(uint8_t type, uint16_t from, uint16_t to) {
    Bytes b = section(2, type, 0, static_cast<uint16_t>(to >= from ? to - from + 1 : 0));
    for (uint32_t id = from; id <= to; ++id) b = b + be16(static_cast<uint16_t>(id));
    return b;
}

// The container of an empty book: every slot cleared, no entries.
inline Bytes emptyBookContainer() {
    const Bytes clearing = longHeader(2, 0) + deleteList(3, 1, 99) + deleteList(4, 1, 6);
    const Bytes entries = longHeader(2, 0) + section(1, 3, 0, 0) + section(1, 4, 0, 0);
    return be32(1) + be32(24) + be32(2) + be32(0) + be32(246) + be32(36) + clearing + entries + zeros(6);
}

inline const Bytes exitSequence = {0x1B, '%', '-', '1', '2', '3', '4', '5', 'X'};

inline Bytes ascii(std::string_view s) { return Bytes(s.begin(), s.end()); }

// A whole file around `body` (as stored), with correct checksums.
inline Bytes backupFile(const Bytes &body, uint32_t cipherType, const Bytes &lines = ascii(
                            "@PJL\r\n@PJL COMMENT BUILD=202612092315\r\n@PJL COMMENT VERSION:BACKUP=202612092315\r\n"
                            "@PJL ENTER LANGUAGE=DOWNLOAD\r\n")) {
    Bytes header = field("ORVANE-KTR", 16) + field("202612092315", 16) + be32(0x00100007) + zeros(8) +
                   be32(static_cast<uint32_t>(body.size())) + be32(sum32(body, body.size())) + zeros(4) +
                   be32(cipherType);
    header = header + be32(sum32(header, 60));
    return exitSequence + lines + header + body + exitSequence;
}

}  // namespace test
