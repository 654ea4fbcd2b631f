#include "connection/connect_procedure.h"

#include "connection/connection_dialogs.h"
#include "connection/connection_settings.h"
#include "document/adr_input_output.h"
#include "document/document_prompt.h"

namespace {

QString failureText(quint16 code) {
    const QString corrupted = QStringLiteral("Data maybe corrupted or incorrect format.");
    switch (code) {
    case AdrIoDriverBusy:
        return QStringLiteral("The Machine Address Book cannot be accessed when the machine is being used.");
    case AdrIoMachineBusy:
        return QStringLiteral("Cannot save because Address Book is being used by the machine.\n"
                              "Wait a while and then try again.");
    case AdrIoChecksumFailed:
        return corrupted;
    default:
        return QStringLiteral("%1 (%2)").arg(corrupted).arg(code);
    }
}

}  // namespace

ConnectProcedure::ConnectProcedure(ConnectionSettings &settings, CAdrInputOutput &io, DocumentPrompt &prompt,
                                   ConnectionDialogs &dialogs)
    : m_settings(settings), m_io(io), m_prompt(prompt), m_dialogs(dialogs) {}

ConnectionContext ConnectProcedure::StartupContext(const ConnectionSettings &settings, qint32 cmdConnection,
                                                   const QString &cmdAddress) {
    ConnectionContext context;
    if (cmdConnection != MethodNotChosen) {
        context.method = cmdConnection;
        context.deviceName = cmdAddress;
    } else {
        context.method = settings.DestType();
    }
    context.doNotShow = settings.ConTypeSave();
    context.chosenInDialog = true;
    return context;
}

void ConnectProcedure::WriteChoice(const ConnectionContext &context) {
    if (context.doNotShow != 0)
        m_settings.WriteDestination(context.method, context.deviceName, context.doNotShow);
    else
        m_settings.WriteConTypeSave(0);
}

void ConnectProcedure::ReportFailure(quint16 code, EnvironmentRecord config) {
    if (code != AdrIoStatusFailed) {
        m_prompt.message(failureText(code), PromptButtons::Ok, PromptIcon::Warning);
        return;
    }
    if (config.cautionFlags & 1) return;
    const bool ticked = m_dialogs.ShowCaution();
    if (ticked) {
        config.cautionFlags |= 1;
        m_settings.WriteConfig(config);
    }
    m_settings.WriteConTypeSave(ticked ? 1 : 0);
}

ConnectOutcome ConnectProcedure::Connect(ConnectionContext &context, CAdrData &target) {
    const EnvironmentRecord config = m_settings.Config();
    if (config.connect != 1) return {kConnectSwitchedOff, false};

    quint16 code = AdrIoOk;
    if ((m_settings.DebugFlag() & 1) == 0) {
        m_io.SetDestinationDevice(context.method, context.deviceName);
        code = m_io.ReadMachine(target);
    }
    if (code == AdrIoOk) {
        WriteChoice(context);
        return {AdrIoOk, true};
    }
    if (code == AdrIoCancelled) return {AdrIoCancelled, false};
    if (context.chosenInDialog) return {kConnectRetry, false};
    ReportFailure(code, config);
    return {code, false};
}

ConnectOutcome ConnectProcedure::StartUp(ConnectionContext &context, CAdrData &target) {
    bool ask = context.method == MethodNotChosen || context.doNotShow == 0;
    while (true) {
        if (ask && !m_dialogs.ChooseMethod(context)) return {AdrIoCancelled, false};
        if (context.method != MethodUsb) break;
        const ConnectOutcome outcome = Connect(context, target);
        if (outcome.code != kConnectRetry) return outcome;
        m_prompt.message(QStringLiteral("Unable to connect to the machine.\n"
                                        "The cable may be disconnected, or the power may be off."),
                         PromptButtons::Ok, PromptIcon::Warning);
        ask = true;
    }
    if (context.method == MethodOffline) WriteChoice(context);
    return {AdrIoOk, false};
}
