// The shared state between a device operation's worker thread and the
// progress display in front of it: messages and steps flow to the display,
// the cancel request and the retry permission flow back to the worker.
#pragma once

#include <QObject>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

namespace abif {

struct ProgressOptions {
    bool showWindow = true;
    bool showPercentage = true;
    bool showEstimate = true;
    bool refreshTimer = true;
    bool showCancel = true;
    bool delayCancel = true;
    // Whether the work may wait and retry while the machine is busy.
    bool retryWhileBusy = false;
};

// Without a window nobody can press Cancel, so there a busy or locked
// machine is waited for this long at most; the work then ends with the busy
// code. Behind a window the wait lasts until Cancel.
inline constexpr int64_t kBusyWaitWithoutWindowMs = 60000;
// The limit work without a window runs under: kBusyWaitWithoutWindowMs
// unless a test shortened it with setBusyWaitWithoutWindowMs.
int64_t busyWaitWithoutWindowMs();
void setBusyWaitWithoutWindowMs(int64_t ms);

class ProgressControl;
using ProgressWork = std::function<void(ProgressControl &)>;

// What the display shows for a step: the percentage whenever the range is
// set, the whole seconds left once one step is done.
struct ProgressTexts {
    std::optional<int> percent;
    std::optional<int64_t> secondsLeft;
};
ProgressTexts progressTexts(int total, int current, int64_t elapsedMs);

class ProgressControl : public QObject {
    Q_OBJECT
public:
    explicit ProgressControl(bool retryWhileBusy);

    // --- called by the work routine, on the worker thread ---
    void setMessage(int stringId);
    // Remembers when the work started, for the time estimate.
    void markStart();
    void setRange(int total);
    void setStep(int step);
    [[nodiscard]] int step() const { return current_.load(); }
    // From here on the work cannot be cancelled: Cancel is disabled for good
    // and a cancel request not yet seen by the work is dropped.
    void commit();
    [[nodiscard]] bool cancelRequested() const { return state_.load() == CancelRequested; }
    [[nodiscard]] bool retryWhileBusy() const { return retryWhileBusy_; }
    // Whether a busy machine may still be waited for, counted from markStart().
    [[nodiscard]] bool mayWaitLonger() const { return busyWaitLimitMs_ == 0 || elapsedMs() < busyWaitLimitMs_; }

    // --- the person's side ---
    // What Cancel does; false once the work has committed or was cancelled.
    bool requestCancel();

    [[nodiscard]] int total() const { return total_.load(); }
    [[nodiscard]] int64_t elapsedMs() const;

    // --- the runner's side ---
    // Runs `work` as the worker thread's body in `language`; finishes only
    // after markReady(), then emits workDone().
    void runWork(const ProgressWork &work, int32_t language, bool busyCursor);
    void markReady();
    // No window: the work runs on a worker thread while the caller waits,
    // and waits for a busy machine no longer than busyWaitWithoutWindowMs().
    // Returns 1 when finished, 2 when cancelled.
    int runWithoutWindow(const ProgressWork &work);

signals:
    void messageChanged(int stringId);
    void rangeChanged(int total);
    void stepChanged(int step);
    void workCommitted();
    void workDone();

private:
    enum State { Running, CancelRequested, Committed };

    std::atomic<int> state_{Running};
    const bool retryWhileBusy_;
    int64_t busyWaitLimitMs_ = 0;  // 0: no limit
    std::atomic<bool> ready_{false};
    std::atomic<int> total_{100};
    std::atomic<int> current_{0};
    std::atomic<int64_t> startMs_{0};
};

}  // namespace abif
