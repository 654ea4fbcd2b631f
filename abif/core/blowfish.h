// The Blowfish block cipher in electronic-codebook mode, with zero padding to
// whole 8-byte blocks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace abif {

// How an 8-byte block splits into the cipher's two 32-bit halves.
enum class WordOrder {
    LittleEndian = 0,  // the library's exports
    BigEndian = 1,     // the published test vectors and the backup file
};

class Blowfish {
public:
    // A `keyLength` of 0 or less keys the cipher with `key[0]` alone; only
    // the low 16 bits of the length count.
    Blowfish(const uint8_t *key, int keyLength, WordOrder order);

    // Both buffers hold roundedLength(length) bytes and may be the same. The
    // last block is padded with zeros. Returns the rounded length.
    size_t encipher(uint8_t *output, const uint8_t *input, size_t length) const;
    // Deciphers roundedLength(length) bytes; padding is left in place.
    void decipher(uint8_t *output, const uint8_t *input, size_t length) const;

    static size_t roundedLength(size_t length) { return (length + 7) / 8 * 8; }

    void encipherHalves(uint32_t &left, uint32_t &right) const;
    void decipherHalves(uint32_t &left, uint32_t &right) const;

    // The hexadecimal digits of pi.
    static const std::array<uint32_t, 18> initialP;
    static const std::array<std::array<uint32_t, 256>, 4> initialS;

private:
    uint32_t f(uint32_t x) const;
    uint32_t loadHalf(const uint8_t *p) const;
    void storeHalf(uint8_t *p, uint32_t v) const;

    std::array<uint32_t, 18> p_;
    std::array<std::array<uint32_t, 256>, 4> s_;
    WordOrder order_;
};

}  // namespace abif
