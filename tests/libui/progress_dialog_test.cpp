// The progress dialog driven for real: timers, Cancel, completion handshake.
#include "dialog_driver.h"

#include "core/library_module.h"
#include "device/progress_dialog.h"
#include "l10n/library_strings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

using abif::CProgressDlg;
using abif::ProgressControl;

class ProgressDialog : public ::testing::Test {
protected:
    ~ProgressDialog() override { gate.open(); }

    // Runs `work` behind a real dialog; `duringLoop` runs inside its loop.
    int run(const abif::ProgressWork &work, const std::function<void(CProgressDlg &)> &duringLoop = {},
            abif::ProgressOptions options = {}) {
        dialog = std::make_unique<CProgressDlg>(control, options);
        if (duringLoop) test::whenLoopRuns(dialog.get(), [&] { duringLoop(*dialog); });
        return dialog->DoModal(work);
    }

    QPushButton *cancel() const { return dialog->findChild<QPushButton *>(QStringLiteral("cancel")); }
    QString label(const char *name) const {
        return dialog->findChild<QLabel *>(QString::fromLatin1(name))->text();
    }
    QProgressBar *bar() const { return dialog->findChild<QProgressBar *>(QStringLiteral("progress")); }

    ProgressControl control{false};
    test::Gate gate;
    std::unique_ptr<CProgressDlg> dialog;
};

TEST_F(ProgressDialog, cancelStaysDisabledForTheFirstHalfSecond) {
    QElapsedTimer sinceOpening;
    sinceOpening.start();
    qint64 enabledAfter = -1;
    const int result = run([&](ProgressControl &) { gate.wait(); },
                           [&](CProgressDlg &) {
                               EXPECT_FALSE(cancel()->isEnabled());
                               EXPECT_TRUE(QTest::qWaitFor([&] { return cancel()->isEnabled(); }, 5000));
                               enabledAfter = sinceOpening.elapsed();
                               gate.open();
                           });
    EXPECT_GE(enabledAfter, CProgressDlg::kCancelDelayMs);
    EXPECT_EQ(result, CProgressDlg::Finished);
}

TEST_F(ProgressDialog, workDoneBeforeTheLoopStartsStillEndsTheShownDialog) {
    struct ShowSpy : QObject {
        bool shown = false;
        bool eventFilter(QObject *, QEvent *event) override {
            shown = shown || event->type() == QEvent::Show;
            return false;
        }
    } spy;
    CProgressDlg plain(control, {});
    plain.installEventFilter(&spy);
    EXPECT_EQ(plain.DoModal([](ProgressControl &) {}), CProgressDlg::Finished);
    EXPECT_TRUE(spy.shown);
    EXPECT_FALSE(plain.isVisible());
}

TEST_F(ProgressDialog, closesShowingThePercentageOfTheLastStep) {
    const int result = run([](ProgressControl &progress) {
        progress.setRange(11);
        for (int step = 1; step <= 7; ++step) progress.setStep(step);
    });
    EXPECT_EQ(result, CProgressDlg::Finished);
    EXPECT_EQ(label("percentage"), QStringLiteral("63%"));
    EXPECT_EQ(bar()->maximum(), 11);
    EXPECT_EQ(bar()->value(), 7);
}

TEST_F(ProgressDialog, estimateAppearsOnlyAfterTheFirstStep) {
    test::Gate stepped;
    run(
        [&](ProgressControl &progress) {
            progress.setMessage(abif::ids::Reading);
            progress.markStart();
            progress.setRange(11);
            gate.wait();
            progress.setStep(1);
            stepped.wait();
        },
        [&](CProgressDlg &) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return bar()->maximum() == 11; }, 5000));
            EXPECT_EQ(label("message"), QStringLiteral("Reading..."));
            EXPECT_EQ(label("percentage"), QStringLiteral("0%"));
            EXPECT_EQ(label("estimate"), QString());
            gate.open();
            EXPECT_TRUE(QTest::qWaitFor([&] { return bar()->value() == 1; }, 5000));
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^Estimated time to complete: \\d+ seconds$"))
                            .match(label("estimate"))
                            .hasMatch())
                << label("estimate").toStdString();
            stepped.open();
        });
}

TEST_F(ProgressDialog, cancelAsksTheWorkToStopAndTheDialogWaitsForIt) {
    std::atomic<bool> workSawCancel = false;
    const int result = run(
        [&](ProgressControl &progress) {
            gate.wait();
            workSawCancel = progress.cancelRequested();
        },
        [&](CProgressDlg &shown) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return cancel()->isEnabled(); }, 5000));
            QTest::mouseClick(cancel(), Qt::LeftButton);
            EXPECT_EQ(label("message"), QStringLiteral("Canceling..."));
            EXPECT_FALSE(cancel()->isEnabled());
            QTest::qWait(50);
            EXPECT_TRUE(shown.isVisible());
            gate.open();
        });
    EXPECT_TRUE(workSawCancel);
    EXPECT_EQ(result, CProgressDlg::Cancelled);
}

TEST_F(ProgressDialog, escapeCancelsOnlyWhileCancelIsEnabled) {
    const int result = run([&](ProgressControl &) { gate.wait(); },
                           [&](CProgressDlg &shown) {
                               QTest::keyClick(&shown, Qt::Key_Escape);
                               EXPECT_FALSE(control.cancelRequested());
                               EXPECT_TRUE(shown.isVisible());
                               EXPECT_TRUE(QTest::qWaitFor([&] { return cancel()->isEnabled(); }, 5000));
                               QTest::keyClick(&shown, Qt::Key_Escape);
                               EXPECT_TRUE(control.cancelRequested());
                               EXPECT_TRUE(shown.isVisible());
                               gate.open();
                           });
    EXPECT_EQ(result, CProgressDlg::Cancelled);
}

TEST_F(ProgressDialog, commitDisablesCancelForGood) {
    const int result = run(
        [&](ProgressControl &progress) {
            progress.commit();
            gate.wait();
        },
        [&](CProgressDlg &shown) {
            QTest::qWait(CProgressDlg::kCancelDelayMs + 200);
            EXPECT_FALSE(cancel()->isEnabled());
            QTest::keyClick(&shown, Qt::Key_Escape);
            EXPECT_FALSE(control.cancelRequested());
            gate.open();
        });
    EXPECT_EQ(result, CProgressDlg::Finished);
}

TEST_F(ProgressDialog, workerTextsComeInTheCallersLanguage) {
    abif::setThreadLanguage(1041);
    QString loadedByWorker;
    run([&](ProgressControl &progress) {
        loadedByWorker = abif::loadString(abif::ids::Reading);
        progress.setMessage(abif::ids::Reading);
    });
    abif::setThreadLanguage(0);
    EXPECT_EQ(loadedByWorker, QStringLiteral("読み込んでいます..."));
    EXPECT_EQ(label("message"), loadedByWorker);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("しばらくお待ちください..."));
}

TEST_F(ProgressDialog, hiddenWindowShowsTheBusyCursorWhileTheWorkRuns) {
    abif::ProgressOptions options;
    options.showWindow = false;
    std::atomic<bool> working = false;
    const int result = run(
        [&](ProgressControl &) {
            working = true;
            gate.wait();
        },
        [&](CProgressDlg &shown) {
            // The cursor is set through this thread, so keep its events flowing.
            EXPECT_TRUE(QTest::qWaitFor([&] { return working.load(); }, 5000));
            ASSERT_NE(QApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            EXPECT_TRUE(shown.testAttribute(Qt::WA_DontShowOnScreen));
            gate.open();
        },
        options);
    EXPECT_EQ(result, CProgressDlg::Finished);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ProgressDialog, withoutShowCancelThereIsNoWayToCancel) {
    abif::ProgressOptions options;
    options.showCancel = false;
    const int result = run([&](ProgressControl &) { gate.wait(); },
                           [&](CProgressDlg &shown) {
                               QTest::qWait(CProgressDlg::kCancelDelayMs + 200);
                               EXPECT_FALSE(cancel()->isVisible());
                               QTest::keyClick(&shown, Qt::Key_Escape);
                               EXPECT_FALSE(control.cancelRequested());
                               gate.open();
                           },
                           options);
    EXPECT_EQ(result, CProgressDlg::Finished);
}

TEST(RunWithProgress, offTheGuiThreadTheWorkRunsWithoutAWindow) {
    int result = 0;
    bool sawWindow = true;
    std::thread caller([&] {
        result = abif::runWithProgress({}, [&](ProgressControl &) {
            sawWindow = QApplication::activeModalWidget() != nullptr;
        });
    });
    caller.join();
    EXPECT_EQ(result, CProgressDlg::Finished);
    EXPECT_FALSE(sawWindow);
}

}  // namespace
