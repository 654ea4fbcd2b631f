#include "device/destination_device.h"

namespace abif {

CDestinationDevice &destinationDevice() {
    thread_local CDestinationDevice device;
    return device;
}

QString deviceNameToOpen(const CDestinationDevice &destination, const QString &modelName) {
    return destination.type != 0 ? QString::fromUtf16(destination.name) : modelName;
}

}  // namespace abif
