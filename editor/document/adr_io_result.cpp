#include "document/adr_io_result.h"

#include <utility>

quint16 AdrIoResultOf(qint32 libraryCode, quint16 ownFailure) {
    static constexpr std::pair<quint32, quint16> table[] = {
        {0x20000004, AdrIoCancelled},     {0x2000000E, AdrIoDriverBusy},       {0x2000000F, AdrIoMachineBusy},
        {0x20000011, AdrIoChecksumFailed}, {0x20000012, AdrIoPartlyWritten},   {0x20000003, AdrIoPasswordFailed},
        {0x20000015, AdrIoNoFaxSlots},    {0x20000016, AdrIoSecondPartMissing}, {0x20000014, AdrIoMachineRefused},
    };
    if (libraryCode == 0) return AdrIoOk;
    for (const auto &[library, editor] : table)
        if (static_cast<quint32>(libraryCode) == library) return editor;
    return ownFailure;
}

bool AdrIoReadCompleted(quint16 code) {
    return code == AdrIoOk || code == AdrIoNoFaxSlots || code == AdrIoSecondPartMissing;
}
