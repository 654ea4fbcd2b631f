// The connection method, caution and Environmental Settings dialogs,
// offscreen: what they open with and what OK writes.
#include "connection/caution_dialog.h"
#include "connection/connection_method_dialog.h"
#include "connection/environment_dialog.h"
#include "connection/widget_connection_dialogs.h"
#include "settings_folder.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>

#include <functional>

namespace {

QPushButton *button(const QDialog &dialog, QDialogButtonBox::StandardButton which) {
    return dialog.findChild<QDialogButtonBox *>()->button(which);
}

// Runs `act` on the modal dialog as soon as it is shown.
void whenShown(const std::function<void(QDialog &)> &act) {
    QTimer::singleShot(0, [act] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

TEST(ConnectionMethodDialogTest, opensWithTheContextsMethodAndFlag) {
    struct Case {
        qint32 method;
        qint32 doNotShow;
        bool usb;
    };
    for (const Case c : {Case{-1, 1, true}, Case{0, 0, true}, Case{1, 1, false}}) {
        const ConnectionMethodDialog dialog({c.method, QString(), c.doNotShow, false});
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Starting Linquara"));
        EXPECT_EQ(dialog.UsbButton()->isChecked(), c.usb) << c.method;
        EXPECT_EQ(dialog.OfflineButton()->isChecked(), !c.usb) << c.method;
        EXPECT_EQ(dialog.DoNotShowBox()->isChecked(), c.doNotShow != 0) << c.method;
    }
}

TEST(ConnectionMethodDialogTest, okWritesTheChoiceAndHelpAsksForItsTopic) {
    ConnectionMethodDialog dialog({-1, QStringLiteral("usb-1"), 1, false});
    QSignalSpy help(&dialog, &ConnectionMethodDialog::helpRequested);
    button(dialog, QDialogButtonBox::Help)->click();
    ASSERT_EQ(help.count(), 1);
    EXPECT_EQ(help.first().first().toInt(), 1030);

    dialog.OfflineButton()->click();
    dialog.DoNotShowBox()->click();
    ConnectionContext context;
    dialog.WriteBack(context);
    EXPECT_EQ(context.method, MethodOffline);
    EXPECT_EQ(context.deviceName, QStringLiteral("usb-1"));
    EXPECT_EQ(context.doNotShow, 0);
    EXPECT_TRUE(context.chosenInDialog);
}

TEST(WidgetConnectionDialogsTest, cancelLeavesTheContextAndOkTakesTheChoice) {
    WidgetConnectionDialogs dialogs(nullptr, [](int) {});
    ConnectionContext context{MethodNotChosen, QString(), 0, false};
    whenShown([](QDialog &dialog) { button(dialog, QDialogButtonBox::Cancel)->click(); });
    EXPECT_FALSE(dialogs.ChooseMethod(context));
    EXPECT_EQ(context.method, MethodNotChosen);
    EXPECT_FALSE(context.chosenInDialog);

    whenShown([](QDialog &dialog) {
        dialog.findChild<QCheckBox *>()->setChecked(true);
        button(dialog, QDialogButtonBox::Ok)->click();
    });
    EXPECT_TRUE(dialogs.ChooseMethod(context));
    EXPECT_EQ(context.method, MethodUsb);
    EXPECT_EQ(context.doNotShow, 1);
    EXPECT_TRUE(context.chosenInDialog);
}

TEST(CautionDialogTest, opensClearAndReportsTheTickedBox) {
    const CautionDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Unable to connect to the machine"));
    EXPECT_FALSE(dialog.DoNotShowBox()->isChecked());
    EXPECT_EQ(button(dialog, QDialogButtonBox::Cancel), nullptr);

    WidgetConnectionDialogs dialogs(nullptr, [](int) {});
    for (const bool tick : {false, true}) {
        whenShown([tick](QDialog &shown) {
            shown.findChild<QCheckBox *>()->setChecked(tick);
            button(shown, QDialogButtonBox::Ok)->click();
        });
        EXPECT_EQ(dialogs.ShowCaution(), tick);
    }
}

class EnvironmentDialogTest : public ::testing::Test {
protected:
    test::SettingsFolder folder;
    ConnectionSettings settings;
};

TEST_F(EnvironmentDialogTest, opensWithTheStoredChoicesAndTheResetOnlyWhileTheQuestionIsSwitchedOff) {
    settings.WriteConfig({1, 0, 2, 0});
    for (const qint32 conTypeSave : {0, 1}) {
        settings.WriteConTypeSave(conTypeSave);
        const EnvironmentDialog dialog(settings);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Environmental Settings"));
        EXPECT_TRUE(dialog.LargestButton()->isChecked());
        EXPECT_TRUE(dialog.OnEnterButton()->isChecked());
        EXPECT_EQ(dialog.ResetButton()->isEnabled(), conTypeSave != 0);
    }
    settings.WriteConfig({});
    const EnvironmentDialog fresh(settings);
    EXPECT_TRUE(fresh.SmallestButton()->isChecked());
    EXPECT_TRUE(fresh.RealTimeButton()->isChecked());
}

TEST_F(EnvironmentDialogTest, okWritesTheChoicesAndAResetBringsBackTheQuestionAndTheCaution) {
    struct Case {
        const char *what;
        qint32 conTypeSave;
        qint32 cautionFlags;
        bool reset;
        qint32 conTypeSaveAfter;
        qint32 cautionFlagsAfter;
    };
    const Case cases[] = {
        {"kept", 1, 1, false, 1, 1},
        {"reset", 1, 1, true, 0, 0},
        {"a reset keeps the caution's other bits", 1, 3, true, 0, 2},
        {"already asking", 0, 0, false, 0, 0},
    };
    for (const Case &c : cases) {
        settings.WriteConfig({0, 1, 1, c.cautionFlags});
        settings.WriteConTypeSave(c.conTypeSave);
        EnvironmentDialog dialog(settings);
        dialog.LargestButton()->click();
        dialog.OnEnterButton()->click();
        if (c.reset) {
            dialog.ResetButton()->click();
            EXPECT_FALSE(dialog.ResetButton()->isEnabled()) << c.what;
        }
        button(dialog, QDialogButtonBox::Ok)->click();
        EXPECT_EQ(settings.Config(), (EnvironmentRecord{0, 0, 2, c.cautionFlagsAfter})) << c.what;
        EXPECT_EQ(settings.ConTypeSave(), c.conTypeSaveAfter) << c.what;
    }
}

TEST_F(EnvironmentDialogTest, okWithItsDefaultsKeepsTheCautionAsThePersonLeftIt) {
    struct Case {
        const char *what;
        qint32 conTypeSave;
        qint32 cautionFlags;
    };
    const Case cases[] = {
        {"the caution shown, the start-up question switched off", 1, 0},
        {"the caution switched off, the start-up question asked", 0, kCautionSwitchedOff},
    };
    for (const Case &c : cases) {
        settings.WriteConfig({1, 1, 1, c.cautionFlags});
        settings.WriteConTypeSave(c.conTypeSave);
        EnvironmentDialog dialog(settings);
        button(dialog, QDialogButtonBox::Ok)->click();
        EXPECT_EQ(settings.Config().cautionFlags, c.cautionFlags) << c.what;
        EXPECT_EQ(settings.ConTypeSave(), c.conTypeSave) << c.what;
    }
}

TEST_F(EnvironmentDialogTest, cancelWritesNothingAndHelpAsksForItsTopic) {
    EnvironmentDialog dialog(settings);
    QSignalSpy help(&dialog, &EnvironmentDialog::helpRequested);
    button(dialog, QDialogButtonBox::Help)->click();
    ASSERT_EQ(help.count(), 1);
    EXPECT_EQ(help.first().first().toInt(), 1010);

    dialog.ResetButton()->click();
    dialog.LargestButton()->click();
    button(dialog, QDialogButtonBox::Cancel)->click();
    EXPECT_TRUE(test::SettingsFolder::raw().allKeys().isEmpty());
}

}  // namespace
