#include "device/pab_checksum.h"

#include "abiflink.h"
#include "device/pab_layout.h"

#include <QtEndian>

namespace abif::pab {
namespace {

bool hasChecksummedBody(size_t length) { return length > longHeaderSize && length % 2 == 0; }

uint32_t wordSum(const uint8_t *block, size_t length) {
    uint32_t total = 0;
    for (size_t i = longHeaderSize; i + 1 < length; i += 2) total += qFromBigEndian<uint16_t>(block + i);
    return total;
}

}  // namespace

void addBlockChecksum(uint8_t *block, size_t length) {
    if (!block || !hasChecksummedBody(length)) return;
    qToBigEndian<uint32_t>(wordSum(block, length), block + headerChecksum);
    block[headerChecksumFlag] = 1;
}

int32_t verifyBlockChecksum(const uint8_t *block, size_t length) {
    if (!block || length <= headerChecksumFlag) return ABIF_E_RESPONSE;
    if (block[headerChecksumFlag] == 0) return ABIF_OK;
    if (!hasChecksummedBody(length)) return ABIF_E_CHECKSUM;
    return wordSum(block, length) == qFromBigEndian<uint32_t>(block + headerChecksum) ? ABIF_OK : ABIF_E_CHECKSUM;
}

}  // namespace abif::pab
