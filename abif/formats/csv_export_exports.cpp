// C export of the CSV export.
#include "core/export_guard.h"
#include "core/live_containers.h"
#include "formats/csv_export.h"

extern "C" {

ABIF_API int32_t Abif_Export(const abif_char16 *path, int32_t type, CAbifData *handle, int32_t /*reserved*/) {
    const CAbifData *data = abif::checkedContainer(handle);
    if (!data) return ABIF_E_HANDLE;
    if (!path) return ABIF_E_NULL;
    return abif::guardedExport([&] { return abif::exportCsv(QString::fromUtf16(path), type, *data); });
}

}  // extern "C"
