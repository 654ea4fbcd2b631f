// Module start and end, and the exports that tell the library its language
// and help file.
#include "abiflink.h"
#include "core/diagnostic_log.h"
#include "core/export_guard.h"
#include "core/library_module.h"

#include <unistd.h>

namespace {

void logModuleEvent(const char *event) {
    abif::logInfo(abif::LogGeneral, "%s(hInst=0x%x, nThreadID=0x%x)\n", event,
                  static_cast<unsigned>(abif::moduleHandle()), static_cast<unsigned>(gettid()));
}

__attribute__((constructor)) void libraryLoaded() { logModuleEvent("InitInstance"); }

__attribute__((destructor)) void libraryUnloaded() { logModuleEvent("ExitInstance"); }

}  // namespace

extern "C" {

ABIF_API int32_t Abif_Initialize(int32_t languageId) {
    abif::setThreadLanguage(languageId);
    return 0;
}

ABIF_API int32_t Abif_SetHelpFileName(const abif_char16 *path) {
    return abif::guardedExport([&] {
        // A null path cannot name a help file; treat it as "no help".
        abif::setHelpFilePath(path ? QString::fromUtf16(path) : QString::fromLatin1(abif::kNoHelpFile));
        return 0;
    });
}

}  // extern "C"
