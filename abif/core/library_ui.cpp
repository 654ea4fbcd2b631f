#include "core/library_ui.h"

#include "core/library_module.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QThread>

#include <atomic>
#include <cstdio>

namespace abif {

MessageAnswer declinedAnswer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok: return MessageAnswer::Ok;
    case MessageButtons::YesNo: return MessageAnswer::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel: return MessageAnswer::Cancel;
    }
    return MessageAnswer::Cancel;
}

namespace {

class HeadlessUi final : public LibraryUi {
public:
    MessageAnswer message(const QString &text, MessageButtons buttons, MessageIcon) override {
        std::fprintf(stderr, "abiflink: %s\n", text.toLocal8Bit().constData());
        return declinedAnswer(buttons);
    }
    void setBusy(bool) override {}
    void openHelp(const QUrl &) override {}
};

QMessageBox::StandardButtons qtButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

MessageAnswer fromQt(int button) {
    switch (button) {
    case QMessageBox::Ok: return MessageAnswer::Ok;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    default: return MessageAnswer::Cancel;
    }
}

// Runs `work` on the GUI thread, waiting for it when called from a worker.
template <class Work> auto onGuiThread(Work work) {
    using Result = decltype(work());
    if (QThread::currentThread() == qApp->thread()) return work();
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(qApp, work, Qt::BlockingQueuedConnection);
    } else {
        Result result{};
        QMetaObject::invokeMethod(qApp, work, Qt::BlockingQueuedConnection, &result);
        return result;
    }
}

class QtUi final : public LibraryUi {
public:
    MessageAnswer message(const QString &text, MessageButtons buttons, MessageIcon icon) override {
        const bool rightToLeft = isRightToLeftLanguage(threadLanguage());
        return onGuiThread([=] {
            QMessageBox box(qtIcon(icon), QStringLiteral("Warning"), text, qtButtons(buttons),
                            QApplication::activeWindow());
            if (rightToLeft) box.setLayoutDirection(Qt::RightToLeft);
            return fromQt(box.exec());
        });
    }
    void setBusy(bool busy) override {
        onGuiThread([busy] {
            if (busy)
                QApplication::setOverrideCursor(Qt::WaitCursor);
            else
                QApplication::restoreOverrideCursor();
        });
    }
    void openHelp(const QUrl &topic) override {
        onGuiThread([topic] { QDesktopServices::openUrl(topic); });
    }
};

std::atomic<LibraryUi *> replacement{nullptr};

}  // namespace

LibraryUi &libraryUi() {
    if (LibraryUi *ui = replacement.load()) return *ui;
    static HeadlessUi headless;
    static QtUi qt;
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) return qt;
    return headless;
}

void setLibraryUi(LibraryUi *ui) { replacement.store(ui); }

}  // namespace abif
