// The device operations behind the real progress, password and message
// dialogs, driven under the offscreen platform the way a person would.
#include "device/password_dialog.h"
#include "device/progress_dialog.h"
#include "device_fixture.h"
#include "libui/dialog_driver.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

using test::code;
using test::Container;

class DeviceDialogs : public test::DeviceTest {};

TEST_F(DeviceDialogs, readRunsBehindTheProgressDialogWithCancelHeldBackAtFirst) {
    panel({"busy", "on"});
    QString message;
    bool cancelEnabled = true;
    // A while into the wait for the busy machine, well inside the first half second.
    QTimer::singleShot(300, qApp, [&] {
        auto *dialog = qobject_cast<abif::CProgressDlg *>(QApplication::activeModalWidget());
        if (!dialog) return;
        message = dialog->findChild<QLabel *>(QStringLiteral("message"))->text();
        cancelEnabled = dialog->findChild<QPushButton *>(QStringLiteral("cancel"))->isEnabled();
    });
    QTimer::singleShot(700, qApp, [this] { arrange([](qvs::MachineState &s) { s.busy = false; }); });
    Container data;
    EXPECT_EQ(code(read(data.get())), code(ABIF_OK));
    EXPECT_EQ(test::bookOf(data.get()), test::bookOf(shown()));
    EXPECT_EQ(message, QStringLiteral("Reading..."));
    EXPECT_FALSE(cancelEnabled);
}

// Presses Cancel as soon as the dialog allows it, then runs `afterwards`.
void cancelWhenEnabled(std::function<void()> afterwards, int triesLeft = 500) {
    QTimer::singleShot(10, qApp, [afterwards = std::move(afterwards), triesLeft]() mutable {
        auto *dialog = qobject_cast<abif::CProgressDlg *>(QApplication::activeModalWidget());
        QPushButton *cancel = dialog ? dialog->findChild<QPushButton *>(QStringLiteral("cancel")) : nullptr;
        if (cancel && cancel->isEnabled()) {
            cancel->click();
            afterwards();
        } else if (triesLeft > 0) {
            cancelWhenEnabled(std::move(afterwards), triesLeft - 1);
        }
    });
}

TEST_F(DeviceDialogs, cancelWhileWaitingForABusyMachineEndsTheReadAndReleasesTheMachine) {
    panel({"busy", "on"});
    // The machine comes free just as Cancel is pressed: whichever the worker
    // sees first, it ends cancelled and gives the machine back.
    cancelWhenEnabled([this] { arrange([](qvs::MachineState &s) { s.busy = false; }); });
    Container data;
    EXPECT_EQ(code(read(data.get())), code(ABIF_E_CANCEL));
    EXPECT_EQ(ABIFData_GetCount_Fax(data.get()), 0);
    EXPECT_TRUE(panel({"show"}).contains("lock: free"));
    EXPECT_EQ(code(status(0x0800)), code(ABIF_STATUS_READ | 1));
}

TEST_F(DeviceDialogs, overwriteQuestionIsAskedInAMessageBoxInFrontOfTheProgress) {
    Container base, changed, result;
    ASSERT_EQ(code(read(base.get())), code(ABIF_OK));
    panel({"fax", "remove", "2"});
    test::Book edited = test::bookOf(base.get());
    edited.fax[1].name = QStringLiteral("Renamed");
    test::fill(changed.get(), edited);

    QString asked;
    test::driveModal<QMessageBox>([&](QMessageBox &box) {
        asked = box.text();
        box.button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(code(update(base.get(), changed.get(), result.get(), 0x28)), code(ABIF_OK));
    EXPECT_EQ(asked, QStringLiteral("The machine will be overwritten. Are you sure?"));
    EXPECT_EQ(test::bookOf(shown()), edited);
}

// Presses the progress dialog's Cancel behind the question as soon as it is
// enabled, then answers the question with OK.
void cancelThenConfirm(QMessageBox &box, int triesLeft = 500) {
    QPushButton *cancel = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *progress = qobject_cast<abif::CProgressDlg *>(widget))
            cancel = progress->findChild<QPushButton *>(QStringLiteral("cancel"));
    if (cancel && cancel->isEnabled()) {
        cancel->click();
        box.button(QMessageBox::Ok)->click();
    } else if (triesLeft > 0) {
        QTimer::singleShot(10, &box, [&box, triesLeft] { cancelThenConfirm(box, triesLeft - 1); });
    } else {
        box.button(QMessageBox::Cancel)->click();
    }
}

TEST_F(DeviceDialogs, cancelPressedBeforeTheWriteEndsCancelledWithTheMachineUntouched) {
    Container base, changed, result;
    ASSERT_EQ(code(read(base.get())), code(ABIF_OK));
    panel({"fax", "remove", "2"});
    const test::Book atMachine = test::bookOf(shown());
    test::Book edited = test::bookOf(base.get());
    edited.fax[1].name = QStringLiteral("Renamed");
    test::fill(changed.get(), edited);

    test::driveModal<QMessageBox>([](QMessageBox &box) { cancelThenConfirm(box); });
    EXPECT_EQ(code(update(base.get(), changed.get(), result.get(), 0x28)), code(ABIF_E_CANCEL));
    EXPECT_EQ(test::bookOf(shown()), atMachine);
    EXPECT_EQ(ABIFData_GetCount_Fax(result.get()), 0);
    EXPECT_TRUE(panel({"show"}).contains("lock: free"));
}

// Takes the lock the stand-in holds while it stores what the machine was
// sent: a write sent meanwhile waits inside the send until release().
class HeldMachineWrites {
public:
    explicit HeldMachineWrites(const QString &folder)
        : fd_(::open(QFile::encodeName(folder + QStringLiteral("/state.lock")).constData(),
                     O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) release();
    }
    ~HeldMachineWrites() { release(); }
    HeldMachineWrites(const HeldMachineWrites &) = delete;
    HeldMachineWrites &operator=(const HeldMachineWrites &) = delete;
    [[nodiscard]] bool held() const { return fd_ >= 0; }
    void release() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

abif::CProgressDlg *progressDialog() {
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *progress = qobject_cast<abif::CProgressDlg *>(widget); progress && progress->isVisible())
            return progress;
    return nullptr;
}

// Presses Escape on the progress dialog once its Cancel is disabled, or
// after a second with Cancel still enabled, then lets the write through.
void escapeDuringTheSend(HeldMachineWrites &writes, bool &escaped, int triesLeft = 100) {
    QTimer::singleShot(10, qApp, [&writes, &escaped, triesLeft] {
        abif::CProgressDlg *progress = progressDialog();
        QPushButton *cancel = progress ? progress->findChild<QPushButton *>(QStringLiteral("cancel")) : nullptr;
        if (cancel && cancel->isEnabled() && triesLeft > 0) return escapeDuringTheSend(writes, escaped, triesLeft - 1);
        if (progress) QTest::keyClick(progress, Qt::Key_Escape);
        escaped = progress != nullptr;
        QTimer::singleShot(100, qApp, [&writes] { writes.release(); });
    });
}

TEST_F(DeviceDialogs, cancelPressedWhileTheBlockIsSentIsRefusedAndTheUpdateReturnsTheMachine) {
    Container base, changed, result;
    ASSERT_EQ(code(read(base.get())), code(ABIF_OK));
    panel({"fax", "remove", "2"});
    test::Book edited = test::bookOf(base.get());
    edited.fax[1].name = QStringLiteral("Renamed");
    test::fill(changed.get(), edited);

    std::optional<HeldMachineWrites> writes;
    bool escaped = false;
    // The question comes just before the write: confirming it with the
    // machine's writes held keeps the block in flight while Escape is pressed.
    std::function<void(QMessageBox &)> confirm = [&](QMessageBox &box) {
        abif::CProgressDlg *progress = progressDialog();
        QPushButton *cancel = progress ? progress->findChild<QPushButton *>(QStringLiteral("cancel")) : nullptr;
        if (!cancel || !cancel->isEnabled()) {
            QTimer::singleShot(10, &box, [&confirm, &box] { confirm(box); });
            return;
        }
        writes.emplace(folder.path());
        ASSERT_TRUE(writes->held());
        box.button(QMessageBox::Ok)->click();
        escapeDuringTheSend(*writes, escaped);
    };
    test::driveModal<QMessageBox>(confirm);
    EXPECT_EQ(code(update(base.get(), changed.get(), result.get(), 0x28)), code(ABIF_OK));
    EXPECT_TRUE(escaped);
    EXPECT_EQ(test::bookOf(shown()), edited);
    EXPECT_EQ(test::bookOf(result.get()), edited);
    EXPECT_TRUE(panel({"show"}).contains("lock: free"));
}

TEST_F(DeviceDialogs, behindAWindowABusyMachineIsWaitedForBeyondTheLimitWithoutOne) {
    abif::setBusyWaitWithoutWindowMs(100);
    const auto restore = qScopeGuard([] { abif::setBusyWaitWithoutWindowMs(abif::kBusyWaitWithoutWindowMs); });
    panel({"busy", "on"});
    QTimer::singleShot(700, qApp, [this] { arrange([](qvs::MachineState &s) { s.busy = false; }); });
    Container data;
    EXPECT_EQ(code(read(data.get())), code(ABIF_OK));
    EXPECT_EQ(test::bookOf(data.get()), test::bookOf(shown()));
}

TEST_F(DeviceDialogs, passwordTypedIntoThePasswordDialogIsAcceptedAndReturned) {
    panel({"password", "set", "246810"});
    test::driveModal<abif::CPasscodeDlg>([](abif::CPasscodeDlg &dialog) {
        dialog.findChild<QLineEdit *>(QStringLiteral("password"))->setText(QStringLiteral("246810"));
        dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    char16_t model[260] = u"";
    char16_t password[13] = {};
    EXPECT_EQ(code(AbifDevice_CertificationPassword(model, 0x1F, password)), code(ABIF_OK));
    EXPECT_EQ(std::u16string(password), u"246810");
}

}  // namespace
