// Reaches the machine as the connection settings say, reads its book and
// keeps the settings up to date with what happened.
#pragma once

#include "connection/connection_context.h"
#include "document/adr_io_result.h"

class CAdrData;
class CAdrInputOutput;
class ConnectionDialogs;
class ConnectionSettings;
class DocumentPrompt;

// A failure at start-up: the start-up loop asks for the method again.
inline constexpr quint16 kConnectRetry = 0x100;
// The person cancelled the connection method dialog: the program ends.
inline constexpr quint16 kConnectChoiceCancelled = 0x101;
// The environment record switched the machine off: nothing was read.
inline constexpr quint16 kConnectSwitchedOff = 9;

struct ConnectOutcome {
    quint16 code = AdrIoOk;
    bool online = false;
};

class ConnectProcedure {
public:
    ConnectProcedure(ConnectionSettings &settings, CAdrInputOutput &io, DocumentPrompt &prompt,
                     ConnectionDialogs &dialogs);

    // The context at start-up: a method named on the command line
    // (`cmdConnection` not -1) wins over the stored one.
    [[nodiscard]] static ConnectionContext StartupContext(const ConnectionSettings &settings,
                                                          qint32 cmdConnection, const QString &cmdAddress);

    // Reads the machine book into `target`. A machine without fax slots
    // counts as reached: its book is read, with no fax part.
    ConnectOutcome Connect(ConnectionContext &context, CAdrData &target);
    // Asks for the method when needed and connects until the machine
    // answers, the person goes offline or cancels the method dialog
    // (kConnectChoiceCancelled). A cancelled password prompt or read, or a
    // refused password, leaves the editor offline (AdrIoCancelled,
    // AdrIoPasswordFailed).
    ConnectOutcome StartUp(ConnectionContext &context, CAdrData &target);

private:
    void WriteChoice(const ConnectionContext &context);
    // The caution for an unreachable machine, or the message for any other failure.
    void ReportFailure(quint16 code, EnvironmentRecord config);

    ConnectionSettings &m_settings;
    CAdrInputOutput &m_io;
    DocumentPrompt &m_prompt;
    ConnectionDialogs &m_dialogs;
};
