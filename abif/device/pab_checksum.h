// The checksum of a machine address data block: the sum of the bytes after
// the long header as big-endian 16-bit words, kept in the header.
#pragma once

#include <cstddef>
#include <cstdint>

namespace abif::pab {

// Sets the checksum and its flag; a block of odd length or without bytes
// after the header is left unchanged.
void addBlockChecksum(uint8_t *block, size_t length);

// ABIF_OK for a block whose checksum flag is 0 or whose checksum matches;
// ABIF_E_CHECKSUM otherwise; ABIF_E_RESPONSE for a block too short to say.
int32_t verifyBlockChecksum(const uint8_t *block, size_t length);

}  // namespace abif::pab
