// The busy, cancel and retry rule around taking the machine's lock, and the
// mapping every failing worker step goes through.
#pragma once

#include "device/progress_control.h"

#include <cstdint>

namespace abif {

inline constexpr int kRetryIntervalMs = 200;

struct RetryDecision {
    bool retry = false;
    // ABIF_OK to go on; otherwise the code the worker ends with.
    int32_t result = 0;
};

// Decides after one attempt whose code is `result`: a busy machine is waited
// for and tried again (the wait happens here) unless the caller forbade it,
// cancelled, or has no window and waited its limit; success still yields to
// a pending cancel.
RetryDecision NeedToRetry(int32_t result, const ProgressControl &progress);

// The code a worker stores when a step fails with `code`: busy statuses left
// over become ABIF_E_BUSY, a refused checksum ABIF_E_CHECKSUM.
int32_t finalResultCode(int32_t code);

}  // namespace abif
