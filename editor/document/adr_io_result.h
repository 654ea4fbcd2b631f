// The editor's own result codes of library operations, which the document
// turns into messages.
#pragma once

#include <QtGlobal>

enum AdrIoResult : quint16 {
    AdrIoOk = 0,
    AdrIoImportFailed = 2,
    AdrIoConversionFailed = 3,
    AdrIoWriteFailed = 5,
    AdrIoReadFailed = 6,
    AdrIoStatusFailed = 7,
    AdrIoPasswordFailed = 8,
    AdrIoExportFailed = 9,
    AdrIoCancelled = 10,
    AdrIoNoFreeId = 11,
    AdrIoDriverBusy = 12,  // busy by the still-image library, no waiting allowed
    AdrIoMachineBusy = 13,
    AdrIoChecksumFailed = 14,
    AdrIoPartlyWritten = 15,
    AdrIoMachineRefused = 16,  // status 0x84
    AdrIoSecondPartMissing = 17,
    AdrIoNoFaxSlots = 18,
    AdrIoEmptyFaxGroup = 19,
};

// The editor code of a library result: the table's code when it has one,
// else `ownFailure` for any failure, 0 for success.
[[nodiscard]] quint16 AdrIoResultOf(qint32 libraryCode, quint16 ownFailure);

// A read of the machine that brought its book, possibly without a part the
// machine does not have (AdrIoNoFaxSlots, AdrIoSecondPartMissing).
[[nodiscard]] bool AdrIoReadCompleted(quint16 code);
