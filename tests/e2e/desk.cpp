#include "e2e/desk.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

namespace e2e {

namespace {

constexpr int kTickMs = 25;
// A message box nobody expected is closed after this long, another window
// (a progress window may stay up while the machine works) after much longer.
constexpr int kStrayMessageTicks = 3000 / kTickMs;
constexpr int kStrayWindowTicks = 60000 / kTickMs;

QString plain(QString text) { return text.remove(QLatin1Char('&')); }

QString describe(QWidget &window) {
    if (auto *box = qobject_cast<QMessageBox *>(&window)) return QStringLiteral("message \"%1\"").arg(box->text());
    return QStringLiteral("window %1 \"%2\"").arg(QString::fromLatin1(window.metaObject()->className()),
                                                   window.windowTitle());
}

// The menus from the bar down to `action`, each by the action that opens it.
bool pathTo(const QList<QAction *> &actions, QAction *action, QList<QAction *> &path) {
    for (QAction *candidate : actions) {
        if (candidate == action) {
            path.append(candidate);
            return true;
        }
        if (QMenu *menu = candidate->menu()) {
            path.append(candidate);
            if (pathTo(menu->actions(), action, path)) return true;
            path.removeLast();
        }
    }
    return false;
}

}  // namespace

bool waitUntil(const std::function<bool()> &done, int ms) { return QTest::qWaitFor(done, ms); }

Desk::Desk(QString folder) : m_folder(std::move(folder)), m_context(std::make_unique<QObject>()) {
    // Pictures of an earlier run would mix with this one's.
    QDir pictures(m_folder);
    pictures.removeRecursively();
    QDir().mkpath(m_folder);
    watch();
}

Desk::~Desk() = default;

void Desk::choose(QMainWindow &window, QAction *action) {
    QList<QAction *> path;
    QMenuBar *bar = window.menuBar();
    if (!action || !pathTo(bar->actions(), action, path)) {
        m_problems << QStringLiteral("no menu item %1").arg(action ? plain(action->text()) : QStringLiteral("(none)"));
        return;
    }
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(path.first()).center());
    for (qsizetype i = 1; i < path.size(); ++i) {
        QMenu *menu = path[i - 1]->menu();
        if (!waitUntil([menu] { return menu->isVisible(); }, 5000)) {
            m_problems << QStringLiteral("menu %1 did not open").arg(plain(path[i - 1]->text()));
            return;
        }
        const QPoint at = menu->actionGeometry(path[i]).center();
        QTest::mouseMove(menu, at);
        // A click on a submenu's item opens it; on a command, runs it.
        QTest::mouseClick(menu, Qt::LeftButton, {}, at);
    }
}

bool Desk::readyForInput(QWidget *widget) {
    if (!widget) {
        m_problems << QStringLiteral("nothing to click");
        return false;
    }
    // A page or menu just shown may still be laid out.
    const bool ready = waitUntil([widget] { return widget->isVisible() && widget->isEnabled(); }, 5000);
    QCoreApplication::processEvents();
    if (!ready) m_problems << QStringLiteral("not there to click: %1 \"%2\"").arg(widget->objectName(), widget->windowTitle());
    return ready;
}

void Desk::click(QWidget *widget, QPoint pos) {
    if (!readyForInput(widget)) return;
    // A radio button or check box reacts on its mark and text only, not
    // on the whole width its layout gave it.
    if (pos.isNull() && (qobject_cast<QRadioButton *>(widget) || qobject_cast<QCheckBox *>(widget))) {
        QStyleOptionButton option;
        option.initFrom(widget);
        const auto mark = qobject_cast<QRadioButton *>(widget) ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator;
        pos = widget->style()->subElementRect(mark, &option, widget).center();
    }
    QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
}

void Desk::doubleClick(QWidget *widget, QPoint pos) {
    if (readyForInput(widget)) QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
}

void Desk::press(Qt::Key key) {
    QCoreApplication::processEvents();
    QTest::keyClick(static_cast<QWidget *>(nullptr), key);
}

void Desk::type(QLineEdit *field, const QString &text) {
    if (!readyForInput(field)) return;
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

void Desk::photograph(const QString &name) {
    QCoreApplication::processEvents();
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    const QString file = QStringLiteral("%1/%2-%3.png").arg(m_folder).arg(++m_pictures, 2, 10, QLatin1Char('0')).arg(name);
    if (screen.isNull() || !screen.save(file, "PNG")) m_problems << QStringLiteral("could not save %1").arg(file);
}

void Desk::expect(const QString &what, Matcher matches, std::function<void(QWidget &)> act) {
    m_expected.append({what, std::move(matches), std::move(act)});
}

bool Desk::answered(int ms) {
    if (waitUntil([this] { return m_expected.isEmpty(); }, ms)) return true;
    for (const Expected &missing : std::as_const(m_expected))
        m_problems << QStringLiteral("did not come: %1").arg(missing.what);
    m_expected.clear();
    return false;
}

void Desk::watch() {
    // Scheduled first, so that the watching goes on while an answer runs a
    // window of its own.
    QTimer::singleShot(kTickMs, m_context.get(), [this] { watch(); });
    QWidget *window = QApplication::activeModalWidget();
    if (!window || !window->isVisible()) {
        m_stray = nullptr;
        return;
    }
    if (!m_expected.isEmpty() && m_expected.first().matches(*window)) {
        const Expected next = m_expected.takeFirst();
        m_stray = nullptr;
        next.act(*window);
        return;
    }
    if (window != m_stray) {
        m_stray = window;
        m_strayTicks = 0;
        return;
    }
    const bool message = qobject_cast<QMessageBox *>(window) != nullptr;
    if (++m_strayTicks < (message ? kStrayMessageTicks : kStrayWindowTicks)) return;
    m_problems << QStringLiteral("not expected: %1").arg(describe(*window));
    photograph(QStringLiteral("not-expected"));
    m_stray = nullptr;
    if (auto *dialog = qobject_cast<QDialog *>(window)) dialog->reject();
    else window->close();
}

Desk::Matcher messageSaying(const QString &text) {
    return [text](QWidget &window) {
        auto *box = qobject_cast<QMessageBox *>(&window);
        return box && box->text().contains(text);
    };
}

Desk::Matcher dialogOf(const char *className) {
    return [className](QWidget &window) { return window.inherits(className); };
}

Desk::Matcher passwordDialog() {
    return [](QWidget &window) {
        const auto fields = window.findChildren<QLineEdit *>();
        return qobject_cast<QDialog *>(&window) && fields.size() == 1 &&
               fields.first()->echoMode() == QLineEdit::Password;
    };
}

}  // namespace e2e
