// The last line of every export: no C++ exception may cross the C boundary.
#pragma once

#include "abiflink.h"

#include <cstdint>

namespace abif {

// `body()`, or ABIF_E_MEMORY when it throws anything: what can be thrown
// here is the allocator or the toolkit giving up, never a caller's fault.
template <class Body> int32_t guardedExport(Body &&body) noexcept {
    try {
        return body();
    } catch (...) {
        return ABIF_E_MEMORY;
    }
}

}  // namespace abif
