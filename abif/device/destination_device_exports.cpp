#include "abiflink.h"
#include "device/destination_device.h"

#include <algorithm>
#include <cstring>

extern "C" {

ABIF_API int32_t AbifDevice_SetDestinationDevice(const abif_char16 *modelName, int32_t type, const abif_char16 *name) {
    (void)modelName;  // the model name travels with each operation instead
    abif::CDestinationDevice &device = abif::destinationDevice();
    device.type = static_cast<uint16_t>(type);
    std::fill(std::begin(device.name), std::end(device.name), u'\0');
    if (device.type != 0 && name) {
        for (int i = 0; i < abif::CDestinationDevice::kNameUnits - 1 && name[i] != 0; ++i) device.name[i] = name[i];
    }
    return 0;
}

}  // extern "C"
