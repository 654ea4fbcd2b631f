// C export of the import wizard.
#include "core/export_guard.h"
#include "core/live_containers.h"
#include "import/import_wizard.h"

extern "C" {

ABIF_API int32_t Abif_Import(int32_t sourceType, const abif_char16 *path, int32_t destinations, CAbifData *handle,
                             int32_t options) {
    CAbifData *data = abif::checkedContainer(handle);
    if (!data) return ABIF_E_HANDLE;
    // No path is the same as an empty one: the wizard asks for the file.
    return abif::guardedExport([&] {
        return abif::runImportWizard(sourceType, path ? QString::fromUtf16(path) : QString(), destinations, *data,
                                     options);
    });
}

}  // extern "C"
