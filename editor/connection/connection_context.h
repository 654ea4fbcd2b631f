// How the document reaches the machine during one connect attempt.
#pragma once

#include "connection/connection_settings.h"

#include <QString>

struct ConnectionContext {
    qint32 method = MethodUsb;
    QString deviceName;
    qint32 doNotShow = 1;  // the "ConTypeSave" state
    bool chosenInDialog = false;
};
