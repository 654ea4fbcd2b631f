// The device the next device operation of this thread opens.
#pragma once

#include <QString>

#include <cstdint>

namespace abif {

struct CDestinationDevice {
    static constexpr int kNameUnits = 255;  // including the terminator
    uint16_t type = 0;                      // 0: open the model name instead
    char16_t name[kNameUnits] = {};
};

// The calling thread's record, created empty on first use.
CDestinationDevice &destinationDevice();

// What a device operation opens: the destination name when one is set, else
// the model name the caller passed.
QString deviceNameToOpen(const CDestinationDevice &destination, const QString &modelName);

}  // namespace abif
