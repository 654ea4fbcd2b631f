// The machine's read response, into a container with the default limits.
#include "device/pab_data.h"
#include "exact_copy.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto block = fuzz::exactCopy(data, size);
    CAbifData container;
    abif::readReadResponse(block.get(), size, container);
    container.normalise();
    return 0;
}
