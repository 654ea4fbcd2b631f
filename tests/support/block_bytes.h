// Writing machine address data blocks out by hand in tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace test {

using Bytes = std::vector<uint8_t>;

inline Bytes operator+(Bytes a, const Bytes &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes zeros(size_t n) { return Bytes(n, 0); }

inline Bytes be16(uint16_t v) { return {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)}; }

// `utf8` followed by zero bytes up to `size`.
inline Bytes field(std::string_view utf8, size_t size) {
    Bytes b(utf8.begin(), utf8.end());
    b.resize(size, 0);
    return b;
}

// The 14 zero bytes of an empty password, enciphered.
inline const Bytes emptyPassword = {0x5A, 0xC3, 0x1E, 0x97, 0x5A, 0xC3, 0x1E, 0x97, 0x5A, 0xC3, 0x1E, 0x97, 0x5A, 0xC3};

// Long block header without checksum.
inline Bytes longHeader(uint16_t sections, uint16_t parameter, const Bytes &password = emptyPassword) {
    return be16(sections) + Bytes{0x80, 0x00} + be16(parameter) + password + zeros(4);
}

// Short block header; bytes 3-9 are not interpreted, so they carry noise.
inline Bytes shortHeader(uint16_t sections) {
    return be16(sections) + Bytes{0x00, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
}

inline Bytes section(uint8_t kind, uint8_t type, uint16_t firstSlot, uint16_t count) {
    return Bytes{kind, type} + be16(firstSlot) + be16(count);
}

inline Bytes faxRecord(uint16_t id, std::string_view name, std::string_view number, size_t size = 90) {
    return be16(id) + field(name, 34) + field(number, 51) + zeros(size - 87);
}

inline Bytes groupRecord(uint16_t id, std::string_view name, std::initializer_list<uint16_t> members) {
    Bytes b = be16(id) + field(name, 34) + be16(static_cast<uint16_t>(members.size()));
    for (uint16_t m : members) b = b + be16(m);
    return b;
}

}  // namespace test
