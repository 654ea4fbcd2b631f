// C exports of the block cipher, for data the editor keeps in files of its own.
#include "abiflink.h"
#include "core/blowfish.h"

#include <cstdint>

namespace {

// Lengths whose rounded-up size still fits the int result.
bool usableLength(int32_t length) { return length > 0 && length <= INT32_MAX - 7; }

}  // namespace

extern "C" {

ABIF_API int32_t Abif_Encode(const uint8_t *key, int32_t keyLength, uint8_t *output, const uint8_t *input,
                             int32_t inputLength) {
    if (!key || !output || !input || !usableLength(inputLength)) return 0;
    const abif::Blowfish cipher(key, keyLength, abif::WordOrder::LittleEndian);
    return static_cast<int32_t>(cipher.encipher(output, input, static_cast<size_t>(inputLength)));
}

ABIF_API void Abif_Decode(const uint8_t *key, int32_t keyLength, uint8_t *output, const uint8_t *input,
                          int32_t inputLength) {
    if (!key || !output || !input || !usableLength(inputLength)) return;
    const abif::Blowfish cipher(key, keyLength, abif::WordOrder::LittleEndian);
    cipher.decipher(output, input, static_cast<size_t>(inputLength));
}

}  // extern "C"
