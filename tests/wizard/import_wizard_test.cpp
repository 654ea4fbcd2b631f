// The import wizard driven through its pages as a person would, and
// Abif_Import around it.
#include "core/diagnostic_log.h"
#include "core/live_containers.h"
#include "import/import_file_chooser.h"
#include "import/import_kinds.h"
#include "import/import_result_page.h"
#include "import/import_sel_line_dlg.h"
#include "libui/dialog_driver.h"
#include "support/records.h"
#include "wizard/wizard_driver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using abif::CImportSelLineDlg;
using abif::CImportWizard;
using wizard::click;
using wizard::control;
using wizard::next;

constexpr int32_t kEnglish = 1033;
constexpr int32_t kAllBooks = abif::DestinationPcFax | abif::DestinationFax | abif::DestinationEmail;
const QByteArray kBook = "Name,Fax,Company,Note\r\nbob,555-2,Acme,\r\nAnna,555-1,,first\r\nCarl,555 3,,\r\n";

// A wizard shown without its own event loop, so the test can walk it.
class WizardTest : public testing::Test {
protected:
    std::unique_ptr<CImportWizard> open(int32_t source, const QString &path, int32_t allowed,
                                        const CAbifData &limits = CAbifData()) {
        auto wizard = std::make_unique<CImportWizard>(source, path, allowed, limits, 0, kEnglish);
        wizard->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(wizard.get()));
        return wizard;
    }
    static void assign(CImportWizard &wizard, std::initializer_list<std::pair<int, int>> fieldColumns) {
        for (auto [field, column] : fieldColumns) {
            control<QListWidget>(wizard, "columns")->setCurrentRow(column);
            click(wizard, QStringLiteral("assign%1").arg(field).toLatin1().constData());
        }
    }

    test::ScriptedUi ui_;
    wizard::Files files_;
};

struct DestinationCase {
    const char *name;
    int32_t allowed;
    bool fax, email, pcFax;
    const char *checked;
};

class DestinationPage : public WizardTest, public testing::WithParamInterface<DestinationCase> {};

TEST_P(DestinationPage, offersOnlyTheAllowedBooks) {
    const DestinationCase &c = GetParam();
    auto wizard = open(abif::SourceCsv, files_.write("book.csv", kBook), c.allowed);
    next(*wizard);
    ASSERT_EQ(wizard->currentId(), CImportWizard::PageDestination);
    EXPECT_EQ(control<QRadioButton>(*wizard, "fax")->isEnabled(), c.fax);
    EXPECT_EQ(control<QRadioButton>(*wizard, "email")->isEnabled(), c.email);
    EXPECT_EQ(control<QRadioButton>(*wizard, "pcFax")->isEnabled(), c.pcFax);
    EXPECT_TRUE(control<QRadioButton>(*wizard, c.checked)->isChecked());
}

INSTANTIATE_TEST_SUITE_P(Import, DestinationPage,
                         testing::Values(DestinationCase{"offline", 2, false, false, true, "pcFax"},
                                         DestinationCase{"connected", 14, true, true, true, "fax"},
                                         DestinationCase{"machineOnly", 12, true, true, false, "fax"},
                                         DestinationCase{"emailOnly", 8, false, true, false, "email"},
                                         DestinationCase{"oneMeansFax", 1 | 2, true, false, true, "fax"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(WizardTest, fileTypesAreCsvAndVCardWithoutAMailProgram) {
    // A home without a mail program's address book.
    const QString home = files_.path("home");
    QDir().mkpath(home);
    const QByteArray realHome = qgetenv("HOME");
    const QByteArray realDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_DATA_HOME", (home + u"/.local/share"_qs).toUtf8());
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", realHome);
        qputenv("XDG_DATA_HOME", realDataHome);
    });
    // An unknown source type starts at the first entry.
    auto wizard = open(3, files_.path("x.csv"), 2);
    auto *type = control<QComboBox>(*wizard, "fileType");
    ASSERT_EQ(type->count(), 2);
    EXPECT_EQ(type->itemText(0), u"CSV File"_qs);
    EXPECT_EQ(type->itemText(1), u"vCard File"_qs);
    EXPECT_EQ(type->currentIndex(), 0);
    EXPECT_EQ(control<QLineEdit>(*wizard, "path")->text(), files_.path("x.csv"));
    EXPECT_FALSE(control<QCheckBox>(*wizard, "useDefault")->isEnabled());

    type->setCurrentIndex(1);
    EXPECT_TRUE(control<QLineEdit>(*wizard, "path")->text().isEmpty());
    EXPECT_TRUE(control<QCheckBox>(*wizard, "useDefault")->isEnabled());
    EXPECT_TRUE(control<QPushButton>(*wizard, "browse")->isEnabled());
    control<QCheckBox>(*wizard, "useDefault")->setChecked(true);
    EXPECT_FALSE(control<QLineEdit>(*wizard, "path")->isEnabled());
    EXPECT_FALSE(control<QPushButton>(*wizard, "browse")->isEnabled());
}

class ScriptedChooser final : public abif::ImportFileChooser {
public:
    ScriptedChooser() { abif::setImportFileChooser(this); }
    ~ScriptedChooser() override { abif::setImportFileChooser(nullptr); }
    std::optional<QString> chooseFile(QWidget *, const QString &filter, const QString &suffix,
                                      const QString &start) override {
        asked << filter + u'|' + suffix + u'|' + start;
        return answer;
    }
    QStringList asked;
    std::optional<QString> answer;
};

TEST_F(WizardTest, browseOffersTheTypesFilesFromThePathShown) {
    ScriptedChooser chooser;
    chooser.answer = u"/data/book.csv"_qs;
    auto wizard = open(abif::SourceCsv, u"/start.csv"_qs, 2);
    click(*wizard, "browse");
    EXPECT_EQ(control<QLineEdit>(*wizard, "path")->text(), u"/data/book.csv"_qs);
    EXPECT_EQ(chooser.asked, QStringList{u"CSV File (*.csv)|*.csv|All Files (*.*)|*.*|||csv|/start.csv"_qs});
    EXPECT_EQ(abif::nameFilters(chooser.asked.first().section(u"|||"_qs, 0, 0) + u"||"_qs),
              (QStringList{u"CSV File (*.csv)"_qs, u"All Files (*.*)"_qs}));
    chooser.answer.reset();
    click(*wizard, "browse");
    EXPECT_EQ(control<QLineEdit>(*wizard, "path")->text(), u"/data/book.csv"_qs);
}

struct FileCase {
    const char *name;
    const char *file;  // "": the scratch folder itself
    QByteArray bytes;  // written to the file unless null
    const char *message;
};

class FilePage : public WizardTest, public testing::WithParamInterface<FileCase> {};

TEST_P(FilePage, staysWithTheMessage) {
    const FileCase &c = GetParam();
    auto wizard = open(abif::SourceCsv, c.bytes.isNull() ? files_.path(c.file) : files_.write(c.file, c.bytes), 2);
    next(*wizard);
    EXPECT_EQ(wizard->currentId(), CImportWizard::PageFile);
    EXPECT_EQ(ui_.messages, std::vector<QString>{QString::fromUtf8(GetParam().message)});
}

INSTANTIATE_TEST_SUITE_P(Import, FilePage,
                         testing::Values(FileCase{"missing", "no.csv", {}, "Unable to find the specified file."},
                                         FileCase{"folder", "", {}, "Unable to find the specified file."},
                                         FileCase{"utf16", "book.csv", QByteArray("\xFF\xFEN\0", 4),
                                                  "Unable to read the CSV file."}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(WizardTest, assignmentPageShowsTheDestinationsFieldsAndNeedsNameAndNumber) {
    auto wizard = open(abif::SourceCsv, files_.write("book.csv", kBook), kAllBooks);
    next(*wizard);
    click(*wizard, "email");
    next(*wizard);
    ASSERT_EQ(wizard->currentId(), CImportWizard::PageAssignment);
    EXPECT_EQ(wizard->currentPage()->title(), u"Assign Items (Email)"_qs);
    EXPECT_TRUE(control<QPushButton>(*wizard, "assign1")->isVisible());
    EXPECT_FALSE(control<QPushButton>(*wizard, "assign2")->isVisible());
    auto *columns = control<QListWidget>(*wizard, "columns");
    ASSERT_EQ(columns->count(), 4);
    EXPECT_EQ(columns->currentRow(), 0);

    next(*wizard);
    EXPECT_EQ(ui_.messages, std::vector<QString>{u"Assign for\n\nName\nEmail Address\n"_qs});
    EXPECT_EQ(wizard->currentId(), CImportWizard::PageAssignment);

    wizard->back();
    click(*wizard, "pcFax");
    next(*wizard);
    EXPECT_EQ(wizard->currentPage()->title(), u"Assign Items (PC Fax Address Book)"_qs);
    EXPECT_TRUE(control<QPushButton>(*wizard, "assign3")->isVisible());
}

TEST_F(WizardTest, aColumnMovesFromTheNameToTheNumber) {
    auto wizard = open(abif::SourceCsv, files_.write("book.csv", kBook), 2);
    next(*wizard);
    next(*wizard);
    assign(*wizard, {{0, 0}});
    EXPECT_EQ(control<QLineEdit>(*wizard, "column0")->text(), u"Name"_qs);
    EXPECT_EQ(control<QPushButton>(*wizard, "assign0")->text(), u"Cancel"_qs);
    assign(*wizard, {{1, 0}});
    EXPECT_TRUE(control<QLineEdit>(*wizard, "column0")->text().isEmpty());
    EXPECT_EQ(control<QPushButton>(*wizard, "assign0")->text(), u"Assign"_qs);
    EXPECT_EQ(control<QLineEdit>(*wizard, "column1")->text(), u"Name"_qs);
    next(*wizard);
    EXPECT_EQ(ui_.messages, std::vector<QString>{u"Assign for\n\nName\n"_qs});
}

int parsedFaxMembers(const CImportWizard &wizard) {
    return wizard.state().parsed.array<CAbifMyFaxData>().count();
}

TEST_F(WizardTest, rowsAreReadAgainWhenTheTitleOrTheFileChanges) {
    auto wizard = open(abif::SourceCsv, files_.write("book.csv", kBook), 2);
    next(*wizard);
    next(*wizard);
    assign(*wizard, {{0, 0}, {1, 1}});
    next(*wizard);
    ASSERT_EQ(wizard->currentId(), CImportWizard::PageConfirmation);
    EXPECT_EQ(parsedFaxMembers(*wizard), 2);  // "Fax" and "555 3" are no numbers

    wizard->back();
    control<QCheckBox>(*wizard, "firstRowIsTitle")->setChecked(true);
    imports::writeFile(files_.path("book.csv"), "Name,Fax\r\nAnna,1\r\n");
    next(*wizard);
    EXPECT_EQ(parsedFaxMembers(*wizard), 1);

    // Another file with the same columns assigned again.
    wizard->back();
    wizard->back();
    wizard->back();
    control<QLineEdit>(*wizard, "path")->setText(files_.write("other.csv", "Name,Fax\r\nX,1\r\nY,2\r\nZ,3\r\n"));
    next(*wizard);
    next(*wizard);
    assign(*wizard, {{0, 0}, {1, 1}});
    next(*wizard);
    EXPECT_EQ(parsedFaxMembers(*wizard), 3);
    wizard->back();
}

// Abif_Import with the wizard run by the library itself.
class ImportExport : public testing::Test {
protected:
    ImportExport() : container_(ABIFData_Create()) {}
    ~ImportExport() override { ABIFData_Delete(container_); }
    // The container behind the handle, to look at what the import left.
    [[nodiscard]] const CAbifData &contents() const { return *abif::checkedContainer(container_); }

    test::ScriptedUi ui_;
    wizard::Files files_;
    CAbifData *container_;
};

TEST_F(ImportExport, aFullCsvImportFillsTheContainer) {
    const CAbifFaxData earlier = test::fax(1, u"Earlier", u"1");
    ABIFData_Add_Fax(container_, 1, &earlier);
    ABIFData_SetLimit_MyFax(container_, 10);
    const QString path = files_.write("book.csv", kBook);
    bool finished = false;

    test::driveModal<CImportWizard>([&](CImportWizard &wizard) {
        control<QLineEdit>(wizard, "path")->setText(path);
        next(wizard);
        next(wizard);  // offline: the PC fax address book
        control<QCheckBox>(wizard, "firstRowIsTitle")->setChecked(true);
        std::initializer_list<std::pair<int, int>> fields{{0, 0}, {1, 1}, {2, 2}, {3, 3}};
        for (auto [field, column] : fields) {
            control<QListWidget>(wizard, "columns")->setCurrentRow(column);
            click(wizard, QStringLiteral("assign%1").arg(field).toLatin1().constData());
        }
        // The row selection opens by itself on the last page.
        test::driveModal<CImportSelLineDlg>([&](CImportSelLineDlg &dialog) {
            EXPECT_EQ(control<QTreeView>(dialog, "candidates")->model()->rowCount(), 2);
            click(dialog, "add");
            dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
            test::driveModal<CImportWizard>([&](CImportWizard &again) {
                EXPECT_EQ(control<QLabel>(again, "count")->text(), u"2 items will be imported."_qs);
                auto *entries = control<QTreeView>(again, "entries");
                QAbstractItemModel *shown = entries->model();
                ASSERT_EQ(shown->rowCount(), 2);
                EXPECT_FALSE(shown->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
                const auto names = [shown] {
                    return QStringList{shown->index(0, 0).data().toString(), shown->index(1, 0).data().toString()};
                };
                EXPECT_EQ(names(), (QStringList{u"bob"_qs, u"Anna"_qs}));
                const QPoint nameHeader(entries->header()->sectionViewportPosition(0) + 5, 5);
                QTest::mouseClick(entries->header()->viewport(), Qt::LeftButton, {}, nameHeader);
                EXPECT_EQ(names(), (QStringList{u"Anna"_qs, u"bob"_qs}));
                QTest::mouseClick(entries->header()->viewport(), Qt::LeftButton, {}, nameHeader);
                EXPECT_EQ(names(), (QStringList{u"bob"_qs, u"Anna"_qs}));
                EXPECT_EQ(entries->header()->sortIndicatorOrder(), Qt::DescendingOrder);
                finished = true;
                again.button(QWizard::FinishButton)->click();
            });
        });
        next(wizard);
    });
    EXPECT_EQ(Abif_Import(abif::SourceCsv, nullptr, abif::DestinationPcFax, container_, abif::kImportHighlightCandidates),
              ABIF_OK);
    EXPECT_TRUE(finished);
    EXPECT_EQ(imports::recordsOf(contents(), abif::DestinationPcFax),
              (QStringList{u"bob|555-2|Acme|"_qs, u"Anna|555-1||first"_qs}));
    EXPECT_EQ(ABIFData_GetCount_Fax(container_), 0);
    EXPECT_EQ(contents().array<CAbifMyFaxData>().limit(), 10);
}

// Where the person cancels: 0 file page, 1 destination, 2 assignment, 3 the
// row selection and then the wizard, 4 the last page after choosing rows.
class CancelAnywhere : public ImportExport, public testing::WithParamInterface<int> {};

TEST_P(CancelAnywhere, leavesTheContainerUntouched) {
    const CAbifFaxData earlier = test::fax(1, u"Earlier", u"1");
    ABIFData_Add_Fax(container_, 1, &earlier);
    const QString path = files_.write("book.csv", kBook);
    const int where = GetParam();
    test::driveModal<CImportWizard>([&](CImportWizard &wizard) {
        for (int page = 0; page < std::min(where, 2); ++page) next(wizard);
        if (where >= 3) {
            for (int field : {0, 1}) {
                control<QListWidget>(wizard, "columns")->setCurrentRow(field);
                click(wizard, field == 0 ? "assign0" : "assign1");
            }
            test::driveModal<CImportSelLineDlg>([&, where](CImportSelLineDlg &dialog) {
                if (where == 4) {
                    click(dialog, "add");
                    dialog.accept();
                } else {
                    dialog.reject();
                }
                test::driveModal<CImportWizard>([](CImportWizard &again) { again.reject(); });
            });
            next(wizard);
        } else {
            wizard.button(QWizard::CancelButton)->click();
        }
    });
    EXPECT_EQ(Abif_Import(abif::SourceCsv, reinterpret_cast<const char16_t *>(path.utf16()), kAllBooks, container_, abif::kImportHighlightCandidates),
              ABIF_E_CANCEL);
    EXPECT_EQ(imports::recordsOf(contents(), abif::DestinationFax), QStringList{u"Earlier|1"_qs});
    EXPECT_EQ(ABIFData_GetCount_MyFax(container_), 0);
}

INSTANTIATE_TEST_SUITE_P(Import, CancelAnywhere, testing::Range(0, 5));

TEST_F(ImportExport, refusesBadHandlesAndAnEmptyDestinationSet) {
    CAbifData *deleted = ABIFData_Create();
    ABIFData_Delete(deleted);
    for (CAbifData *bad : {static_cast<CAbifData *>(nullptr), deleted})
        EXPECT_EQ(Abif_Import(abif::SourceCsv, nullptr, 2, bad, 0), ABIF_E_HANDLE);
    EXPECT_EQ(Abif_Import(abif::SourceCsv, nullptr, 0x10, container_, 0), ABIF_E_FAIL);
}

QByteArray card(const QByteArray &lines) { return "BEGIN:VCARD\r\nVERSION:3.0\r\n" + lines + "END:VCARD\r\n"; }

TEST_F(WizardTest, addressBookEntriesBeyondTheLimitAreCanceled) {
    imports::ScriptedPicker picker;
    const QString path = files_.write("people.vcf", card("FN:Ann\r\nTEL;TYPE=fax:111\r\n") +
                                                        card("FN:Ben\r\nTEL;TYPE=fax:222\r\n"));
    CAbifData limits;
    limits.array<CAbifFaxData>().setLimit(1);
    auto wizard = open(abif::SourceVCard, path, kAllBooks, limits);
    next(*wizard);
    next(*wizard);  // fax; no assignment page for vCard files
    ASSERT_EQ(wizard->currentId(), CImportWizard::PageConfirmation);
    QTest::qWait(abif::CImportResultWizPage::kAutoReselectMs * 3);
    EXPECT_EQ(ui_.messages,
              std::vector<QString>{u"The maximum number of items you can import is 1. Those items that exceeded "
                                   u"the limit have been canceled."_qs});
    EXPECT_EQ(control<QLabel>(*wizard, "count")->text(), u"1 items will be imported."_qs);
    EXPECT_EQ(imports::recordsOf(wizard->state().result, abif::DestinationFax), QStringList{u"Ann|111"_qs});
    EXPECT_TRUE(wizard->button(QWizard::FinishButton)->isEnabled());
}

TEST_F(WizardTest, anUnreadableAddressBookDisablesFinishAndIsLogged) {
    const QString logFile = files_.path("abif.Log");
    abif::DiagnosticLog log(files_.write("abif.INI", "[DumpLog]\nLevel=4\nCategory=4\nTimeStamp=0\n"), logFile);
    abif::setDiagnosticLog(&log);
    const auto restore = qScopeGuard([] { abif::setDiagnosticLog(nullptr); });
    imports::ScriptedPicker picker;
    auto wizard = open(abif::SourceVCard, files_.write("broken.vcf", "no card here"), kAllBooks);
    next(*wizard);
    next(*wizard);
    QTest::qWait(abif::CImportResultWizPage::kAutoReselectMs * 3);
    EXPECT_EQ(ui_.messages, std::vector<QString>{u"Unable to import."_qs});
    EXPECT_FALSE(wizard->button(QWizard::FinishButton)->isEnabled());
    QFile file(logFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u"\r\n"_qs, Qt::SkipEmptyParts);
    EXPECT_TRUE(lines.contains(u"[IMP] [INF] OnBnClickedBtMapi: Start"_qs)) << lines.join(u'|').toStdString();
    EXPECT_TRUE(lines.contains(u"[IMP] [ERR] OnBnClickedBtMapi: Error(WAB or MAPI) 20000001"_qs));
    EXPECT_EQ(lines.last(), u"[IMP] [INF] OnBnClickedBtMapi: End"_qs);
}

TEST_F(ImportExport, aHeaderThatCannotBeReadAgainEndsTheImportWithItsFailure) {
    const QString path = files_.write("book.csv", kBook);
    test::driveModal<CImportWizard>([&](CImportWizard &wizard) {
        next(wizard);
        QFile::remove(path);  // gone before the columns are shown
        next(wizard);
    });
    EXPECT_EQ(Abif_Import(abif::SourceCsv, reinterpret_cast<const char16_t *>(path.utf16()), kAllBooks, container_,
                          0),
              ENOENT);
    EXPECT_EQ(ABIFData_GetCount_Fax(container_), 0);
}

}  // namespace
