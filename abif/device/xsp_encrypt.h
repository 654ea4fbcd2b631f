// Encipherment of the password field of a machine address data block.
#pragma once

#include <array>
#include <cstdint>

namespace abif {

// The machine's firmware deciphers the password with this same key; it must
// never change. The machine stand-in uses it from here.
inline constexpr std::array<uint8_t, 4> xspEncryptKey{0x5A, 0xC3, 0x1E, 0x97};

// Output byte i is input byte i XOR key byte (i mod 4); input and output may
// be the same buffer. Returns 0 with `written` = `inputLength`; -1 for a
// missing pointer; -2 for a length or capacity that is not positive; -3 when
// the capacity is smaller than the input, after enciphering as many whole
// groups of four as fit (`written` says how many bytes).
int XSPEncrypt(const uint8_t *input, int inputLength, uint8_t *output, int *written, int capacity);

}  // namespace abif
