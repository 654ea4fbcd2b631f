// The machine's capacity response.
#include "device/pab_data.h"
#include "exact_copy.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto block = fuzz::exactCopy(data, size);
    abif::PabCapacity capacity;
    abif::readCapacityResponse(block.get(), size, capacity);
    return 0;
}
