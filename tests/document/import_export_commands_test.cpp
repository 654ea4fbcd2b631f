// The document's import and export commands against the machine stand-in,
// with the library's import wizard walked through as a person would and the
// export choice scripted.
#include "document/export_source_chooser.h"
#include "document_fixture.h"
#include "import/dlg_list_ctrl.h"
#include "import/import_sel_line_dlg.h"
#include "libui/dialog_driver.h"
#include "wizard/wizard_driver.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>

#include <optional>
#include <set>
#include <utility>

namespace {

using abif::CImportSelLineDlg;
using abif::CImportWizard;
using wizard::click;
using wizard::control;
using wizard::next;

class ScriptedExportChooser : public ExportSourceChooser {
public:
    std::optional<ExportChoice> ChooseExportSource(bool machineAvailable) override {
        asked.append(machineAvailable);
        return answer;
    }
    std::optional<ExportChoice> answer;
    QList<bool> asked;
};

// A name and number as both books carry them.
using Line = std::pair<QString, QString>;

template <class Entry>
QList<Line> linesOf(const CAdrData &data) {
    QList<Line> lines;
    data.Map<Entry>().ForEach([&](const Entry &e) { lines.append({e.GetName(), e.GetFaxNumber()}); });
    return lines;
}

template <class Entry>
QList<quint16> idsOf(const CAdrData &data) {
    QList<quint16> ids;
    data.Map<Entry>().ForEach([&](const Entry &e) { ids.append(e.GetID()); });
    return ids;
}

class ImportExportTest : public test::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc->SetExportSourceChooser(&chooser);
    }

    // Runs the import command; the wizard reads the CSV file at `path` into
    // the book of the radio button `book`, with the name and the number from
    // the given columns. Every row is chosen, or, when the wizard refuses that
    // many, the first `fewer` rows.
    void importCsv(const QString &path, const char *book, int nameColumn, int numberColumn, int fewer = 0) {
        bool finished = false;
        test::driveModal<CImportWizard>([&](CImportWizard &wizard) {
            control<QLineEdit>(wizard, "path")->setText(path);
            next(wizard);
            click(wizard, book);
            next(wizard);
            for (auto [field, column] : {std::pair{0, nameColumn}, std::pair{1, numberColumn}}) {
                control<QListWidget>(wizard, "columns")->setCurrentRow(column);
                click(wizard, QStringLiteral("assign%1").arg(field).toLatin1().constData());
            }
            test::driveModal<CImportSelLineDlg>([&](CImportSelLineDlg &dialog) {
                click(dialog, "add");
                if (fewer > 0) {
                    control<abif::CDlgListCtrl>(dialog, "candidates")->highlightRange(0, fewer - 1);
                    click(dialog, "add");
                }
                dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
                test::driveModal<CImportWizard>([&](CImportWizard &again) {
                    finished = true;
                    again.button(QWizard::FinishButton)->click();
                });
            });
            next(wizard);
        });
        doc->OnImport();
        EXPECT_TRUE(finished) << "the wizard did not reach its last page";
    }

    // A CSV file of `count` rows "Name i,555i".
    QString csvRows(int count) {
        QByteArray bytes;
        for (int i = 1; i <= count; ++i) bytes += QStringLiteral("Name %1,555%1\r\n").arg(i).toUtf8();
        return files.write("rows.csv", bytes);
    }

    void storePcFax(quint16 first, quint16 last) {
        QList<CAdrMemberPcFax> entries;
        for (quint16 id = first; id <= last; ++id) entries.append(test::pcFax(id, QStringLiteral("Kept %1").arg(id)));
        storeAll(entries);
    }

    [[nodiscard]] int step() const { return doc->History().GetCurrentIndex(); }

    ScriptedExportChooser chooser;
    wizard::Files files;
};

TEST_F(ImportExportTest, anImportOfMoreRowsThanFreeIdsBringsInOnlyAsManyInOneStep) {
    start();
    storePcFax(1, 497);
    const int before = step();

    importCsv(csvRows(5), "pcFax", 0, 1, 3);

    // The wizard refused all five rows, then took three.
    EXPECT_EQ(libraryPrompt.messages.size(), 1u);
    EXPECT_EQ(data().Map<CAdrMemberPcFax>().GetCount(), 500);
    for (quint16 id : {498, 499, 500}) {
        const CAdrMemberPcFax *entry = data().Map<CAdrMemberPcFax>().Lookup(id);
        ASSERT_NE(entry, nullptr) << id;
        EXPECT_EQ(entry->GetName(), QStringLiteral("Name %1").arg(id - 497)) << id;
        EXPECT_EQ(entry->GetChangeMark(), 1u) << id;
        EXPECT_GT(entry->GetUpdatedOn(), 0) << id;
    }
    EXPECT_EQ(data().Map<CAdrMemberPcFax>().Lookup(497)->GetChangeMark(), 0u);
    EXPECT_TRUE(doc->IsPcFaxModified());
    EXPECT_FALSE(doc->IsMachineModified());
    EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgImportCompleted)});

    EXPECT_EQ(step(), before + 1);
    doc->OnUndo();
    EXPECT_EQ(data().Map<CAdrMemberPcFax>().GetCount(), 497);
}

// The speed dial assignment of the environment settings: 1 takes the first
// free IDs, anything else the IDs after the highest one.
class MachineImport : public ImportExportTest, public testing::WithParamInterface<qint32> {};

TEST_P(MachineImport, newSpeedDialsTakeIdsAsTheAssignmentSays) {
    EnvironmentRecord config = doc->Settings().Config();
    config.speedDialAssignment = GetParam();
    doc->Settings().WriteConfig(config);
    start();
    ASSERT_TRUE(doc->IsMachineConnected());
    // A gap below the highest ID, whatever the machine holds.
    storeAll(QList<CAdrMemberAioFax>{test::aioFax(50), test::aioFax(52)});
    const QList<quint16> used = idsOf<CAdrMemberAioFax>(data());
    QList<quint16> expected;
    if (GetParam() == 1) {
        for (quint16 id = 1; expected.size() < 2; ++id)
            if (!used.contains(id)) expected.append(id);
    } else {
        expected = {static_cast<quint16>(used.last() + 1), static_cast<quint16>(used.last() + 2)};
    }

    importCsv(csvRows(2), "fax", 0, 1);

    QList<quint16> added;
    for (quint16 id : idsOf<CAdrMemberAioFax>(data()))
        if (!used.contains(id)) added.append(id);
    EXPECT_EQ(added, expected);
    EXPECT_TRUE(doc->IsMachineModified());
    EXPECT_FALSE(doc->IsPcFaxModified());
}

INSTANTIATE_TEST_SUITE_P(Import, MachineImport, testing::Values(1, 2));

TEST_F(ImportExportTest, aMachineFaxBookExportedAndImportedIntoAnEmptyPcFaxBookKeepsNamesAndNumbers) {
    // Numbers both books accept; names that need quoting in a CSV file.
    panel({QStringLiteral("reset")});
    panel({QStringLiteral("fax"), QStringLiteral("set"), QStringLiteral("2"), QStringLiteral("Smith, Jones"),
           QStringLiteral("0123")});
    panel({QStringLiteral("fax"), QStringLiteral("set"), QStringLiteral("5"), QStringLiteral("Head \"Office\""),
           QStringLiteral("*31#0311112222")});
    panel({QStringLiteral("fax"), QStringLiteral("set"), QStringLiteral("9"), QStringLiteral("Warehouse"),
           QStringLiteral("03-3333-4444")});
    start();
    ASSERT_TRUE(data().Map<CAdrMemberPcFax>().IsEmpty());
    const QList<Line> machine = linesOf<CAdrMemberAioFax>(data());
    ASSERT_GE(machine.size(), 2) << "the stand-in's book should hold speed dials";
    const QString path = files.path("machine.csv");
    chooser.answer = ExportChoice{ExportSourceAioFax, path};

    doc->OnExport();
    EXPECT_EQ(chooser.asked, QList<bool>{true});
    EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgExportCompleted)});

    prompt.shown.clear();
    importCsv(path, "pcFax", 1, 2);  // the ID is the first column
    EXPECT_EQ(linesOf<CAdrMemberPcFax>(data()), machine);
    EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgImportCompleted)});
}

TEST_F(ImportExportTest, offlineTheExportOffersOnlyThePcFaxBook) {
    start({MethodOffline, {}, {}, {}});
    doc->OnExport();
    EXPECT_EQ(chooser.asked, QList<bool>{false});
    EXPECT_TRUE(prompt.shown.isEmpty());
}

// What the export writes for each book it is asked for.
TEST_F(ImportExportTest, eachExportSourceWritesItsBook) {
    start();
    storeAll(QList<CAdrMemberPcFax>{test::pcFax(3, QStringLiteral("Ann"))});
    storeAll(QList<CAdrMemberAioFax>{test::aioFax(60, QStringLiteral("Zed"), QStringLiteral("0456"))});
    const struct {
        qint32 source;
        QByteArray line;
    } cases[] = {
        {ExportSourcePcFax, "Ann,,,\r\n"},
        {ExportSourceAioFax, "60,Zed,0456\r\n"},
    };
    for (const auto &c : cases) {
        const QString path = files.path("book.csv");
        chooser.answer = ExportChoice{c.source, path};
        doc->OnExport();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.source;
        EXPECT_TRUE(file.readAll().contains(c.line)) << c.source;
    }
}

// A failed export says so and leaves the books alone; a cancelled one says nothing.
TEST_F(ImportExportTest, exportFailuresShowTheWriteMessageAndCancelShowsNothing) {
    start();
    const QString missingFolder = files.path("no/such/folder/book.csv");
    const struct {
        const char *what;
        std::optional<ExportChoice> answer;
        QStringList shown;
    } cases[] = {
        {"cancelled", std::nullopt, {}},
        {"source 3", ExportChoice{3, files.path("three.csv")}, {test::text(lqa::ids::MsgCannotWriteFile)}},
        // The machine's email addresses: this model keeps none, so there is nothing to export.
        {"source 2", ExportChoice{2, files.path("two.csv")}, {test::text(lqa::ids::MsgCannotWriteFile)}},
        {"source -1", ExportChoice{-1, files.path("minus.csv")}, {test::text(lqa::ids::MsgCannotWriteFile)}},
        {"no folder", ExportChoice{ExportSourceAioFax, missingFolder}, {test::text(lqa::ids::MsgCannotWriteFile)}},
    };
    edit(test::pcFax(9, QStringLiteral("Unsaved")));
    const int before = step();
    for (const auto &c : cases) {
        prompt.shown.clear();
        chooser.answer = c.answer;
        doc->OnExport();
        EXPECT_EQ(prompt.shown, c.shown) << c.what;
        if (c.answer) {
            EXPECT_FALSE(QFile::exists(c.answer->fileName)) << c.what;
        }
        EXPECT_EQ(step(), before) << c.what;
        EXPECT_TRUE(doc->IsPcFaxModified()) << c.what;
        EXPECT_FALSE(doc->IsMachineModified()) << c.what;
    }
}

// This model stores no email addresses at the machine: imported ones would
// vanish at the next save, so the wizard offers only the two fax books.
TEST_F(ImportExportTest, anImportWhileConnectedOffersNoEmailBook) {
    start();
    ASSERT_TRUE(doc->IsMachineConnected());
    storeAll(QList<CAdrMemberAioEmail>{test::aioEmail(7, QStringLiteral("desk@example.org"))});
    const QString path = csvRows(2);
    QMap<QString, bool> offered;
    test::driveModal<CImportWizard>([&](CImportWizard &wizard) {
        control<QLineEdit>(wizard, "path")->setText(path);
        next(wizard);
        for (const char *book : {"fax", "email", "pcFax"})
            offered[QString::fromLatin1(book)] = control<QRadioButton>(wizard, book)->isEnabled();
        wizard.reject();
    });
    doc->OnImport();
    EXPECT_EQ(offered, (QMap<QString, bool>{{"fax", true}, {"email", false}, {"pcFax", true}}));
    EXPECT_FALSE(doc->IsMachineModified());
}

TEST_F(ImportExportTest, aCancelledImportSaysNothingAndChangesNothing) {
    start();
    const int before = step();
    const int snapshots = doc->History().GetSnapshotCount();
    test::driveModal<CImportWizard>([](CImportWizard &wizard) { wizard.reject(); });
    doc->OnImport();
    EXPECT_TRUE(prompt.shown.isEmpty());
    EXPECT_EQ(step(), before);
    EXPECT_EQ(doc->History().GetSnapshotCount(), snapshots);
    EXPECT_FALSE(doc->IsPcFaxModified());
    EXPECT_FALSE(doc->IsMachineModified());
}

TEST_F(ImportExportTest, anImportThatFailsShowsTheReadMessageAndChangesNothing) {
    start();
    const int before = step();
    const QString path = csvRows(3);
    test::driveModal<CImportWizard>([&](CImportWizard &wizard) {
        control<QLineEdit>(wizard, "path")->setText(path);
        next(wizard);
        QFile::remove(path);  // gone before the columns are read
        next(wizard);
    });
    doc->OnImport();
    EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgCannotReadFile)});
    EXPECT_EQ(step(), before);
    EXPECT_TRUE(data().Map<CAdrMemberPcFax>().IsEmpty());
    EXPECT_FALSE(doc->IsPcFaxModified());
}

}  // namespace
