// The scanner driver's still-image library, found and loaded on first use.
// Its two entry points carry every command to the machine.
#pragma once

#include "qvs_stilib.h"

#include <QString>

#include <cstdint>

class CStiLib {
public:
    CStiLib() = default;
    ~CStiLib();
    CStiLib(const CStiLib &) = delete;
    CStiLib &operator=(const CStiLib &) = delete;

    // ABIF_OK once both entry points are bound; ABIF_E_NO_STILIB when the
    // library or an entry point is missing, with nothing left loaded.
    int32_t Load();
    void Unload();

    // Each loads the library first and answers ABIF_E_NO_STILIB without it;
    // otherwise the library's own result.
    int32_t Command(int32_t command, void *argument);
    int32_t GetStatus(QvsStiStatusRecord &record);

    // QVS_STILIB when set, else the driver's installed copy.
    static QString libraryPath();

private:
    void *module_ = nullptr;
    QvsStiCommandFunction command_ = nullptr;
    QvsStiGetStatusFunction getStatus_ = nullptr;
};
