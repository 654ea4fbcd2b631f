// The connection dialogs the connect procedure shows, behind an interface so
// that the procedure runs headless and tests can script the answers.
#pragma once

#include "connection/connection_context.h"

class ConnectionDialogs {
public:
    virtual ~ConnectionDialogs() = default;
    // The connection method dialog; false when the person cancelled. OK
    // writes the choice back into `context`.
    virtual bool ChooseMethod(ConnectionContext &context) = 0;
    // The caution that the machine cannot be reached; true when its
    // "do not show again" box was ticked.
    virtual bool ShowCaution() = 0;
};
