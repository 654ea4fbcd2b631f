// The password prompt: digits only, hidden, 4 to 6 of them, help on demand.
#include "dialog_driver.h"

#include "core/library_module.h"
#include "device/password_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using abif::CPasscodeDlg;
using abif::PasswordKind;

QLineEdit *edit(const QDialog &dialog) { return dialog.findChild<QLineEdit *>(QStringLiteral("password")); }

QPushButton *button(const QDialog &dialog, QDialogButtonBox::StandardButton which) {
    return dialog.findChild<QDialogButtonBox *>()->button(which);
}

struct TypingCase {
    const char *typed;
    const char *shown;  // what the field holds
    bool closes;
};

class PasswordTyping : public ::testing::TestWithParam<TypingCase> {};

TEST_P(PasswordTyping, okClosesOnlyWithFourToSixDigits) {
    test::ScriptedUi ui;
    CPasscodeDlg dialog(PasswordKind::SystemAdministrator, 1033);
    dialog.show();
    QTest::keyClicks(edit(dialog), QString::fromLatin1(GetParam().typed));
    EXPECT_EQ(edit(dialog)->text(), QString::fromLatin1(GetParam().shown));
    QTest::mouseClick(button(dialog, QDialogButtonBox::Ok), Qt::LeftButton);

    if (GetParam().closes) {
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.password(), QString::fromLatin1(GetParam().shown));
        EXPECT_TRUE(ui.messages.empty());
    } else {
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0], QStringLiteral("Password must be a 4-digit to 6-digit number."));
        EXPECT_EQ(edit(dialog)->maxLength(), CPasscodeDlg::kMaxLength);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PasswordTyping,
                         ::testing::Values(TypingCase{"123", "123", false}, TypingCase{"", "", false},
                                           TypingCase{"1234", "1234", true}, TypingCase{"123456", "123456", true},
                                           TypingCase{"12345678", "123456", true},  // the field stops at six
                                           TypingCase{"12a4", "124", false},        // letters never get in
                                           TypingCase{"-1 2.3", "123", false}));

TEST(PasscodeDialog, showsThePromptOfItsKindAndHidesTheDigits) {
    const struct {
        PasswordKind kind;
        const char *prompt;
    } cases[] = {
        {PasswordKind::SystemAdministrator,
         "System Administrator Password has been set in the machine.\nEnter the password."},
        {PasswordKind::ScanFaxLock, "Scan/Fax Lock Password has been set in the device.\nEnter the password."},
    };
    for (const auto &c : cases) {
        CPasscodeDlg dialog(c.kind, 1033);
        EXPECT_EQ(dialog.findChild<QLabel *>(QStringLiteral("prompt"))->text(), QString::fromUtf8(c.prompt));
        EXPECT_EQ(edit(dialog)->echoMode(), QLineEdit::Password);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Enter Password"));
    }
}

TEST(PasscodeDialog, helpIsGreyedOutWithoutAHelpFileAndOpensItsTopicWithOne) {
    test::ScriptedUi ui;
    {
        CPasscodeDlg dialog(PasswordKind::ScanFaxLock, 1033);
        dialog.show();
        QPushButton *help = dialog.findChild<QPushButton *>(QStringLiteral("help"));
        EXPECT_TRUE(help->isVisible());
        EXPECT_FALSE(help->isEnabled());
    }
    abif::setHelpFilePath(QStringLiteral("/opt/help/Linquara.chm"));
    {
        CPasscodeDlg dialog(PasswordKind::ScanFaxLock, 1033);
        dialog.show();
        QPushButton *help = dialog.findChild<QPushButton *>(QStringLiteral("help"));
        ASSERT_TRUE(help->isEnabled());
        QTest::mouseClick(help, Qt::LeftButton);
        QTest::keyClick(&dialog, Qt::Key_F1);
    }
    abif::setHelpFilePath(QStringLiteral("DMY"));
    ASSERT_EQ(ui.helpOpened.size(), 2u);
    EXPECT_EQ(ui.helpOpened[0], QUrl::fromLocalFile(QStringLiteral("/opt/help/Linquara/100004.html")));
    EXPECT_EQ(ui.helpOpened[1], ui.helpOpened[0]);
}

// The default prompt of a process with a QApplication is the real dialog.
TEST(QtPasswordPrompt, returnsTheEnteredPasswordOrNothingOnCancel) {
    const struct {
        QDialogButtonBox::StandardButton press;
        std::optional<QString> answer;
    } cases[] = {{QDialogButtonBox::Ok, QStringLiteral("4321")}, {QDialogButtonBox::Cancel, std::nullopt}};
    for (const auto &c : cases) {
        bool driven = false;
        test::driveModal<CPasscodeDlg>([&](CPasscodeDlg &dialog) {
            driven = true;
            QTest::keyClicks(edit(dialog), QStringLiteral("4321"));
            QTest::mouseClick(button(dialog, c.press), Qt::LeftButton);
        });
        EXPECT_EQ(abif::libraryUi().askPassword(PasswordKind::SystemAdministrator), c.answer);
        EXPECT_TRUE(driven);
    }
}

}  // namespace
