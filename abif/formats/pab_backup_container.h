// The container inside a backup file's body: a head with the block sizes,
// then the clearing block and the entries block.
#pragma once

#include "core/abif_data.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace abif::backup {

// The container of the fax part of `data`, in its current order, zero-padded
// to a multiple of 8 bytes. ABIF_OK or the data block builders' code.
int32_t makeContainer(const CAbifData &data, std::vector<uint8_t> &container);

// Adds the entries of a container to `data`; reads nothing past `length`.
// ABIF_E_FORMAT for a malformed container, else the data block reader's code.
int32_t readContainer(const uint8_t *container, size_t length, CAbifData &data);

// Whether a machine could hold the fax part of `data`: speed dial IDs 1 to
// 99 and group IDs 1 to 6, each used once, and groups whose members are all
// speed dials of `data`.
[[nodiscard]] bool machineCanHold(const CAbifData &data);

// The sum of the big-endian 32-bit words; trailing bytes do not count.
uint32_t wordSum(const uint8_t *data, size_t length);

}  // namespace abif::backup
