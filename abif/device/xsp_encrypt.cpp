#include "device/xsp_encrypt.h"

namespace abif {

int XSPEncrypt(const uint8_t *input, int inputLength, uint8_t *output, int *written, int capacity) {
    if (!input || !output || !written) return -1;
    *written = 0;
    if (inputLength <= 0 || capacity <= 0) return -2;
    const bool fits = capacity >= inputLength;
    const int length = fits ? inputLength : capacity / 4 * 4;
    for (int i = 0; i < length; ++i) output[i] = input[i] ^ xspEncryptKey[static_cast<unsigned>(i) % 4];
    *written = length;
    return fits ? 0 : -3;
}

}  // namespace abif
