// Start-up behind the library's real progress dialog: cancelling the read of
// the machine, or its password prompt, leaves the person in the editor with
// the PC fax book.
#include "device/progress_dialog.h"
#include "document_fixture.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace {

using test::DocumentTest;

// Presses the progress dialog's Cancel as soon as the dialog allows it.
void cancelWhenEnabled(int triesLeft = 500) {
    QTimer::singleShot(10, qApp, [triesLeft] {
        auto *dialog = qobject_cast<abif::CProgressDlg *>(QApplication::activeModalWidget());
        QPushButton *cancel = dialog ? dialog->findChild<QPushButton *>(QStringLiteral("cancel")) : nullptr;
        if (cancel && cancel->isEnabled())
            cancel->click();
        else if (triesLeft > 0)
            cancelWhenEnabled(triesLeft - 1);
    });
}

TEST_F(DocumentTest, cancellingTheReadOrThePasswordAtStartUpOpensThePcFaxBookOffline) {
    struct Case {
        const char *what;
        QStringList machine;  // the front panel command that makes the read wait or ask
    };
    const Case cases[] = {
        {"the read of a busy machine cancelled", {QStringLiteral("busy"), QStringLiteral("on")}},
        {"the password prompt cancelled", {QStringLiteral("password"), QStringLiteral("set"), QStringLiteral("4711")}},
    };
    const QString office = file(QStringLiteral("office.qad"));
    writeBook(office, {QStringLiteral("Anna")});
    for (const Case &c : cases) {
        panel({QStringLiteral("demo")});
        panel(c.machine);
        if (c.machine.first() == QLatin1String("busy")) cancelWhenEnabled();
        CLinquaraDoc fresh(DocumentServices{prompt, dialogs, shares, file(QStringLiteral("Data.dat"))});
        ASSERT_TRUE(fresh.OnNewDocument({MethodNotChosen, {}, office, {}})) << c.what;
        EXPECT_EQ(test::pcFaxNames(*fresh.GetData()), QStringList{QStringLiteral("Anna")}) << c.what;
        EXPECT_EQ(fresh.PcFaxPath(), office) << c.what;
        EXPECT_TRUE(fresh.GetData()->Map<CAdrMemberAioFax>().IsEmpty()) << c.what;
        EXPECT_FALSE(fresh.IsMachineConnected()) << c.what;
        EXPECT_EQ(dialogs.methodDialogs, 0) << c.what;
        EXPECT_TRUE(prompt.shown.isEmpty()) << c.what;
    }
}

}  // namespace
