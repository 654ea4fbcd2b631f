// C exports of the PC fax address book file.
#include "core/live_containers.h"
#include "formats/gad_util.h"

#include <new>

namespace {

QString pathOf(const abif_char16 *path) { return QString::fromUtf16(path); }

template <class Work> int32_t guarded(Work work) {
    try {
        return work();
    } catch (const std::bad_alloc &) {
        return ABIF_E_MEMORY;
    }
}

}  // namespace

extern "C" {

ABIF_API int32_t AbifGADFile_Read(const abif_char16 *path, CAbifData *handle, int32_t /*reserved*/) {
    CAbifData *data = abif::checkedContainer(handle);
    if (!data) return ABIF_E_HANDLE;
    if (!path) return ABIF_E_NULL;
    return guarded([&] { return CGADUtil::read(pathOf(path), *data); });
}

ABIF_API int32_t AbifGADFile_Write(const abif_char16 *path, CAbifData *handle, int32_t /*reserved*/) {
    const CAbifData *data = abif::checkedContainer(handle);
    if (!data) return ABIF_E_HANDLE;
    if (!path) return ABIF_E_NULL;
    return guarded([&] { return CGADUtil::write(pathOf(path), *data); });
}

ABIF_API int32_t AbifGADFile_Update(const abif_char16 *path, CAbifData *baseHandle, CAbifData *editedHandle,
                                    CAbifData *outputHandle, int32_t flags) {
    const CAbifData *base = abif::checkedContainer(baseHandle);
    const CAbifData *edited = abif::checkedContainer(editedHandle);
    CAbifData *output = abif::checkedContainer(outputHandle);
    if (!base || !edited || !output) return ABIF_E_HANDLE;
    if (!path) return ABIF_E_NULL;
    return guarded([&] { return CGADUtil::update(pathOf(path), *base, *edited, *output, flags); });
}

}  // extern "C"
