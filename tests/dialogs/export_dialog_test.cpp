// The export-source dialog offscreen: the choices offered with and without
// machine data, the file field that enables the start button, dropping a
// file on it, and Browse with its save dialog.
#include "dialogs/dlg_export_from.h"
#include "libui/dialog_driver.h"
#include "support/scripted_prompt.h"
#include "text/editor_text.h"
#include "ui/widget_prompt.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// Drops `urls` on `field` as the window system delivers a drop.
bool drop(QWidget &field, const QList<QUrl> &urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPointF at(field.width() / 2.0, field.height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&field, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&field, &dropped);
    return dropped.isAccepted();
}

struct OpeningCase {
    const char *name;
    bool machineAvailable;
    bool machineChoicesEnabled;
    bool faxChecked;
    bool pcFaxChecked;
};

class ExportOpening : public testing::TestWithParam<OpeningCase> {};

TEST_P(ExportOpening, offersTheMachineBooksOnlyWithMachineData) {
    const OpeningCase &c = GetParam();
    ScriptedPrompt prompt;
    CDlgExportFrom dialog(c.machineAvailable, prompt);
    EXPECT_EQ(dialog.windowTitle(), lqa::loadText(lqa::ids::ExportTitle));
    EXPECT_EQ(dialog.FaxChoice()->isEnabled(), c.machineChoicesEnabled);
    EXPECT_TRUE(dialog.PcFaxChoice()->isEnabled());
    EXPECT_EQ(dialog.FaxChoice()->isChecked(), c.faxChecked);
    EXPECT_EQ(dialog.PcFaxChoice()->isChecked(), c.pcFaxChecked);
    EXPECT_TRUE(dialog.FileField()->text().isEmpty());
    EXPECT_FALSE(dialog.StartButton()->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(ExportDialog, ExportOpening,
                         testing::Values(OpeningCase{"withMachine", true, true, true, false},
                                         OpeningCase{"withoutMachine", false, false, false, true}),
                         [](const auto &info) { return std::string(info.param.name); });

// This model stores no email addresses at the machine: the dialog offers
// the two books there are, and nothing else.
TEST(ExportDialog, offersOnlyTheMachineFaxBookAndThePcFaxBook) {
    ScriptedPrompt prompt;
    CDlgExportFrom dialog(true, prompt);
    QStringList choices;
    for (const QRadioButton *choice : dialog.findChildren<QRadioButton *>()) choices << choice->text();
    EXPECT_EQ(choices, (QStringList{lqa::loadText(lqa::ids::ExportChoiceFax), lqa::loadText(lqa::ids::ExportChoicePcFax)}));
}

TEST(ExportDialog, startIsEnabledExactlyWhileTheFileFieldHoldsText) {
    ScriptedPrompt prompt;
    CDlgExportFrom dialog(true, prompt);
    dialog.FileField()->setText(QStringLiteral("/tmp/out.csv"));
    EXPECT_TRUE(dialog.StartButton()->isEnabled());
    dialog.FileField()->clear();
    EXPECT_FALSE(dialog.StartButton()->isEnabled());
}

TEST(ExportDialog, startReportsTheChosenSourceAndFile) {
    const struct {
        QRadioButton *(CDlgExportFrom::*choice)() const;
        qint32 source;
    } cases[] = {
        {&CDlgExportFrom::PcFaxChoice, ExportSourcePcFax},
        {&CDlgExportFrom::FaxChoice, ExportSourceAioFax},
    };
    for (const auto &c : cases) {
        ScriptedPrompt prompt;
        CDlgExportFrom dialog(true, prompt);
        (dialog.*c.choice)()->setChecked(true);
        dialog.FileField()->setText(QStringLiteral("/tmp/book.csv"));
        dialog.StartButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.source;
        EXPECT_EQ(dialog.ExportSource(), c.source);
        EXPECT_EQ(dialog.ExportFileName(), QStringLiteral("/tmp/book.csv"));
    }
}

TEST(ExportDialog, aDroppedFileFillsTheFieldAndEnablesStart) {
    ScriptedPrompt prompt;
    CDlgExportFrom dialog(false, prompt);
    ASSERT_TRUE(drop(*dialog.FileField(), {QUrl::fromLocalFile(QStringLiteral("/home/ann/first.csv")),
                                           QUrl::fromLocalFile(QStringLiteral("/home/ann/second.csv"))}));
    EXPECT_EQ(dialog.FileField()->text(), QStringLiteral("/home/ann/first.csv"));
    EXPECT_TRUE(dialog.StartButton()->isEnabled());
}

TEST(ExportDialog, aReadOnlyFieldRefusesADroppedFile) {
    CDlgCtrlEdit field(260);
    field.setText(QStringLiteral("kept"));
    field.setReadOnly(true);
    EXPECT_FALSE(drop(field, {QUrl::fromLocalFile(QStringLiteral("/home/ann/first.csv"))}));
    EXPECT_EQ(field.text(), QStringLiteral("kept"));
}

TEST(ExportDialog, browseAsksForACsvFileToSaveAndTakesTheChosenPath) {
    ScriptedPrompt prompt;
    CDlgExportFrom dialog(true, prompt);
    dialog.FileField()->setText(QStringLiteral("/tmp/old.csv"));
    prompt.files = {QStringLiteral("/tmp/new.csv"), QString()};

    dialog.BrowseButton()->click();
    ASSERT_EQ(prompt.choices.size(), 1);
    const FileChoice &asked = prompt.choices.first();
    EXPECT_EQ(asked.mode, FileChoice::Save);
    EXPECT_EQ(asked.filter, QStringLiteral("CSV File (*.csv)|*.csv|All Files (*.*)|*.*||"));
    EXPECT_EQ(asked.defaultSuffix, QStringLiteral("csv"));
    EXPECT_EQ(asked.initialPath, QStringLiteral("/tmp/old.csv"));
    EXPECT_EQ(dialog.FileField()->text(), QStringLiteral("/tmp/new.csv"));

    dialog.BrowseButton()->click();  // cancelled
    EXPECT_EQ(dialog.FileField()->text(), QStringLiteral("/tmp/new.csv"));
}

// Through the desktop's save dialog: choosing a file that exists asks
// before it is taken; No keeps the save dialog open.
TEST(ExportDialog, browseAsksBeforeAnExistingFileIsChosen) {
    QTemporaryDir folder;
    const QString existing = folder.filePath(QStringLiteral("book.csv"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    WidgetPrompt prompt;
    CDlgExportFrom dialog(true, prompt);

    for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
        bool asked = false;
        bool stayedOpen = false;
        test::driveModal<QFileDialog>([&](QFileDialog &save) {
            test::driveModal<QMessageBox>([&](QMessageBox &question) {
                asked = question.text().contains(QStringLiteral("book.csv"));
                question.button(answer)->click();
            });
            save.selectFile(existing);
            static_cast<QDialog &>(save).accept();  // as the Save button does
            stayedOpen = save.isVisible();
            if (stayedOpen) save.reject();
        });
        dialog.BrowseButton()->click();
        EXPECT_TRUE(asked) << answer;
        EXPECT_EQ(stayedOpen, answer == QMessageBox::No);
        EXPECT_EQ(dialog.FileField()->text(), answer == QMessageBox::Yes ? existing : QString()) << answer;
    }
}

}  // namespace
