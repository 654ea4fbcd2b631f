// What a device operation hands to its worker thread.
#pragma once

#include "core/abif_data.h"

#include <QString>

#include <cstdint>
#include <string>

namespace abif {

// Flags the library adds to an update itself: which parts of the book the
// caller changed. The caller's own bits in this range are discarded.
inline constexpr int32_t kFaxPartChanged = 0x2000;
inline constexpr int32_t kEmailPartChanged = 0x4000;
inline constexpr int32_t kServerPartChanged = 0x8000;
inline constexpr int32_t kLibraryFlagBits = 0x3E000;

struct DeviceJob {
    QString modelName;
    int32_t flags = 0;
    std::u16string password;
    // Read: the container filled. Update: the machine's content afterwards.
    CAbifData *data = nullptr;
    // Update only, both sorted by ID: the machine as the caller last read it,
    // and the book to write.
    const CAbifData *base = nullptr;
    const CAbifData *changed = nullptr;
    // The calling thread's destination device, copied before the worker starts.
    uint16_t destinationType = 0;
    QString destinationName;
    // What the worker leaves behind for the caller.
    int32_t result = 0;

    // The destination when one was chosen, else the model name.
    [[nodiscard]] QString deviceName() const { return destinationType != 0 ? destinationName : modelName; }
};

}  // namespace abif
