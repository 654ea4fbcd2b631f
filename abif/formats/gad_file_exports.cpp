// C exports of the PC fax address book file.
#include "core/export_guard.h"
#include "core/live_containers.h"
#include "formats/gad_util.h"

namespace {

QString pathOf(const abif_char16 *path) { return QString::fromUtf16(path); }

}  // namespace

extern "C" {

ABIF_API int32_t AbifGADFile_Read(const abif_char16 *path, CAbifData *handle, int32_t /*reserved*/) {
    CAbifData *data = abif::checkedContainer(handle);
    if (!data) return ABIF_E_HANDLE;
    if (!path) return ABIF_E_NULL;
    return abif::guardedExport([&] { return CGADUtil::read(pathOf(path), *data); });
}

ABIF_API int32_t AbifGADFile_Write(const abif_char16 *path, CAbifData *handle, int32_t /*reserved*/) {
    const CAbifData *data = abif::checkedContainer(handle);
    if (!data) return ABIF_E_HANDLE;
    if (!path) return ABIF_E_NULL;
    return abif::guardedExport([&] { return CGADUtil::write(pathOf(path), *data); });
}

ABIF_API int32_t AbifGADFile_Update(const abif_char16 *path, CAbifData *baseHandle, CAbifData *editedHandle,
                                    CAbifData *outputHandle, int32_t flags) {
    const CAbifData *base = abif::checkedContainer(baseHandle);
    const CAbifData *edited = abif::checkedContainer(editedHandle);
    CAbifData *output = abif::checkedContainer(outputHandle);
    if (!base || !edited || !output) return ABIF_E_HANDLE;
    if (!path) return ABIF_E_NULL;
    return abif::guardedExport([&] { return CGADUtil::update(pathOf(path), *base, *edited, *output, flags); });
}

}  // extern "C"
