#include "document/machine_condition_text.h"

#include "document/adr_io_result.h"
#include "text/editor_text.h"

QString MachineConditionText(quint16 code) {
    switch (code) {
    case AdrIoPasswordFailed: return lqa::loadText(lqa::ids::MsgPasswordNotAccepted);
    case AdrIoDriverBusy: return lqa::loadText(lqa::ids::MsgMachineInUse);
    case AdrIoMachineBusy: return lqa::loadText(lqa::ids::MsgBookInUseByMachine);
    case AdrIoChecksumFailed: return lqa::loadText(lqa::ids::MsgDataCorrupted);
    default: return {};
    }
}
