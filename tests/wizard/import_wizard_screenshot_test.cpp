// Pictures of every page of the import wizard and of the row selection in
// each of the library's languages, written into the build folder for a
// person to look at; the checks catch texts that do not fit.
#include "core/library_module.h"
#include "import/import_kinds.h"
#include "import/import_sel_line_dlg.h"
#include "libui/dialog_driver.h"
#include "wizard/wizard_driver.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using abif::CImportWizard;

void expectButtonsFit(const QWidget &window) {
    for (const QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
        if (!button->isVisible()) continue;
        EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
    }
}

void save(QWidget &window, const QString &name) {
    QApplication::processEvents();
    expectButtonsFit(window);
    const QPixmap picture = window.grab();
    ASSERT_FALSE(picture.isNull());
    const QString path = QDir::current().filePath(name);
    EXPECT_TRUE(picture.save(path, "PNG")) << path.toStdString();
}

class WizardScreenshot : public testing::TestWithParam<int32_t> {
protected:
    void SetUp() override { abif::setThreadLanguage(GetParam()); }
    void TearDown() override { abif::setThreadLanguage(0); }
    QString name(const char *what) const { return QStringLiteral("import_%1_%2.png").arg(QLatin1String(what)).arg(GetParam()); }

    test::ScriptedUi ui_;
    wizard::Files files_;
};

TEST_P(WizardScreenshot, everyPageAndTheRowSelection) {
    const QString path = files_.write("book.csv", "Name,Fax,Company,Note\r\nAnna Lee,555-1,Acme,\r\n"
                                                  "Bob Stone,555-2,,call first\r\nCarl,555-3,,\r\n");
    CImportWizard wizard(abif::SourceCsv, path, abif::DestinationPcFax | abif::DestinationFax |
                                                    abif::DestinationEmail, CAbifData(), abif::kImportHighlightCandidates,
                         GetParam());
    wizard.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wizard));
    save(wizard, name("file"));
    wizard::next(wizard);
    wizard::click(wizard, "pcFax");
    save(wizard, name("destination"));
    wizard::next(wizard);
    for (int field : {0, 1, 2}) {
        wizard::control<QListWidget>(wizard, "columns")->setCurrentRow(field);
        wizard::click(wizard, QStringLiteral("assign%1").arg(field).toLatin1().constData());
    }
    wizard.findChild<QWidget *>(QStringLiteral("firstRowIsTitle"))->setProperty("checked", true);
    save(wizard, name("assignment"));

    bool selectionShown = false;
    test::driveModal<abif::CImportSelLineDlg>([&](abif::CImportSelLineDlg &dialog) {
        dialog.addHighlighted();
        save(dialog, name("row_selection"));
        selectionShown = true;
        dialog.accept();
    });
    wizard::next(wizard);
    ASSERT_EQ(wizard.currentId(), CImportWizard::PageConfirmation);
    EXPECT_TRUE(QTest::qWaitFor([&] { return selectionShown && !QApplication::activeModalWidget(); }, 5000));
    EXPECT_EQ(wizard.state().chosenCount, 3);
    save(wizard, name("confirmation"));
}

INSTANTIATE_TEST_SUITE_P(Languages, WizardScreenshot, testing::Values(1033, 1041, 1042, 1028, 2052, 1054, 1066),
                         [](const auto &info) { return std::to_string(info.param); });

}  // namespace
