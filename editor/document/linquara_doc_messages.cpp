#include "document/linquara_doc_messages.h"

#include "document/adr_io_result.h"
#include "document/machine_condition_text.h"
#include "text/editor_text.h"

QString DeviceMessage(quint16 code, bool machineConnected) {
    switch (code) {
    case AdrIoOk:
    case AdrIoCancelled: return {};
    case AdrIoPartlyWritten: return lqa::loadText(lqa::ids::MsgDelayedStart);
    case AdrIoEmptyFaxGroup: return lqa::loadText(lqa::ids::MsgGroupWithoutMember);
    default: break;
    }
    if (QString condition = MachineConditionText(code); !condition.isEmpty()) return condition;
    return machineConnected ? lqa::loadText(lqa::ids::MsgUnableToConnect) : QString();
}

QString PcFaxFileFilter() { return lqa::loadText(lqa::ids::FilterPcFaxFile); }
