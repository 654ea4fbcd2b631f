#include "device/progress_dialog.h"

#include "core/diagnostic_log.h"
#include "core/library_module.h"
#include "l10n/library_strings.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

namespace abif {

CProgressDlg::CProgressDlg(ProgressControl &control, const ProgressOptions &options, QWidget *parent)
    : CL10NDialog(ids::PleaseWait, 0, threadLanguage(), parent),
      control_(control),
      options_(options),
      message_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      percentage_(new QLabel(this)),
      estimate_(new QLabel(this)) {
    message_->setObjectName(QStringLiteral("message"));
    // Wide enough for every message, so the dialog keeps its size while it runs.
    message_->setMinimumWidth(320);
    message_->setWordWrap(true);
    bar_->setObjectName(QStringLiteral("progress"));
    bar_->setTextVisible(false);
    bar_->setRange(0, control.total());
    percentage_->setObjectName(QStringLiteral("percentage"));
    percentage_->setVisible(options.showPercentage);
    estimate_->setObjectName(QStringLiteral("estimate"));
    estimate_->setVisible(options.showEstimate);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    localizeButtons(buttons);
    cancel_ = buttons->button(QDialogButtonBox::Cancel);
    cancel_->setObjectName(QStringLiteral("cancel"));
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &CProgressDlg::requestCancel);

    auto *texts = new QHBoxLayout;
    texts->addWidget(percentage_);
    texts->addStretch();
    texts->addWidget(estimate_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(message_);
    layout->addWidget(bar_);
    layout->addLayout(texts);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(&control, &ProgressControl::messageChanged, this, &CProgressDlg::showMessage);
    connect(&control, &ProgressControl::rangeChanged, this, &CProgressDlg::setRange);
    connect(&control, &ProgressControl::stepChanged, this, &CProgressDlg::setStep);
    connect(&control, &ProgressControl::workCommitted, this, &CProgressDlg::disableCancel);
    connect(&control, &ProgressControl::workDone, this, &CProgressDlg::onThreadDone);

    refreshTimer_.setInterval(kRefreshMs);
    connect(&refreshTimer_, &QTimer::timeout, this, &CProgressDlg::refreshTexts);
    // A coarse timer may fire early; Cancel must stay off the whole half second.
    cancelEnableTimer_.setTimerType(Qt::PreciseTimer);
    cancelEnableTimer_.setInterval(kCancelDelayMs);
    cancelEnableTimer_.setSingleShot(true);
    connect(&cancelEnableTimer_, &QTimer::timeout, cancel_, [this] { cancel_->setEnabled(true); });
}

CProgressDlg::~CProgressDlg() {
    // Only when the modal loop was left some other way: never leave the
    // worker waiting for a loop that will not come.
    if (worker_.joinable()) {
        control_.markReady();
        worker_.join();
    }
}

int CProgressDlg::DoModal(const ProgressWork &work) {
    logInfo(LogDevice, "CProgressDlg::DoModal: Start\n");
    if (options_.refreshTimer) refreshTimer_.start();
    if (!options_.showCancel) {
        cancel_->setEnabled(false);
        cancel_->hide();
    } else if (options_.delayCancel) {
        cancelEnableTimer_.start();
        cancel_->setEnabled(false);
    }
    // Hidden, the dialog still runs its loop; the busy cursor shows instead.
    setAttribute(Qt::WA_DontShowOnScreen, !options_.showWindow);
    refreshTexts();

    // The first pass of the dialog's own loop: from now on completion is safe.
    QTimer::singleShot(0, this, [this] { control_.markReady(); });
    worker_ = std::thread(&ProgressControl::runWork, &control_, work, language(), !options_.showWindow);

    const int result = exec();
    logInfo(LogDevice, "CProgressDlg::DoModal: End(%d)\n", result);
    return result;
}

void CProgressDlg::reject() {
    if (cancel_->isEnabled()) requestCancel();
}

void CProgressDlg::requestCancel() {
    if (!control_.requestCancel()) return;
    message_->setText(text(ids::Canceling));
    cancel_->setEnabled(false);
}

void CProgressDlg::showMessage(int stringId) { message_->setText(text(stringId)); }

void CProgressDlg::setRange(int total) {
    bar_->setRange(0, total);
    refreshTexts();
}

void CProgressDlg::setStep(int step) {
    bar_->setValue(step);
    refreshTexts();
}

void CProgressDlg::disableCancel() {
    cancelEnableTimer_.stop();
    cancel_->setEnabled(false);
}

void CProgressDlg::refreshTexts() {
    const ProgressTexts texts = progressTexts(control_.total(), control_.step(), control_.elapsedMs());
    bool changed = false;
    auto show = [&changed](QLabel *label, const QString &text) {
        if (label->text() == text) return;
        label->setText(text);
        changed = true;
    };
    if (options_.showPercentage && texts.percent)
        show(percentage_, formatText(text(ids::PercentDone), {QString::number(*texts.percent)}));
    if (options_.showEstimate && texts.secondsLeft)
        show(estimate_, formatText(text(ids::EstimatedTime), {QString::number(*texts.secondsLeft)}));
    // The next refresh comes a full second after the last change.
    if (changed && refreshTimer_.isActive()) refreshTimer_.start();
}

void CProgressDlg::onThreadDone() {
    logInfo(LogDevice, "CProgressDlg::OnThreadDone: Start\n");
    worker_.join();
    refreshTimer_.stop();
    cancelEnableTimer_.stop();
    done(control_.cancelRequested() ? Cancelled : Finished);
    logInfo(LogDevice, "CProgressDlg::OnThreadDone: End\n");
}

int runWithProgress(const ProgressOptions &options, const ProgressWork &work) {
    ProgressControl control(options.retryWhileBusy);
    const bool canShowWindows = qobject_cast<QApplication *>(QCoreApplication::instance())
                                && QThread::currentThread() == QCoreApplication::instance()->thread();
    if (!canShowWindows) return control.runWithoutWindow(work);
    CProgressDlg dialog(control, options, QApplication::activeWindow());
    return dialog.DoModal(work);
}

}  // namespace abif
