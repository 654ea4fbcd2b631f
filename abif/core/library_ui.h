// Everything the library asks of a person goes through this one interface, so
// that the library runs headless and tests can script the answers.
#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace abif {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { Information, Warning, Question, Error };
enum class MessageAnswer { Ok, Cancel, Yes, No };
// Which of the machine's passwords a prompt asks for.
enum class PasswordKind { ScanFaxLock = 0, SystemAdministrator = 1 };

class LibraryUi {
public:
    virtual ~LibraryUi() = default;
    // A message box with the library's caption, on the calling thread's language.
    virtual MessageAnswer message(const QString &text, MessageButtons buttons, MessageIcon icon) = 0;
    // Busy cursor around long work done on the calling thread.
    virtual void setBusy(bool busy) = 0;
    virtual void openHelp(const QUrl &topic) = 0;
    // The machine's password, or nothing when the person cancelled (or no
    // person can be asked).
    virtual std::optional<QString> askPassword(PasswordKind kind);
};

// The interface in force: the Qt one when the process has a QApplication,
// else a headless one that writes messages to standard error and answers
// every question as cancelled.
LibraryUi &libraryUi();

// Replaces the interface (tests); null restores the default.
void setLibraryUi(LibraryUi *ui);

// The answer a person who cannot be asked gives.
MessageAnswer declinedAnswer(MessageButtons buttons);

// Keeps the busy cursor up for one scope.
class BusyScope {
public:
    BusyScope() { libraryUi().setBusy(true); }
    ~BusyScope() { libraryUi().setBusy(false); }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;
};

}  // namespace abif
