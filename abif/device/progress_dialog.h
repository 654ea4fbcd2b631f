// The modal dialog in front of every device operation: message, bar,
// percentage, remaining time and Cancel, while the work runs on a worker
// thread.
#pragma once

#include "device/progress_control.h"
#include "l10n/l10n_dialog.h"

#include <QTimer>

#include <thread>

class QLabel;
class QProgressBar;
class QPushButton;

namespace abif {

class CProgressDlg : public CL10NDialog {
    Q_OBJECT
public:
    enum Result { Finished = 1, Cancelled = 2 };

    static constexpr int kRefreshMs = 1000;
    static constexpr int kCancelDelayMs = 500;

    CProgressDlg(ProgressControl &control, const ProgressOptions &options, QWidget *parent = nullptr);
    ~CProgressDlg() override;

    // Runs `work` on a worker thread behind the dialog; returns a Result.
    int DoModal(const ProgressWork &work);

protected:
    // Escape and the close box act as Cancel; the dialog ends only when
    // the work does.
    void reject() override;

private:
    void requestCancel();
    void showMessage(int stringId);
    void setRange(int total);
    void setStep(int step);
    void disableCancel();
    void refreshTexts();
    void onThreadDone();

    ProgressControl &control_;
    const ProgressOptions options_;
    QLabel *message_;
    QProgressBar *bar_;
    QLabel *percentage_;
    QLabel *estimate_;
    QPushButton *cancel_;
    QTimer refreshTimer_;
    QTimer cancelEnableTimer_;
    std::thread worker_;
};

// Runs `work` behind the progress dialog when this thread can show one,
// else on a worker thread while the caller waits. Returns 1 when the work
// finished, 2 when it was cancelled.
int runWithProgress(const ProgressOptions &options, const ProgressWork &work);

}  // namespace abif
