// Pictures of the dialogs in every language and a right-to-left one,
// written into the build folder for a person to look at; the checks catch
// translations that do not fit and a layout that does not mirror.
#include "core/library_module.h"
#include "device/password_dialog.h"
#include "device/progress_dialog.h"
#include "l10n/library_strings.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// No text of the dialog is cut off, and right-to-left dialogs hold their
// texts to the right edge.
void expectTextsFitAndAlign(const QWidget &dialog) {
    const bool rightToLeft = dialog.layoutDirection() == Qt::RightToLeft;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        EXPECT_EQ(bool(label->alignment() & Qt::AlignRight), rightToLeft) << label->text().toStdString();
    for (const QLabel *label : dialog.findChildren<QLabel *>()) {
        if (!label->isVisible() || label->wordWrap()) continue;
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }
    for (const QAbstractButton *button : dialog.findChildren<QAbstractButton *>()) {
        if (!button->isVisible()) continue;
        EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
    }
}

void save(QWidget &dialog, const QString &name) {
    const QPixmap picture = dialog.grab();
    ASSERT_FALSE(picture.isNull());
    const QString path = QDir::current().filePath(name);
    EXPECT_TRUE(picture.save(path, "PNG")) << path.toStdString();
}

class Screenshot : public ::testing::TestWithParam<int32_t> {
protected:
    void SetUp() override { abif::setThreadLanguage(GetParam()); }
    void TearDown() override { abif::setThreadLanguage(0); }
    bool rightToLeft() const { return GetParam() == 1037; }
};

TEST_P(Screenshot, progressDialogHalfWay) {
    abif::ProgressControl control(false);
    abif::CProgressDlg dialog(control, {});
    dialog.show();
    control.setMessage(abif::ids::Reading);
    control.setRange(11);
    control.setStep(7);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto *percentage = dialog.findChild<QLabel *>(QStringLiteral("percentage"));
    EXPECT_EQ(percentage->text(), QStringLiteral("63%"));
    // The estimate depends on the clock; any value will do for the picture.
    auto *estimate = dialog.findChild<QLabel *>(QStringLiteral("estimate"));
    EXPECT_FALSE(estimate->text().isEmpty());
    expectTextsFitAndAlign(dialog);
    // Mirrored: the percentage sits at the right, the estimate at the left.
    EXPECT_EQ(percentage->x() > estimate->x(), rightToLeft());
    save(dialog, QStringLiteral("progress_dialog_%1.png").arg(GetParam()));
}

TEST_P(Screenshot, passwordDialog) {
    abif::CPasscodeDlg dialog(abif::PasswordKind::SystemAdministrator, GetParam());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("password"));
    QTest::keyClicks(edit, QStringLiteral("1234"));
    expectTextsFitAndAlign(dialog);
    const QLabel *caption = nullptr;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        if (label->buddy() == edit) caption = label;
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->x() > edit->x(), rightToLeft());
    save(dialog, QStringLiteral("password_dialog_%1.png").arg(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Languages, Screenshot, ::testing::Values(1033, 1041, 1042, 1028, 2052, 1054, 1066, 1037),
                         [](const auto &info) { return std::to_string(info.param); });

}  // namespace
