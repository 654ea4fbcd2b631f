// The container of a backup file's body, as it is after deciphering.
#include "exact_copy.h"
#include "formats/pab_backup_container.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto body = fuzz::exactCopy(data, size);
    CAbifData container;
    abif::backup::readContainer(body.get(), size, container);
    container.normalise();
    return 0;
}
