#include "device/device_workers.h"

#include "abiflink.h"
#include "core/diagnostic_log.h"
#include "core/library_ui.h"
#include "device/dev_ctrl.h"
#include "device/need_to_retry.h"
#include "l10n/library_strings.h"

#include <exception>

namespace abif {

namespace {

// How a routine's steps ended: with its result, or failing with a code that
// still goes through the final mapping.
struct Outcome {
    int32_t code = ABIF_OK;
    bool failed = false;
};
Outcome finished(int32_t code) { return {code, false}; }
Outcome failed(int32_t code) { return {code, true}; }

void begin(ProgressControl &progress, int messageId, int total) {
    progress.setMessage(messageId);
    progress.markStart();
    progress.setRange(total);
}

void advance(ProgressControl &progress, int steps = 1) { progress.setStep(progress.step() + steps); }

// Opens the device and takes its lock, waiting while the machine is busy:
// steps 1 and 2. ABIF_OK or the code to end with.
int32_t openAndLock(CDevCtrl &ctrl, const DeviceJob &job, ProgressControl &progress) {
    if (const int32_t result = ctrl.Initialize(job.deviceName()); result != ABIF_OK) return result;
    if (progress.cancelRequested()) return ABIF_E_CANCEL;
    progress.setStep(1);
    RetryDecision decision;
    do {
        decision = NeedToRetry(ctrl.Lock(), progress);
    } while (decision.retry);
    if (decision.result != ABIF_OK) return decision.result;
    progress.setStep(2);
    return ABIF_OK;
}

// The lock check of the password-protected operations, then step 3.
int32_t checkPasswordLock(CDevCtrl &ctrl, ProgressControl &progress) {
    ctrl.CheckPasswordLock();
    if (progress.cancelRequested()) return ABIF_E_CANCEL;
    progress.setStep(3);
    return ABIF_OK;
}

// Releasing the machine cannot undo what was done, so its codes only reach the log.
void unlockAndClose(CDevCtrl &ctrl, ProgressControl &progress) {
    ctrl.Unlock();
    advance(progress);
    ctrl.Dispose();
    advance(progress);
}

Outcome getStatus(ProgressControl &progress, DeviceJob &job) {
    begin(progress, ids::RetrievingStatus, 5);
    CDevCtrl ctrl;
    if (const int32_t result = openAndLock(ctrl, job, progress)) return failed(result);
    const int32_t status = ctrl.GetStatus();
    if ((static_cast<uint32_t>(status) & 0xFF000000u) != ABIF_STATUS_READ) return failed(status);
    if (progress.cancelRequested()) return failed(ABIF_E_CANCEL);
    progress.setStep(3);
    unlockAndClose(ctrl, progress);
    return finished(status);
}

Outcome certify(ProgressControl &progress, DeviceJob &job) {
    begin(progress, ids::AuthenticatingPassword, 6);
    CDevCtrl ctrl;
    if (const int32_t result = openAndLock(ctrl, job, progress)) return failed(result);
    if (const int32_t result = checkPasswordLock(ctrl, progress)) return failed(result);
    if (job.password.empty()) {
        progress.setStep(6);
        return failed(ABIF_E_PASSWORD);
    }
    if (const int32_t result = ctrl.CheckPassword(job.password)) return failed(result);
    if (progress.cancelRequested()) return failed(ABIF_E_CANCEL);
    progress.setStep(4);
    unlockAndClose(ctrl, progress);
    return finished(ABIF_OK);
}

Outcome readData(ProgressControl &progress, DeviceJob &job) {
    begin(progress, ids::Reading, 11);
    CAbifData &data = *job.data;
    data.clearAll();
    CDevCtrl ctrl;
    if (const int32_t result = openAndLock(ctrl, job, progress)) return failed(result);
    if (const int32_t result = checkPasswordLock(ctrl, progress)) return failed(result);
    PabCapacity capacity;
    if (const int32_t result = ctrl.ReadSpec(capacity, job.password)) return failed(result);
    if (progress.cancelRequested()) return failed(ABIF_E_CANCEL);
    progress.setStep(4);
    int32_t result = ABIF_OK;
    if (capacity.fax == 0) {
        result = ABIF_E_NO_FAX_SLOTS;
    } else {
        if (const int32_t read = ctrl.ReadFax(capacity, data, job.password)) return failed(read);
        progress.setStep(5);
    }
    unlockAndClose(ctrl, progress);
    data.normalise();
    return finished(result);
}

int updateSteps(int32_t flags) {
    int total = 11;
    for (const int32_t part : {kFaxPartChanged, kEmailPartChanged, kServerPartChanged})
        if (flags & part) total += 2;
    return total;
}

// Whether the machine's book, read into `current`, may be overwritten
// although it is not what the caller last read.
bool mayOverwriteChanges(const DeviceJob &job, CAbifData &current) {
    current.normalise();
    if (equalByKinds(current, *job.base, ABIF_KIND_FAX)) return true;
    if (job.flags & ABIF_DEVICE_ASK_OVERWRITE)
        return libraryUi().message(loadString(ids::MachineWillBeOverwritten), MessageButtons::OkCancel,
                                   MessageIcon::Warning) == MessageAnswer::Ok;
    return (job.flags & ABIF_DEVICE_REFUSE_OVERWRITE) == 0;
}

Outcome updateData(ProgressControl &progress, DeviceJob &job) {
    begin(progress, ids::Updating, updateSteps(job.flags));
    CAbifData &result = *job.data;
    CDevCtrl ctrl;
    if (const int32_t code = openAndLock(ctrl, job, progress)) return failed(code);
    if (const int32_t code = checkPasswordLock(ctrl, progress)) return failed(code);
    PabCapacity capacity;
    if (const int32_t code = ctrl.ReadSpec(capacity, job.password)) return failed(code);
    if (progress.cancelRequested()) return failed(ABIF_E_CANCEL);
    progress.setStep(4);
    result.clearAll();

    // A machine without fax slots has no fax part to compare or write.
    int32_t written = ABIF_OK;
    if ((job.flags & kFaxPartChanged) && capacity.fax > 0) {
        if (const int32_t code = ctrl.ReadFax(capacity, result, job.password)) return failed(code);
        if (progress.cancelRequested()) return failed(ABIF_E_CANCEL);
        progress.setStep(5);
        if (!mayOverwriteChanges(job, result)) return failed(ABIF_E_CANCEL);
        // A block on its way may reach the machine whatever happens next, and
        // the caller's base must then be what the machine holds: Cancel is
        // honoured up to here and closed before the block goes out.
        if (progress.cancelRequested()) return failed(ABIF_E_CANCEL);
        progress.commit();

        written = ctrl.DeleteWriteFax(capacity, *job.changed, job.password);
        // A write the machine took only in part still gets its read-back.
        if (written != ABIF_OK && written != ABIF_W_PARTIAL_WRITE) return failed(written);
        advance(progress, 2);
    }

    progress.commit();
    result.clearAll();
    if (capacity.fax > 0) {
        if (const int32_t code = ctrl.ReadFax(capacity, result, job.password)) return failed(code);
        advance(progress);
    }
    unlockAndClose(ctrl, progress);
    result.normalise();
    return finished(written);
}

// Runs `steps`, maps a failure and turns any exception into ABIF_E_MEMORY.
int32_t run(Outcome (*steps)(ProgressControl &, DeviceJob &), ProgressControl &progress, DeviceJob &job) {
    try {
        const Outcome outcome = steps(progress, job);
        return outcome.failed ? finalResultCode(outcome.code) : outcome.code;
    } catch (const std::exception &e) {
        logError(LogDevice, "  %s\n", e.what());
    } catch (...) {
        logError(LogDevice, "  unknown exception\n");
    }
    return ABIF_E_MEMORY;
}

}  // namespace

void ThreadFunc_GetStatus(ProgressControl &progress, DeviceJob &job) {
    logInfo(LogDevice, "  ThreadFunc_GetStatus: Start\n");
    job.result = run(getStatus, progress, job);
    logResult(job.result == (ABIF_STATUS_READ | 1), LogDevice, "  ThreadFunc_GetStatus: End(0x%x)\n",
              static_cast<unsigned>(job.result));
}

void ThreadFunc_CertificationPassword(ProgressControl &progress, DeviceJob &job) {
    logInfo(LogDevice, "  ThreadFunc_CertificationPassword: Start\n");
    job.result = run(certify, progress, job);
    logResult(job.result == ABIF_OK, LogDevice, "  ThreadFunc_CertificationPassword: End(0x%x)\n",
              static_cast<unsigned>(job.result));
}

void ThreadFunc_ReadData(ProgressControl &progress, DeviceJob &job) {
    logInfo(LogDevice, "  ThreadFunc_ReadData: Start\n");
    job.result = run(readData, progress, job);
    // Records read before a failure are no book of the machine's.
    if (job.result != ABIF_OK) job.data->clearAll();
    logResult(job.result == ABIF_OK, LogDevice, "  ThreadFunc_ReadData: End(0x%x)\n",
              static_cast<unsigned>(job.result));
}

void ThreadFunc_UpdateData(ProgressControl &progress, DeviceJob &job) {
    logInfo(LogDevice, "  ThreadFunc_UpdateData: Start\n");
    job.result = run(updateData, progress, job);
    if (job.result != ABIF_OK && job.result != ABIF_W_PARTIAL_WRITE) job.data->clearAll();
    logResult(job.result == ABIF_OK, LogDevice, "  ThreadFunc_UpdateData: End(0x%x)\n",
              static_cast<unsigned>(job.result));
}

}  // namespace abif
