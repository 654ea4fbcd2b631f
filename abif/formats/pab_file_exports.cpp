// C exports of the machine address book backup file.
#include "abiflink.h"
#include "core/export_guard.h"
#include "core/live_containers.h"
#include "formats/pab_file.h"

namespace {

template <class Operation> int32_t withFile(const abif_char16 *path, CAbifData *handle, Operation operation) {
    CAbifData *data = abif::checkedContainer(handle);
    if (!data) return ABIF_E_HANDLE;
    if (!path) return ABIF_E_NULL;
    return abif::guardedExport([&] { return operation(QString::fromUtf16(path), *data); });
}

}  // namespace

extern "C" {

ABIF_API int32_t Abif_PabBackup(const abif_char16 *path, CAbifData *data, int32_t reserved) {
    (void)reserved;  // callers pass 23; it has no meaning
    return withFile(path, data, abif::CPabFile::backup);
}

ABIF_API int32_t Abif_PabRestore(const abif_char16 *path, CAbifData *data, int32_t reserved) {
    (void)reserved;
    return withFile(path, data, abif::CPabFile::restore);
}

}  // extern "C"
