// A day at the editor, as a new user would have it: the real program on a real
// X server against the machine stand-in, driven by clicks and keys, with the
// screen photographed at every step into screens/ of the build folder.
#include "e2e/desk.h"
#include "dialogs/member_dialogs.h"
#include "frame/lqa_tree_view.h"
#include "frame/main_frame.h"
#include "model/qt_print.h"
#include "program/linquara_main.h"
#include "text/editor_text.h"
#include "ui/detail_view.h"
#include "ui/list_model.h"
#include "ui/list_view.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWizard>

#include <gtest/gtest.h>

namespace {

using e2e::Desk;
using e2e::dialogOf;
using e2e::messageSaying;
using e2e::passwordDialog;
using e2e::waitUntil;

QString text(int id) { return lqa::loadText(id).remove(QLatin1Char('\n')); }

// A few words of a message that may break its lines.
QString firstWords(int id) { return lqa::loadText(id).section(QLatin1Char('\n'), 0, 0).trimmed(); }

// The line of the restore question that counts what the restore changes.
QString restoreCounts(int added, int changed, int removed) {
    const QString question = lqa::formatText(
        lqa::ids::MsgConfirmRestore, {QString::number(added), QString::number(changed), QString::number(removed)});
    return question.section(QLatin1Char('\n'), 1, 1).trimmed();
}

QByteArray contentsOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QAbstractButton *standardButton(QWidget &window, QDialogButtonBox::StandardButton which) {
    for (auto *box : window.findChildren<QDialogButtonBox *>())
        if (QAbstractButton *button = box->button(which); button && button->isVisible()) return button;
    return nullptr;
}

class UserDay : public ::testing::Test {
public:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        ASSERT_FALSE(machineDir.isEmpty()) << "QVS_MACHINE_DIR names the stand-in's folder";
        // As the run command does: a demo machine when there is none yet.
        if (!QFileInfo::exists(machineDir + QStringLiteral("/machine.json"))) machine({QStringLiteral("demo")});
    }

    // Runs the machine's front panel; its output.
    QByteArray machine(const QStringList &arguments) {
        QProcess panel;
        panel.start(QStringLiteral(QVS_TEST_MACHINE), QStringList{QStringLiteral("--dir"), machineDir} + arguments);
        EXPECT_TRUE(panel.waitForFinished(30000)) << arguments.join(u' ').toStdString();
        EXPECT_EQ(panel.exitCode(), 0) << arguments.join(u' ').toStdString() << panel.readAllStandardError().toStdString();
        return panel.readAllStandardOutput();
    }
    QJsonObject machineState() { return QJsonDocument::fromJson(machine({QStringLiteral("show"), QStringLiteral("--json")})).object(); }
    QStringList machineNames() {
        QStringList names;
        for (const QJsonValue entry : machineState().value(QStringLiteral("fax")).toArray())
            names << entry.toObject().value(QStringLiteral("name")).toString();
        return names;
    }
    QString machineNumberOf(const QString &name) {
        for (const QJsonValue entry : machineState().value(QStringLiteral("fax")).toArray())
            if (entry.toObject().value(QStringLiteral("name")).toString() == name)
                return entry.toObject().value(QStringLiteral("number")).toString();
        return {};
    }

    // The window, tree and list as the person sees them.
    [[nodiscard]] CLqaTreeView &tree() const { return *frame->TreeView(); }
    [[nodiscard]] CLqaListView &list() const { return *static_cast<CLqaListView *>(frame->ListPane()); }
    int nameColumn() const {
        return static_cast<int>(static_cast<CLqaListModel *>(list().model())->Columns().indexOf(LqaColumnName));
    }
    QStringList listedNames() const {
        QStringList names;
        const QAbstractItemModel &model = *list().model();
        for (int row = 0; row < model.rowCount(); ++row) names << model.index(row, nameColumn()).data().toString();
        return names;
    }
    // Scrolled into view first, as a person would.
    QPoint rowCentre(const QString &name) const {
        const int row = static_cast<int>(listedNames().indexOf(name));
        if (row < 0) return {};
        const QModelIndex cell = list().model()->index(row, nameColumn());
        list().scrollTo(cell);
        return list().visualRect(cell).center();
    }
    QPoint nodeCentre(int nodeType) const { return tree().visualItemRect(tree().Node(nodeType)).center(); }

    void openNode(int nodeType) {
        desk.click(tree().viewport(), nodeCentre(nodeType));
        EXPECT_TRUE(waitUntil([&] { return tree().GetNodeType() == nodeType; }, 5000)) << nodeType;
    }
    void clickRow(const QString &name) {
        const QPoint at = rowCentre(name);
        ASSERT_FALSE(at.isNull()) << name.toStdString() << " is not listed";
        desk.click(list().viewport(), at);
    }
    void choose(const char *command) { desk.choose(*frame, frame->Action(QString::fromLatin1(command))); }

    // Answers a file dialog by typing the path and pressing Enter.
    void expectFile(const QString &what, const QString &path) {
        desk.expect(what, dialogOf("QFileDialog"), [this, path](QWidget &window) {
            auto *name = window.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (!name) return;
            desk.type(name, path);
            // Enter, not a click: the field's completion list may be open
            // and would swallow the click.
            desk.press(Qt::Key_Return);
        });
    }
    void expectMessage(const QString &what, const QString &words, QDialogButtonBox::StandardButton answer,
                       const QString &photo = {}) {
        desk.expect(what, messageSaying(words), [this, answer, photo](QWidget &window) {
            if (!photo.isEmpty()) desk.photograph(photo);
            if (QAbstractButton *button = standardButton(window, answer)) desk.click(button);
        });
    }
    // A member dialog: the name (unless empty) and fax number typed, then OK.
    template <class Dialog> void expectMember(const QString &name, const QString &fax, const QString &photo = {}) {
        desk.expect(QString::fromLatin1(Dialog::staticMetaObject.className()), dialogOf(Dialog::staticMetaObject.className()),
                    [this, name, fax, photo](QWidget &window) {
                        auto &dialog = static_cast<Dialog &>(window);
                        if (!name.isEmpty()) desk.type(dialog.NameField(), name);
                        desk.type(dialog.FaxField(), fax);
                        if (!photo.isEmpty()) desk.photograph(photo);
                        if (QAbstractButton *ok = standardButton(window, QDialogButtonBox::Ok)) desk.click(ok);
                    });
    }
    bool answered() {
        const bool all = desk.answered();
        EXPECT_TRUE(all && desk.problems().isEmpty()) << desk.problems().join(u'\n').toStdString();
        return all;
    }

    // Restores `backup` through its question, which must give `counts`, saves
    // the machine and checks it then holds `expected`'s speed dials and groups.
    void restoreAndSave(const QString &what, const QString &backup, const QString &counts,
                        const QJsonObject &expected, const QString &questionPhoto = {});

    void startUp();
    void createAndCopyEntries();
    void saveMachineBook();
    void saveOverChangesAtTheMachine();
    void readBehindAPassword();
    void backUpAndRestore();
    void restoreOverEntriesRemovedAtTheMachine();
    void importAndReopenPcFaxBook();
    void closeWithUnsavedChanges();

    QTemporaryDir folder;
    QString machineDir = qEnvironmentVariable("QVS_MACHINE_DIR");
    Desk desk{QDir::current().filePath(QStringLiteral("screens"))};
    CMainFrame *frame = nullptr;
    QString pcFaxFile;
    QByteArray pcFaxSaved;
};

void UserDay::restoreAndSave(const QString &what, const QString &backup, const QString &counts,
                             const QJsonObject &expected, const QString &questionPhoto) {
    expectFile(what, backup);
    expectMessage(QStringLiteral("restore question"), counts, QDialogButtonBox::Yes, questionPhoto);
    expectMessage(QStringLiteral("restore done"), text(lqa::ids::MsgRestoreCompleted), QDialogButtonBox::Ok);
    choose("restore");
    ASSERT_TRUE(answered());
    choose("saveMachine");
    ASSERT_TRUE(answered());
    const QJsonObject restored = machineState();
    for (const char *part : {"fax", "groups"})
        EXPECT_EQ(restored.value(QLatin1String(part)), expected.value(QLatin1String(part))) << part;
}

void UserDay::startUp() {
    // The speed dials and the two groups the machine holds.
    for (int node : {LqaNodeAddressBooks, LqaNodeMachineBook, LqaNodeMachineFax, LqaNodePcFaxBook})
        ASSERT_NE(tree().Node(node), nullptr) << node;
    openNode(LqaNodeMachineFax);
    const QStringList onMachine = machineNames();
    ASSERT_EQ(onMachine.size(), 12);
    EXPECT_EQ(list().RowCount(), 14);
    for (const QString &name : onMachine) EXPECT_TRUE(listedNames().contains(name)) << name.toStdString();
    ASSERT_NO_FATAL_FAILURE(clickRow(onMachine.first()));
    EXPECT_TRUE(frame->DetailView()->Lines().contains(onMachine.first())) << frame->DetailView()->Lines().join(u'|').toStdString();
    desk.photograph(QStringLiteral("start"));
}

void UserDay::createAndCopyEntries() {
    expectMember<CDlgAioFaxMember>(QStringLiteral("Ana Reyes"), QStringLiteral("0201234567"),
                                   QStringLiteral("new-speed-dial"));
    choose("newMachineMember");
    ASSERT_TRUE(answered());
    EXPECT_TRUE(listedNames().contains(QStringLiteral("Ana Reyes"))) << listedNames().join(u',').toStdString();

    openNode(LqaNodePcFaxBook);
    expectMember<CDlgPcFaxMember>(QStringLiteral("Bo Lin"), QStringLiteral("0307654321"));
    choose("newPcFaxMember");
    ASSERT_TRUE(answered());
    ASSERT_EQ(listedNames(), QStringList{QStringLiteral("Bo Lin")});

    // Dragged from the list onto the machine's Fax node: a copy there, which
    // the list then shows.
    const QPoint from = rowCentre(QStringLiteral("Bo Lin"));
    QWidget *rows = list().viewport();
    QTest::mousePress(rows, Qt::LeftButton, {}, from);
    for (int step = 4; step <= 24; step += 4) QTest::mouseMove(rows, from + QPoint(0, step));
    const QPoint node = tree().viewport()->mapTo(frame, nodeCentre(LqaNodeMachineFax));
    QTest::mouseMove(frame, node - QPoint(0, 3));
    QTest::mouseMove(frame, node);
    desk.photograph(QStringLiteral("dragging"));
    QTest::mouseRelease(frame, Qt::LeftButton, {}, node);
    EXPECT_TRUE(waitUntil([&] { return tree().GetNodeType() == LqaNodeMachineFax; }, 5000));
    EXPECT_TRUE(listedNames().contains(QStringLiteral("Bo Lin"))) << listedNames().join(u',').toStdString();

    choose("undo");
    EXPECT_FALSE(listedNames().contains(QStringLiteral("Bo Lin")));
    EXPECT_TRUE(listedNames().contains(QStringLiteral("Ana Reyes")));
    choose("redo");
    EXPECT_TRUE(listedNames().contains(QStringLiteral("Bo Lin")));
    desk.photograph(QStringLiteral("edited"));
}

void UserDay::saveMachineBook() {
    choose("saveMachine");
    ASSERT_TRUE(answered());
    const QStringList names = machineNames();
    EXPECT_TRUE(names.contains(QStringLiteral("Ana Reyes"))) << names.join(u',').toStdString();
    EXPECT_TRUE(names.contains(QStringLiteral("Bo Lin"))) << names.join(u',').toStdString();
    EXPECT_EQ(names.size(), 14);
    desk.photograph(QStringLiteral("machine-saved"));
}

void UserDay::saveOverChangesAtTheMachine() {
    // Someone at the machine renames the first speed dial meanwhile.
    machine({QStringLiteral("fax"), QStringLiteral("set"), QStringLiteral("1"), QStringLiteral("Head Office Annex"),
             QStringLiteral("0201110000")});
    expectMember<CDlgAioFaxMember>({}, QStringLiteral("0209999999"));
    const QPoint row = rowCentre(QStringLiteral("Ana Reyes"));
    ASSERT_FALSE(row.isNull());
    desk.doubleClick(list().viewport(), row);
    ASSERT_TRUE(answered());

    expectMessage(QStringLiteral("overwrite question"), QStringLiteral("The machine will be overwritten."),
                  QDialogButtonBox::Ok, QStringLiteral("overwrite-question"));
    choose("saveMachine");
    ASSERT_TRUE(answered());
    EXPECT_EQ(machineNumberOf(QStringLiteral("Ana Reyes")), QStringLiteral("0209999999"));
}

void UserDay::readBehindAPassword() {
    machine({QStringLiteral("password"), QStringLiteral("set"), QStringLiteral("4321")});
    machine({QStringLiteral("fax"), QStringLiteral("set"), QStringLiteral("12"), QStringLiteral("Front Desk"),
             QStringLiteral("209")});
    desk.expect(QStringLiteral("password dialog"), passwordDialog(), [this](QWidget &window) {
        desk.type(window.findChild<QLineEdit *>(), QStringLiteral("4321"));
        desk.photograph(QStringLiteral("password"));
        if (QAbstractButton *ok = standardButton(window, QDialogButtonBox::Ok)) desk.click(ok);
    });
    choose("checkForUpdate");
    ASSERT_TRUE(answered());
    EXPECT_TRUE(listedNames().contains(QStringLiteral("Front Desk"))) << listedNames().join(u',').toStdString();
    desk.photograph(QStringLiteral("read-with-password"));
}

void UserDay::backUpAndRestore() {
    const QJsonObject original = machineState();
    const QString backup = folder.filePath(QStringLiteral("machine.qbk"));
    expectFile(QStringLiteral("backup file"), backup);
    expectMessage(QStringLiteral("backup done"), text(lqa::ids::MsgBackupCompleted), QDialogButtonBox::Ok);
    choose("backup");
    ASSERT_TRUE(answered());
    ASSERT_TRUE(QFileInfo::exists(backup));

    // Everything deleted, and the machine saved empty.
    ASSERT_NO_FATAL_FAILURE(clickRow(listedNames().first()));
    choose("selectAll");
    expectMessage(QStringLiteral("delete question"), text(lqa::ids::MsgDeleteSelected), QDialogButtonBox::Ok);
    choose("delete");
    ASSERT_TRUE(answered());
    EXPECT_EQ(list().RowCount(), 0);
    choose("saveMachine");
    ASSERT_TRUE(answered());
    EXPECT_TRUE(machineState().value(QStringLiteral("fax")).toArray().isEmpty());
    desk.photograph(QStringLiteral("all-deleted"));

    const int backedUp = static_cast<int>(original.value(QStringLiteral("fax")).toArray().size() +
                                          original.value(QStringLiteral("groups")).toArray().size());
    ASSERT_NO_FATAL_FAILURE(
        restoreAndSave(QStringLiteral("backup to restore"), backup, restoreCounts(backedUp, 0, 0), original));
    desk.photograph(QStringLiteral("restored"));
}

void UserDay::restoreOverEntriesRemovedAtTheMachine() {
    // The editor still shows the book it saved; two speed dials are cleared
    // at the machine meanwhile, which the restore must put back.
    const QJsonObject saved = machineState();
    machine({QStringLiteral("fax"), QStringLiteral("remove"), QStringLiteral("1")});
    machine({QStringLiteral("fax"), QStringLiteral("remove"), QStringLiteral("2")});
    ASSERT_NE(machineState().value(QStringLiteral("fax")), saved.value(QStringLiteral("fax")));

    restoreAndSave(QStringLiteral("backup to restore again"), folder.filePath(QStringLiteral("machine.qbk")),
                   restoreCounts(2, 0, 0), saved, QStringLiteral("restore-question"));
}

void UserDay::importAndReopenPcFaxBook() {
    const QString csv = folder.filePath(QStringLiteral("contacts.csv"));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Carla Mendes,0401112222\r\nDev Patel,0403334444\r\nEmi Sato,0405556666\r\n");
    file.close();
    const QStringList imported{QStringLiteral("Carla Mendes"), QStringLiteral("Dev Patel"), QStringLiteral("Emi Sato")};

    auto next = [this](QWidget &wizard) { desk.click(static_cast<QWizard &>(wizard).button(QWizard::NextButton)); };
    desk.expect(QStringLiteral("import wizard"), dialogOf("QWizard"), [this, csv, next](QWidget &wizard) {
        desk.type(wizard.findChild<QLineEdit *>(QStringLiteral("path")), csv);
        next(wizard);
        auto *pcFax = wizard.findChild<QRadioButton *>(QStringLiteral("pcFax"));
        desk.click(pcFax);
        EXPECT_TRUE(pcFax && pcFax->isChecked());
        next(wizard);
        auto *columns = wizard.findChild<QListWidget *>(QStringLiteral("columns"));
        for (int field : {0, 1}) {
            desk.click(columns->viewport(), columns->visualItemRect(columns->item(field)).center());
            desk.click(wizard.findChild<QAbstractButton *>(QStringLiteral("assign%1").arg(field)));
        }
        desk.photograph(QStringLiteral("import-wizard"));
        next(wizard);  // the rows to take
    });
    desk.expect(QStringLiteral("rows to import"), dialogOf("abif::CImportSelLineDlg"), [this](QWidget &dialog) {
        desk.click(dialog.findChild<QAbstractButton *>(QStringLiteral("add")));
        if (QAbstractButton *ok = standardButton(dialog, QDialogButtonBox::Ok)) desk.click(ok);
    });
    desk.expect(QStringLiteral("import wizard's last page"), dialogOf("QWizard"), [this](QWidget &wizard) {
        desk.click(static_cast<QWizard &>(wizard).button(QWizard::FinishButton));
    });
    expectMessage(QStringLiteral("import done"), text(lqa::ids::MsgImportCompleted), QDialogButtonBox::Ok);
    openNode(LqaNodePcFaxBook);
    choose("import");
    ASSERT_TRUE(answered());
    for (const QString &name : imported) EXPECT_TRUE(listedNames().contains(name)) << name.toStdString();

    pcFaxFile = folder.filePath(QStringLiteral("office.qad"));
    expectFile(QStringLiteral("PC fax file to save"), pcFaxFile);
    choose("savePcFaxAs");
    ASSERT_TRUE(answered());
    pcFaxSaved = contentsOf(pcFaxFile);
    ASSERT_FALSE(pcFaxSaved.isEmpty());

    // A new, empty book; then the saved one opened again.
    choose("newPcFaxFile");
    EXPECT_EQ(list().RowCount(), 0);
    expectFile(QStringLiteral("PC fax file to open"), pcFaxFile);
    choose("openPcFaxFile");
    ASSERT_TRUE(answered());
    const QStringList reopened = listedNames();
    for (const QString &name : imported + QStringList{QStringLiteral("Bo Lin")})
        EXPECT_TRUE(reopened.contains(name)) << name.toStdString();
    desk.photograph(QStringLiteral("pc-fax-book-reopened"));
}

void UserDay::closeWithUnsavedChanges() {
    ASSERT_NO_FATAL_FAILURE(clickRow(QStringLiteral("Carla Mendes")));
    expectMessage(QStringLiteral("delete question"), text(lqa::ids::MsgDeleteSelected), QDialogButtonBox::Ok);
    choose("delete");
    ASSERT_TRUE(answered());
    EXPECT_FALSE(listedNames().contains(QStringLiteral("Carla Mendes")));

    expectMessage(QStringLiteral("save question"), firstWords(lqa::ids::MsgSaveChanges), QDialogButtonBox::No,
                  QStringLiteral("save-question"));
    choose("exit");
    ASSERT_TRUE(answered());
}

TEST_F(UserDay, fromStartToClose) {
    // The day runs from the program's own event loop once its window is up,
    // the way a person starts working after the program has started.
    bool ran = false;
    std::function<void()> whenUp = [&] {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *main = qobject_cast<CMainFrame *>(window); main && main->isVisible()) frame = main;
        if (!frame || QThread::currentThread()->loopLevel() != 1) {
            QTimer::singleShot(50, whenUp);
            return;
        }
        ran = true;
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame));
        for (auto step : {&UserDay::startUp, &UserDay::createAndCopyEntries, &UserDay::saveMachineBook,
                          &UserDay::saveOverChangesAtTheMachine, &UserDay::readBehindAPassword,
                          &UserDay::backUpAndRestore, &UserDay::restoreOverEntriesRemovedAtTheMachine,
                          &UserDay::importAndReopenPcFaxBook,
                          &UserDay::closeWithUnsavedChanges}) {
            (this->*step)();
            if (HasFatalFailure()) {
                desk.photograph(QStringLiteral("failed"));
                QApplication::exit(1);
                return;
            }
        }
    };
    QTimer::singleShot(0, whenUp);
    const int status = RunLinquara();

    EXPECT_TRUE(ran);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(desk.problems().isEmpty()) << desk.problems().join(u'\n').toStdString();
    // No to the save question left the file as it was saved.
    if (!pcFaxFile.isEmpty()) {
        EXPECT_EQ(contentsOf(pcFaxFile), pcFaxSaved);
    }
}

}  // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // What is left after the test's own options is what the program sees.
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
