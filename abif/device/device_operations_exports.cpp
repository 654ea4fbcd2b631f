#include "abiflink.h"
#include "core/export_guard.h"
#include "core/live_containers.h"
#include "device/device_operations.h"

extern "C" {

ABIF_API int32_t AbifDevice_GetStatus(abif_char16 *modelName, int32_t flags) {
    if (!modelName) return ABIF_E_NULL;
    return abif::guardedExport([&] { return abif::getStatus(abif::takeModelName(modelName), flags); });
}

ABIF_API int32_t AbifDevice_CertificationPassword(abif_char16 *modelName, int32_t flags, abif_char16 *password) {
    if (!modelName) return ABIF_E_NULL;
    return abif::guardedExport([&] {
        const QString model = abif::takeModelName(modelName);
        // The buffer is read and written only when the certification runs.
        if ((flags & ABIF_DEVICE_CERTIFY) && !password) return ABIF_E_NULL;
        return abif::certificationPassword(model, flags, password);
    });
}

ABIF_API int32_t AbifDevice_ReadData(abif_char16 *modelName, CAbifData *data, int32_t flags,
                                     const abif_char16 *password) {
    CAbifData *checked = abif::checkedContainer(data);
    if (!checked) return ABIF_E_HANDLE;
    if (!modelName) return ABIF_E_NULL;
    return abif::guardedExport([&] {
        return abif::readData(abif::takeModelName(modelName), *checked, flags, abif::takePassword(password));
    });
}

ABIF_API int32_t AbifDevice_UpdateData(abif_char16 *modelName, CAbifData *base, CAbifData *changed,
                                       CAbifData *result, int32_t flags, const abif_char16 *password) {
    CAbifData *checkedBase = abif::checkedContainer(base);
    CAbifData *checkedChanged = abif::checkedContainer(changed);
    CAbifData *checkedResult = abif::checkedContainer(result);
    if (!checkedBase || !checkedChanged || !checkedResult) return ABIF_E_HANDLE;
    if (!modelName) return ABIF_E_NULL;
    return abif::guardedExport([&] {
        return abif::updateData(abif::takeModelName(modelName), *checkedBase, *checkedChanged, *checkedResult, flags,
                                abif::takePassword(password));
    });
}

}  // extern "C"
