// Work behind the progress display in a process without a QApplication:
// no window, the work still runs on its own thread, nobody can be asked.
#include "core/library_module.h"
#include "core/library_ui.h"
#include "device/password_dialog.h"
#include "device/progress_dialog.h"
#include "l10n/library_strings.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(HeadlessProgress, runsTheWorkOnAnotherThreadInTheCallersLanguage) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    abif::setThreadLanguage(3076);
    std::thread::id workerId;
    QString message;
    bool retry = false;
    abif::ProgressOptions options;
    options.retryWhileBusy = true;
    const int result = abif::runWithProgress(options, [&](abif::ProgressControl &progress) {
        workerId = std::this_thread::get_id();
        message = abif::loadString(abif::ids::Reading);
        retry = progress.retryWhileBusy();
        progress.setRange(11);
        progress.setStep(7);
    });
    abif::setThreadLanguage(0);
    EXPECT_EQ(result, 1);
    EXPECT_NE(workerId, std::this_thread::get_id());
    EXPECT_EQ(message, QStringLiteral("正在讀取..."));
    EXPECT_TRUE(retry);
}

TEST(HeadlessProgress, cancelSeenByTheWorkEndsAsCancelledUnlessCommitted) {
    const struct {
        bool commitFirst;
        bool cancelAccepted;
        int result;
    } cases[] = {{false, true, 2}, {true, false, 1}};
    for (const auto &c : cases) {
        bool accepted = false;
        bool seen = false;
        const int result = abif::runWithProgress({}, [&](abif::ProgressControl &progress) {
            if (c.commitFirst) progress.commit();
            accepted = progress.requestCancel();
            seen = progress.cancelRequested();
        });
        EXPECT_EQ(accepted, c.cancelAccepted) << c.commitFirst;
        EXPECT_EQ(seen, c.cancelAccepted) << c.commitFirst;
        EXPECT_EQ(result, c.result) << c.commitFirst;
    }
}

TEST(HeadlessProgress, commitDropsACancelAlreadyRequested) {
    bool afterCommit = true;
    const int result = abif::runWithProgress({}, [&](abif::ProgressControl &progress) {
        progress.requestCancel();
        progress.commit();
        afterCommit = progress.cancelRequested();
    });
    EXPECT_FALSE(afterCommit);
    EXPECT_EQ(result, 1);
}

TEST(HeadlessProgress, aThrowingWorkStillReturnsToTheCaller) {
    const int result = abif::runWithProgress({}, [](abif::ProgressControl &) { throw std::runtime_error("boom"); });
    EXPECT_EQ(result, 1);
}

TEST(HeadlessProgress, passwordPromptAnswersAsCancelled) {
    EXPECT_EQ(abif::libraryUi().askPassword(abif::PasswordKind::SystemAdministrator), std::nullopt);
}

TEST(ProgressTexts, percentageAndEstimate) {
    const struct {
        int total, current;
        int64_t elapsedMs;
        std::optional<int> percent;
        std::optional<int64_t> seconds;
    } cases[] = {
        {11, 7, 7000, 63, 4},          // 4000 ms left
        {11, 0, 5000, 0, std::nullopt},  // no estimate before the first step
        {10, 5, 4001, 50, 5},          // 4001 ms left: whole seconds round up
        {10, 5, 4000, 50, 4},
        {10, 10, 9000, 100, 0},
        {0, 0, 0, std::nullopt, std::nullopt},  // range not usable: nothing, never a division by zero
        // An hour-long step must not overflow the arithmetic.
        {1000, 1, 3'600'000, 0, 3'596'400},
    };
    for (const auto &c : cases) {
        const abif::ProgressTexts texts = abif::progressTexts(c.total, c.current, c.elapsedMs);
        EXPECT_EQ(texts.percent, c.percent) << c.total << "/" << c.current;
        EXPECT_EQ(texts.secondsLeft, c.seconds) << c.total << "/" << c.current;
    }
}

}  // namespace
