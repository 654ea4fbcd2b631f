// Helpers for driving the library's dialogs from a test.
#pragma once

#include "core/library_ui.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

namespace test {

// Holds a worker until the test lets it go. The wait gives up after a while
// so that a failed check never hangs the test program.
class Gate {
public:
    void open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    bool wait() {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(20), [this] { return open_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
};

// Runs `step` once the modal loop of whatever is about to run has started.
inline void whenLoopRuns(QObject *context, std::function<void()> step) {
    QTimer::singleShot(0, context, std::move(step));
}

// Runs `step` on the modal dialog of type T as soon as one is up. Should
// none come, whatever modal window is up is closed so the test cannot hang.
template <class T> void driveModal(std::function<void(T &)> step, int triesLeft = 500) {
    QTimer::singleShot(triesLeft == 500 ? 0 : 10, qApp, [step = std::move(step), triesLeft]() mutable {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            step(*dialog);
        } else if (triesLeft > 0) {
            driveModal<T>(std::move(step), triesLeft - 1);
        } else if (auto *other = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            other->reject();
        }
    });
}

// Records what the library asks of a person and answers OK.
class ScriptedUi final : public abif::LibraryUi {
public:
    ScriptedUi() { abif::setLibraryUi(this); }
    ~ScriptedUi() override { abif::setLibraryUi(nullptr); }

    abif::MessageAnswer message(const QString &text, abif::MessageButtons, abif::MessageIcon) override {
        messages.push_back(text);
        return abif::MessageAnswer::Ok;
    }
    void setBusy(bool) override {}
    void openHelp(const QUrl &topic) override { helpOpened.push_back(topic); }

    std::vector<QString> messages;
    std::vector<QUrl> helpOpened;
};

}  // namespace test
