#include "device/sti_lib.h"

#include "abiflink.h"
#include "core/diagnostic_log.h"
#include "device/sti_lib_path.h"

#include <QFile>

#include <dlfcn.h>

CStiLib::~CStiLib() { Unload(); }

QString CStiLib::libraryPath() {
    const QString chosen = qEnvironmentVariable("QVS_STILIB");
    return chosen.isEmpty() ? QString::fromUtf8(ABIF_STILIB_INSTALLED_PATH) : chosen;
}

int32_t CStiLib::Load() {
    if (module_) return ABIF_OK;
    const QByteArray path = QFile::encodeName(libraryPath());
    module_ = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!module_) {
        abif::logError(abif::LogDevice, "    CStiLib: %s\n", dlerror());
        return ABIF_E_NO_STILIB;
    }
    command_ = reinterpret_cast<QvsStiCommandFunction>(dlsym(module_, "StiCommand"));
    getStatus_ = reinterpret_cast<QvsStiGetStatusFunction>(dlsym(module_, "StiGetStatus"));
    if (!command_ || !getStatus_) {
        abif::logError(abif::LogDevice, "    CStiLib: entry point missing in %s\n", path.constData());
        Unload();
        return ABIF_E_NO_STILIB;
    }
    return ABIF_OK;
}

void CStiLib::Unload() {
    if (module_) dlclose(module_);
    module_ = nullptr;
    command_ = nullptr;
    getStatus_ = nullptr;
}

int32_t CStiLib::Command(int32_t command, void *argument) {
    const int32_t loaded = Load();
    return loaded != ABIF_OK ? loaded : command_(command, argument);
}

int32_t CStiLib::GetStatus(QvsStiStatusRecord &record) {
    const int32_t loaded = Load();
    return loaded != ABIF_OK ? loaded : getStatus_(&record);
}
