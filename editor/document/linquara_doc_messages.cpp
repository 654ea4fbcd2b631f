#include "document/linquara_doc_messages.h"

#include "document/adr_io_result.h"
#include "text/editor_text.h"

QString DeviceMessage(quint16 code, bool machineConnected) {
    switch (code) {
    case AdrIoOk:
    case AdrIoCancelled: return {};
    case AdrIoDriverBusy: return lqa::loadText(lqa::ids::MsgMachineInUse);
    case AdrIoMachineBusy: return lqa::loadText(lqa::ids::MsgBookInUseByMachine);
    case AdrIoChecksumFailed: return lqa::loadText(lqa::ids::MsgDataCorrupted);
    case AdrIoPartlyWritten: return lqa::loadText(lqa::ids::MsgDelayedStart);
    case AdrIoEmptyFaxGroup: return lqa::loadText(lqa::ids::MsgGroupWithoutMember);
    default: return machineConnected ? lqa::loadText(lqa::ids::MsgUnableToConnect) : QString();
    }
}

QString PcFaxFileFilter() { return lqa::loadText(lqa::ids::FilterPcFaxFile); }
