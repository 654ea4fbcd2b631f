// The device operations behind the real progress, password and message
// dialogs, driven under the offscreen platform the way a person would.
#include "device/password_dialog.h"
#include "device/progress_dialog.h"
#include "device_fixture.h"
#include "libui/dialog_driver.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>

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

TEST_F(DeviceDialogs, cancelPressedAroundTheWriteEndsCancelledAlthoughTheMachineWasWritten) {
    Container base, changed, result;
    ASSERT_EQ(code(read(base.get())), code(ABIF_OK));
    panel({"fax", "remove", "2"});
    test::Book edited = test::bookOf(base.get());
    edited.fax[1].name = QStringLiteral("Renamed");
    test::fill(changed.get(), edited);

    test::driveModal<QMessageBox>([](QMessageBox &box) { cancelThenConfirm(box); });
    EXPECT_EQ(code(update(base.get(), changed.get(), result.get(), 0x28)), code(ABIF_E_CANCEL));
    EXPECT_EQ(test::bookOf(shown()), edited);
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
