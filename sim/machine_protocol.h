// The machine's side of the data-block conversation: it answers queries from
// its slots and applies updates to them, as the real machine does.
#pragma once

#include "machine_state.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qvs {

struct TransferAnswer {
    // The transfer's status, detail and extra code bytes (0: success).
    uint8_t status = 0;
    uint8_t detail = 0;
    uint8_t extra = 0;
    std::vector<uint8_t> response;  // queries only
    bool keptBack = false;          // an update left a delayed-start slot as it was
};

// Information sections are answered with the capacities, record sections
// with the occupied slots of the range asked for.
TransferAnswer answerQuery(const MachineState &state, const uint8_t *block, size_t length);

// Delete lists first, then records. Nothing changes unless the whole block
// is well formed and its password holds.
TransferAnswer applyUpdate(MachineState &state, const uint8_t *block, size_t length);

}  // namespace qvs
