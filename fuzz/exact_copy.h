// libFuzzer's buffer may be larger than the input it describes; readers get a
// heap copy of exactly `size` bytes so that AddressSanitizer sees any byte
// read past the end.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

namespace fuzz {

inline std::unique_ptr<uint8_t[]> exactCopy(const uint8_t *data, size_t size) {
    auto copy = std::make_unique<uint8_t[]>(size);
    if (size > 0) std::memcpy(copy.get(), data, size);
    return copy;
}

}  // namespace fuzz
