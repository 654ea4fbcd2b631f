#include "core/blowfish.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace abif {

Blowfish::Blowfish(const uint8_t *key, int keyLength, WordOrder order)
    : p_(initialP), s_(initialS), order_(order) {
    const size_t count = keyLength > 0 ? static_cast<uint16_t>(keyLength) : 0;
    size_t k = 0;
    for (uint32_t &entry : p_) {
        uint32_t word = 0;
        for (int i = 0; i < 4; ++i) {
            word = (word << 8) | (count == 0 ? key[0] : key[k]);
            if (count != 0 && ++k == count) k = 0;
        }
        entry ^= word;
    }
    uint32_t left = 0, right = 0;
    for (size_t i = 0; i < p_.size(); i += 2) {
        encipherHalves(left, right);
        p_[i] = left;
        p_[i + 1] = right;
    }
    for (auto &box : s_)
        for (size_t i = 0; i < box.size(); i += 2) {
            encipherHalves(left, right);
            box[i] = left;
            box[i + 1] = right;
        }
}

uint32_t Blowfish::f(uint32_t x) const {
    return ((s_[0][x >> 24] + s_[1][(x >> 16) & 0xFF]) ^ s_[2][(x >> 8) & 0xFF]) + s_[3][x & 0xFF];
}

void Blowfish::encipherHalves(uint32_t &left, uint32_t &right) const {
    uint32_t l = left, r = right;
    for (size_t i = 0; i < 16; ++i) {
        l ^= p_[i];
        r ^= f(l);
        std::swap(l, r);
    }
    std::swap(l, r);
    right = r ^ p_[16];
    left = l ^ p_[17];
}

void Blowfish::decipherHalves(uint32_t &left, uint32_t &right) const {
    uint32_t l = left, r = right;
    for (size_t i = 17; i > 1; --i) {
        l ^= p_[i];
        r ^= f(l);
        std::swap(l, r);
    }
    std::swap(l, r);
    right = r ^ p_[1];
    left = l ^ p_[0];
}

uint32_t Blowfish::loadHalf(const uint8_t *p) const {
    return order_ == WordOrder::BigEndian ? qFromBigEndian<uint32_t>(p) : qFromLittleEndian<uint32_t>(p);
}

void Blowfish::storeHalf(uint8_t *p, uint32_t v) const {
    if (order_ == WordOrder::BigEndian)
        qToBigEndian(v, p);
    else
        qToLittleEndian(v, p);
}

size_t Blowfish::encipher(uint8_t *output, const uint8_t *input, size_t length) const {
    for (size_t offset = 0; offset < length; offset += 8) {
        // Read the whole block before writing it: the buffers may be one.
        uint8_t block[8] = {};
        std::memcpy(block, input + offset, std::min<size_t>(8, length - offset));
        uint32_t left = loadHalf(block), right = loadHalf(block + 4);
        encipherHalves(left, right);
        storeHalf(output + offset, left);
        storeHalf(output + offset + 4, right);
    }
    return roundedLength(length);
}

void Blowfish::decipher(uint8_t *output, const uint8_t *input, size_t length) const {
    for (size_t offset = 0; offset < length; offset += 8) {
        uint32_t left = loadHalf(input + offset), right = loadHalf(input + offset + 4);
        decipherHalves(left, right);
        storeHalf(output + offset, left);
        storeHalf(output + offset + 4, right);
    }
}

}  // namespace abif
