// Any machine address data block, as a backup body holds them.
#include "device/pab_data.h"
#include "exact_copy.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto block = fuzz::exactCopy(data, size);
    CAbifData container;
    abif::readPabBlock(block.get(), size, container);
    container.normalise();
    return 0;
}
