#include "connection/connect_procedure.h"

#include "connection/connection_dialogs.h"
#include "connection/connection_settings.h"
#include "document/adr_input_output.h"
#include "document/document_prompt.h"
#include "document/machine_condition_text.h"
#include "text/editor_text.h"

namespace {

QString failureText(quint16 code) {
    if (QString condition = MachineConditionText(code); !condition.isEmpty()) return condition;
    return lqa::formatText(lqa::ids::MsgFailureWithCode,
                           {lqa::loadText(lqa::ids::MsgDataCorrupted), QString::number(code)});
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
    if (config.cautionFlags & kCautionSwitchedOff) return;
    const bool ticked = m_dialogs.ShowCaution();
    if (ticked) {
        config.cautionFlags |= kCautionSwitchedOff;
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
    if (AdrIoReadCompleted(code)) {
        WriteChoice(context);
        return {AdrIoOk, true};
    }
    if (code == AdrIoCancelled) return {AdrIoCancelled, false};
    // Asking for the method again cannot mend a password the machine refused.
    if (context.chosenInDialog && code != AdrIoPasswordFailed) return {kConnectRetry, false};
    ReportFailure(code, config);
    return {code, false};
}

ConnectOutcome ConnectProcedure::StartUp(ConnectionContext &context, CAdrData &target) {
    bool ask = context.method == MethodNotChosen || context.doNotShow == 0;
    while (true) {
        if (ask && !m_dialogs.ChooseMethod(context)) return {kConnectChoiceCancelled, false};
        if (context.method != MethodUsb) break;
        const ConnectOutcome outcome = Connect(context, target);
        if (outcome.code != kConnectRetry) return outcome;
        m_prompt.message(lqa::loadText(lqa::ids::MsgUnableToConnect), PromptButtons::Ok, PromptIcon::Warning);
        ask = true;
    }
    if (context.method == MethodOffline) WriteChoice(context);
    return {AdrIoOk, false};
}
