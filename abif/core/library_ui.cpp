#include "core/library_ui.h"

#include "core/library_module.h"
#include "device/password_dialog.h"
#include "l10n/l10n_dialog.h"
#include "l10n/library_strings.h"

#include <QAbstractButton>
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

std::optional<QString> LibraryUi::askPassword(PasswordKind) { return std::nullopt; }

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

// The library's message boxes ask with OK and Cancel only; those speak the
// caller's language.
void localizeButtons(QMessageBox &box, int32_t language) {
    if (QAbstractButton *ok = box.button(QMessageBox::Ok)) ok->setText(loadString(ids::Ok, language));
    if (QAbstractButton *cancel = box.button(QMessageBox::Cancel)) cancel->setText(loadString(ids::Cancel, language));
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
        const int32_t language = threadLanguage();
        return onGuiThread([=] {
            QMessageBox box(qtIcon(icon), loadString(ids::Warning, language), text, qtButtons(buttons),
                            QApplication::activeWindow());
            applyReadingOrder(&box, language);
            alignTextsForReadingOrder(&box, language);
            localizeButtons(box, language);
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
    std::optional<QString> askPassword(PasswordKind kind) override {
        const int32_t language = threadLanguage();
        return onGuiThread([=]() -> std::optional<QString> {
            CPasscodeDlg dialog(kind, language, QApplication::activeWindow());
            if (dialog.exec() != QDialog::Accepted) return std::nullopt;
            return dialog.password();
        });
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
