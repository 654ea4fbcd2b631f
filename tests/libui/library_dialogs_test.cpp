// Message boxes and the wizard bases in the caller's language and reading
// order.
#include "dialog_driver.h"

#include "core/library_module.h"
#include "core/library_ui.h"
#include "l10n/l10n_dialog.h"
#include "l10n/l10n_wizard.h"
#include "l10n/library_strings.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(LibraryMessageBox, captionButtonsAndReadingOrderFollowTheThreadLanguage) {
    const struct {
        int32_t language;
        QString caption;
        QString ok;
        Qt::LayoutDirection direction;
    } cases[] = {
        {1033, QStringLiteral("Warning"), QStringLiteral("OK"), Qt::LeftToRight},
        {1041, QStringLiteral("警告"), QStringLiteral("OK"), Qt::LeftToRight},
        {1054, QStringLiteral("คำเตือน"), QStringLiteral("ตกลง"), Qt::LeftToRight},
        {1037, abif::loadString(abif::ids::Warning, 1037), abif::loadString(abif::ids::Ok, 1037), Qt::RightToLeft},
        {1025, abif::loadString(abif::ids::Warning, 1025), abif::loadString(abif::ids::Ok, 1025), Qt::RightToLeft},
    };
    for (const auto &c : cases) {
        QString caption, ok;
        Qt::LayoutDirection direction = Qt::LayoutDirectionAuto;
        bool textAtTheRight = false;
        test::driveModal<QMessageBox>([&](QMessageBox &box) {
            caption = box.windowTitle();
            direction = box.layoutDirection();
            ok = box.button(QMessageBox::Ok)->text();
            for (const QLabel *label : box.findChildren<QLabel *>())
                if (label->text() == QStringLiteral("text")) textAtTheRight = label->alignment() & Qt::AlignRight;
            box.button(QMessageBox::Ok)->click();
        });
        abif::setThreadLanguage(c.language);
        abif::libraryUi().message(QStringLiteral("text"), abif::MessageButtons::Ok, abif::MessageIcon::Error);
        abif::setThreadLanguage(0);
        EXPECT_EQ(caption, c.caption) << c.language;
        EXPECT_EQ(ok, c.ok) << c.language;
        EXPECT_EQ(direction, c.direction) << c.language;
        EXPECT_EQ(textAtTheRight, c.direction == Qt::RightToLeft) << c.language;
    }
}

// A message asked from a worker thread is shown by the GUI thread, still in
// the worker's language.
TEST(LibraryMessageBox, fromAWorkerThreadInTheWorkersLanguage) {
    QString caption;
    test::driveModal<QMessageBox>([&](QMessageBox &box) {
        caption = box.windowTitle();
        box.button(QMessageBox::Cancel)->click();
    });
    abif::MessageAnswer answer = abif::MessageAnswer::Ok;
    std::thread worker([&] {
        abif::setThreadLanguage(1042);
        answer = abif::libraryUi().message(QStringLiteral("?"), abif::MessageButtons::OkCancel,
                                           abif::MessageIcon::Question);
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !caption.isEmpty(); }, 10000));
    worker.join();
    EXPECT_EQ(caption, QStringLiteral("경고"));
    EXPECT_EQ(answer, abif::MessageAnswer::Cancel);
}

class Wizard : public ::testing::Test {
protected:
    ~Wizard() override { abif::setHelpFilePath(QStringLiteral("DMY")); }
    test::ScriptedUi ui;
};

TEST_F(Wizard, buttonsAndPageTitlesComeFromTheTables) {
    abif::CL10NPropSheet sheet(abif::ids::ImportTitle, 1041);
    auto *page = new abif::CL10NPropPage(abif::ids::SelectFileTitle, abif::ids::SelectFileSubtitle, 100006, 1041);
    sheet.addPage(page);
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("インポート"));
    EXPECT_EQ(sheet.buttonText(QWizard::NextButton), QStringLiteral("次へ(&N) >"));
    EXPECT_EQ(sheet.buttonText(QWizard::BackButton), QStringLiteral("< 戻る(&B)"));
    EXPECT_EQ(sheet.buttonText(QWizard::FinishButton), QStringLiteral("完了"));
    EXPECT_EQ(sheet.buttonText(QWizard::CancelButton), QStringLiteral("キャンセル"));
    EXPECT_EQ(page->title(), QStringLiteral("インポートするファイルの選択"));
    EXPECT_EQ(sheet.layoutDirection(), Qt::LeftToRight);
}

TEST_F(Wizard, helpButtonOnlyWithAHelpFileAndItOpensTheCurrentPagesTopic) {
    {
        abif::CL10NPropSheet sheet(abif::ids::ImportTitle, 1033);
        EXPECT_FALSE(sheet.testOption(QWizard::HaveHelpButton));
    }
    abif::setHelpFilePath(QStringLiteral("/opt/help/Linquara.chm"));
    abif::CL10NPropSheet sheet(abif::ids::ImportTitle, 1025);
    EXPECT_TRUE(sheet.testOption(QWizard::HaveHelpButton));
    EXPECT_EQ(sheet.layoutDirection(), Qt::RightToLeft);
    sheet.addPage(new abif::CL10NPropPage(abif::ids::SelectFileTitle, abif::ids::SelectFileSubtitle, 100006, 1025));
    sheet.addPage(new abif::CL10NPropPage(abif::ids::ConfirmTitle, abif::ids::ConfirmSubtitle, 100001, 1025));
    sheet.show();
    sheet.next();
    sheet.button(QWizard::HelpButton)->click();
    ASSERT_EQ(ui.helpOpened.size(), 1u);
    EXPECT_EQ(ui.helpOpened[0], QUrl::fromLocalFile(QStringLiteral("/opt/help/Linquara/100001.html")));
}

TEST_F(Wizard, dialogBaseOpensItsTopicOnF1OnlyWithAHelpFile) {
    abif::CL10NDialog dialog(abif::ids::SelectDataTitle, 100003, 1033);
    QTest::keyClick(&dialog, Qt::Key_F1);
    EXPECT_TRUE(ui.helpOpened.empty());
    abif::setHelpFilePath(QStringLiteral("/opt/help/Linquara.chm"));
    QTest::keyClick(&dialog, Qt::Key_F1);
    ASSERT_EQ(ui.helpOpened.size(), 1u);
    EXPECT_EQ(ui.helpOpened[0], QUrl::fromLocalFile(QStringLiteral("/opt/help/Linquara/100003.html")));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Data to Import"));
}

}  // namespace
