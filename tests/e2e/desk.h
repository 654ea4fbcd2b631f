// A person at the editor: clicks and keys through Qt's input path on a real X
// server, answers the windows the program puts up, and photographs the screen.
#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <QObject>

#include <functional>
#include <memory>

class QAction;
class QLineEdit;
class QMainWindow;
class QWidget;

namespace e2e {

// Processes events until `done` holds or `ms` have passed; whether it held.
bool waitUntil(const std::function<bool()> &done, int ms = 30000);

class Desk {
public:
    // Screenshots go into `folder`, numbered in the order taken.
    explicit Desk(QString folder);
    ~Desk();
    Desk(const Desk &) = delete;
    Desk &operator=(const Desk &) = delete;

    // Opens the menus from the window's menu bar down to `action` and clicks it.
    void choose(QMainWindow &window, QAction *action);
    void click(QWidget *widget, QPoint pos = {});
    void doubleClick(QWidget *widget, QPoint pos);
    // A key pressed where the keyboard is: an open popup, else the focus.
    void press(Qt::Key key);
    // Replaces a field's text by typing.
    void type(QLineEdit *field, const QString &text);

    // A picture of the whole screen, named after what it shows.
    void photograph(const QString &name);

    // The next window the program puts up should match `matches`; `act`
    // answers it. Windows are expected in the order given.
    using Matcher = std::function<bool(QWidget &)>;
    void expect(const QString &what, Matcher matches, std::function<void(QWidget &)> act);
    // Waits until every expected window came and was answered. What did not
    // come, and message boxes nobody expected (closed so nothing hangs), go
    // into `problems`.
    bool answered(int ms = 60000);
    [[nodiscard]] const QStringList &problems() const { return m_problems; }

private:
    struct Expected {
        QString what;
        Matcher matches;
        std::function<void(QWidget &)> act;
    };
    void watch();
    bool readyForInput(QWidget *widget);

    QString m_folder;
    int m_pictures = 0;
    QList<Expected> m_expected;
    QStringList m_problems;
    QWidget *m_stray = nullptr;
    int m_strayTicks = 0;
    // Ends the watching with the desk.
    std::unique_ptr<QObject> m_context;
};

// Matchers for the windows of the program.
Desk::Matcher messageSaying(const QString &text);
Desk::Matcher dialogOf(const char *className);
Desk::Matcher passwordDialog();

}  // namespace e2e
