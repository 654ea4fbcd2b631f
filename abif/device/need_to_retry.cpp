#include "device/need_to_retry.h"

#include "abiflink.h"
#include "core/diagnostic_log.h"
#include "qvs_stilib.h"

#include <chrono>
#include <thread>

namespace abif {

namespace {

constexpr uint8_t lowByte(int32_t code) { return static_cast<uint8_t>(code & 0xFF); }

}  // namespace

RetryDecision NeedToRetry(int32_t result, const ProgressControl &progress) {
    // The code to end with when waiting is not allowed; 0 for a machine that is not busy.
    int32_t busyCode = 0;
    if (lowByte(result) == QVS_STI_STATUS_BUSY)
        busyCode = ABIF_E_BUSY;
    else if (result == QVS_STI_E_SHARING || result == QVS_STI_E_BUSY)
        busyCode = ABIF_E_BUSY_LIBRARY;

    if (result == ABIF_OK) {
        if (!progress.cancelRequested()) return {false, ABIF_OK};
        logInfo(LogDevice, "  NeedToRetry: Cancel(Success)\n");
        return {false, ABIF_E_CANCEL};
    }
    if (busyCode == 0) {
        logError(LogDevice, "  NeedToRetry: Error\n");
        return {false, result};
    }
    if (progress.cancelRequested()) {
        logInfo(LogDevice, "  NeedToRetry: Cancel(Busy)\n");
        return {false, ABIF_E_CANCEL};
    }
    if (progress.retryWhileBusy() && progress.mayWaitLonger()) {
        logInfo(LogDevice, "  NeedToRetry: Retry\n");
        std::this_thread::sleep_for(std::chrono::milliseconds(kRetryIntervalMs));
        return {true, ABIF_OK};
    }
    logError(LogDevice, "  NeedToRetry: Error(busy)\n");
    return {false, busyCode};
}

int32_t finalResultCode(int32_t code) {
    switch (lowByte(code)) {
    case QVS_STI_STATUS_BUSY:
    case QVS_STI_STATUS_BUSY_JOB: return ABIF_E_BUSY;
    case QVS_STI_STATUS_CHECKSUM: return ABIF_E_CHECKSUM;
    default: return code;
    }
}

}  // namespace abif
