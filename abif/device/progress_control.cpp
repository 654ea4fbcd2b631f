#include "device/progress_control.h"

#include "core/diagnostic_log.h"
#include "core/library_module.h"
#include "core/library_ui.h"

#include <chrono>
#include <exception>
#include <thread>

namespace abif {

namespace {

int64_t tickCount() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::atomic<int64_t> busyWaitWithoutWindow{kBusyWaitWithoutWindowMs};

}  // namespace

int64_t busyWaitWithoutWindowMs() { return busyWaitWithoutWindow.load(); }

void setBusyWaitWithoutWindowMs(int64_t ms) { busyWaitWithoutWindow.store(ms); }

ProgressTexts progressTexts(int total, int current, int64_t elapsedMs) {
    ProgressTexts texts;
    if (total > 0) texts.percent = static_cast<int>(int64_t{current} * 100 / total);
    if (current > 0) {
        const int64_t remainingMs = int64_t{total - current} * elapsedMs / current;
        texts.secondsLeft = (remainingMs + 999) / 1000;
    }
    return texts;
}

ProgressControl::ProgressControl(bool retryWhileBusy) : retryWhileBusy_(retryWhileBusy) {
    startMs_ = tickCount();
}

void ProgressControl::setMessage(int stringId) { emit messageChanged(stringId); }

void ProgressControl::markStart() { startMs_ = tickCount(); }

void ProgressControl::setRange(int total) {
    total_ = total;
    emit rangeChanged(total);
}

void ProgressControl::setStep(int step) {
    current_ = step;
    emit stepChanged(step);
}

void ProgressControl::commit() {
    state_ = Committed;
    emit workCommitted();
}

bool ProgressControl::requestCancel() {
    int expected = Running;
    return state_.compare_exchange_strong(expected, CancelRequested);
}

int64_t ProgressControl::elapsedMs() const { return tickCount() - startMs_.load(); }

void ProgressControl::markReady() {
    ready_ = true;
    ready_.notify_all();
}

void ProgressControl::runWork(const ProgressWork &work, int32_t language, bool busyCursor) {
    logInfo(LogDevice, "CProgressDlg::ThreadFunc: Start\n");
    setThreadLanguage(language);
    try {
        std::optional<BusyScope> busy;
        if (busyCursor) busy.emplace();
        work(*this);
    } catch (const std::exception &e) {
        // The work maps its own failures to result codes; this only keeps
        // the caller from waiting for ever.
        logError(LogDevice, "CProgressDlg::ThreadFunc: %s\n", e.what());
    } catch (...) {
        logError(LogDevice, "CProgressDlg::ThreadFunc: unknown exception\n");
    }
    // Completion must not reach the dialog before its loop runs.
    ready_.wait(false);
    emit workDone();
    logInfo(LogDevice, "CProgressDlg::ThreadFunc: End\n");
}

int ProgressControl::runWithoutWindow(const ProgressWork &work) {
    logInfo(LogDevice, "CProgressDlg::DoModal: Start\n");
    busyWaitLimitMs_ = busyWaitWithoutWindowMs();
    markReady();
    std::thread worker(&ProgressControl::runWork, this, std::cref(work), threadLanguage(), false);
    worker.join();
    const int result = cancelRequested() ? 2 : 1;
    logInfo(LogDevice, "CProgressDlg::DoModal: End(%d)\n", result);
    return result;
}

}  // namespace abif
