// The PC fax address book on disk: the C exports, Update's change check and
// its prompt, the replaced file's permissions and the diagnostic log line.
#include "core/diagnostic_log.h"
#include "core/library_ui.h"
#include "formats/gad_util.h"
#include "support/pc_fax_book.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <cerrno>
#include <optional>

namespace {

QByteArray contentOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void putContent(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

CAbifData book(std::initializer_list<CAbifMyFaxData> members, std::initializer_list<CAbifMyFaxGroupData> groups = {}) {
    CAbifData data;
    data.array<CAbifMyFaxData>().append({members.begin(), members.size()});
    data.array<CAbifMyFaxGroupData>().append({groups.begin(), groups.size()});
    return data;
}

const char16_t *utf16(const QString &text) { return reinterpret_cast<const char16_t *>(text.utf16()); }

class ScriptedUi final : public abif::LibraryUi {
public:
    abif::MessageAnswer answer = abif::MessageAnswer::Cancel;
    QStringList asked;
    abif::MessageButtons buttons{};

    abif::MessageAnswer message(const QString &text, abif::MessageButtons b, abif::MessageIcon) override {
        asked << text;
        buttons = b;
        return answer;
    }
    void setBusy(bool) override {}
    void openHelp(const QUrl &) override {}
};

class GadFileOnDisk : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        abif::setLibraryUi(&ui);
    }
    void TearDown() override { abif::setLibraryUi(nullptr); }

    QString path(const char *name = "book.qad") const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    ScriptedUi ui;
};

// ---- Exports --------------------------------------------------------------

struct Handle {
    CAbifData *h = ABIFData_Create();
    ~Handle() { ABIFData_Delete(h); }
};

TEST_F(GadFileOnDisk, fullBookRoundTripsThroughTheExports) {
    const auto members = test::fullMembers();
    const auto groups = test::fullGroups();
    Handle in, out;
    // Added backwards, so the file must come back sorted.
    for (auto m = members.rbegin(); m != members.rend(); ++m) ASSERT_EQ(ABIFData_Add_MyFax(in.h, 1, &*m), ABIF_OK);
    ASSERT_EQ(ABIFData_Add_MyFaxGroup(in.h, 500, groups.data()), ABIF_OK);
    const QString file = path();
    ASSERT_EQ(AbifGADFile_Write(utf16(file), in.h, 0), ABIF_OK);
    ASSERT_EQ(AbifGADFile_Read(utf16(file), out.h, 0), ABIF_OK);
    ASSERT_EQ(ABIFData_GetCount_MyFax(out.h), 500);
    ASSERT_EQ(ABIFData_GetCount_MyFaxGroup(out.h), 500);
    for (int i = 0; i < 500; ++i) {
        CAbifMyFaxData m;
        CAbifMyFaxGroupData g;
        ASSERT_EQ(ABIFData_GetAt_MyFax(out.h, i, &m), ABIF_OK);
        ASSERT_EQ(ABIFData_GetAt_MyFaxGroup(out.h, i, &g), ABIF_OK);
        ASSERT_EQ(std::memcmp(&m, &members[static_cast<size_t>(i)], sizeof m), 0) << "member " << i;
        ASSERT_EQ(std::memcmp(&g, &groups[static_cast<size_t>(i)], sizeof g), 0) << "group " << i;
    }
}

TEST_F(GadFileOnDisk, exportsRefuseBadHandlesWithoutOpeningTheFile) {
    Handle good;  // first, so that it cannot take the deleted one's place
    CAbifData *deleted = ABIFData_Create();
    ABIFData_Delete(deleted);
    const QString file = path();
    const char16_t *p = utf16(file);
    for (CAbifData *bad : {static_cast<CAbifData *>(nullptr), deleted}) {
        EXPECT_EQ(AbifGADFile_Read(p, bad, 0), ABIF_E_HANDLE);
        EXPECT_EQ(AbifGADFile_Write(p, bad, 0), ABIF_E_HANDLE);
        EXPECT_EQ(AbifGADFile_Update(p, bad, good.h, good.h, 0), ABIF_E_HANDLE);
        EXPECT_EQ(AbifGADFile_Update(p, good.h, bad, good.h, 0), ABIF_E_HANDLE);
        EXPECT_EQ(AbifGADFile_Update(p, good.h, good.h, bad, 0), ABIF_E_HANDLE);
    }
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(AbifGADFile_Read(nullptr, good.h, 0), ABIF_E_NULL);
    EXPECT_EQ(AbifGADFile_Write(nullptr, good.h, 0), ABIF_E_NULL);
    EXPECT_EQ(AbifGADFile_Update(nullptr, good.h, good.h, good.h, 0), ABIF_E_NULL);
}

TEST_F(GadFileOnDisk, fileFailuresReturnTheSystemErrorNumber) {
    CAbifData data;
    EXPECT_EQ(CGADUtil::read(path("missing.qad"), data), ENOENT);
    EXPECT_EQ(CGADUtil::read(dir.path(), data), EISDIR);
    EXPECT_EQ(CGADUtil::write(path("no/such/folder.qad"), data), ENOENT);
    EXPECT_EQ(CGADUtil::update(path("no/such/folder.qad"), data, data, data, 0), ENOENT);
    // A pipe neither blocks the reader nor gets replaced by a plain file.
    const QString pipe = path("pipe.qad");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(CGADUtil::read(pipe, data), EINVAL);
    EXPECT_EQ(CGADUtil::write(pipe, data), EINVAL);
    EXPECT_EQ(QFileInfo(pipe).isFile(), false);
    EXPECT_TRUE(QFileInfo::exists(pipe));
}

// ---- Write ------------------------------------------------------------------

TEST_F(GadFileOnDisk, writeReplacesTheFileKeepingItsPermissionsAndLeavesNoTemporary) {
    const QString file = path();
    putContent(file, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0640), 0);
    ASSERT_EQ(CGADUtil::write(file, book({test::myFax(1, u"A")})), ABIF_OK);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    CAbifData back;
    EXPECT_EQ(CGADUtil::read(file, back), ABIF_OK);
    EXPECT_EQ(back.array<CAbifMyFaxData>().count(), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("book.qad")});
}

TEST_F(GadFileOnDisk, writeThroughASymbolicLinkReplacesItsTarget) {
    const QString target = path("target.qad"), link = path("link.qad");
    putContent(target, "old");
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_EQ(CGADUtil::write(link, book({test::myFax(1, u"A")})), ABIF_OK);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(contentOf(target).size(), contentOf(link).size());
    EXPECT_NE(contentOf(target), QByteArray("old"));
}

TEST_F(GadFileOnDisk, refusedRecordsLeaveTheFileAsItWas) {
    const QString file = path(), absent = path("new.qad");
    ASSERT_EQ(CGADUtil::write(file, book({test::myFax(5, u"E")})), ABIF_OK);
    const QByteArray before = contentOf(file);
    CAbifMyFaxGroupData crowded = test::myFaxGroup(1, u"G", {});
    crowded.memberCount = 31;
    const CAbifData refused = book({}, {crowded});
    CAbifData base, output;
    EXPECT_EQ(CGADUtil::write(file, refused), ABIF_E_FORMAT);
    // The file differs from the base, yet nobody is asked about a write that cannot happen.
    EXPECT_EQ(CGADUtil::update(file, base, refused, output, 0x20), ABIF_E_FORMAT);
    EXPECT_EQ(CGADUtil::write(absent, refused), ABIF_E_FORMAT);
    EXPECT_EQ(contentOf(file), before);
    EXPECT_FALSE(QFile::exists(absent));
    EXPECT_TRUE(ui.asked.isEmpty());
}

// ---- Update -----------------------------------------------------------------

enum class OnDisk { Base, Changed, Empty, Damaged, Missing };

struct UpdateCase {
    const char *name;
    OnDisk onDisk;
    int32_t flags;
    std::optional<abif::MessageAnswer> answer;  // asked, and answered so; else not asked
    int32_t result;
    bool written;
    bool outputFilled;
};

const UpdateCase kUpdateCases[] = {
    {"unchangedFileIsWritten", OnDisk::Base, 0x20, {}, ABIF_OK, true, true},
    {"changedFileConfirmed", OnDisk::Changed, 0x20, abif::MessageAnswer::Ok, ABIF_OK, true, true},
    {"changedFileDeclined", OnDisk::Changed, 0x20, abif::MessageAnswer::Cancel, ABIF_E_CANCEL, false, false},
    {"askingOverridesRefusing", OnDisk::Changed, 0x60, abif::MessageAnswer::Ok, ABIF_OK, true, true},
    {"changedFileRefused", OnDisk::Changed, 0x40, {}, ABIF_E_CANCEL, false, false},
    {"changedFileOverwrittenWithoutFlags", OnDisk::Changed, 0, {}, ABIF_OK, true, true},
    // Someone else emptied, damaged or deleted the file the base was read from.
    {"emptiedFileRefused", OnDisk::Empty, 0x40, {}, ABIF_E_CANCEL, false, false},
    {"emptiedFileConfirmed", OnDisk::Empty, 0x20, abif::MessageAnswer::Ok, ABIF_OK, true, true},
    {"emptiedFileDeclined", OnDisk::Empty, 0x20, abif::MessageAnswer::Cancel, ABIF_E_CANCEL, false, false},
    {"damagedFileRefused", OnDisk::Damaged, 0x40, {}, ABIF_E_CANCEL, false, false},
    {"damagedFileConfirmed", OnDisk::Damaged, 0x20, abif::MessageAnswer::Ok, ABIF_OK, true, true},
    {"damagedFileOverwrittenWithoutFlags", OnDisk::Damaged, 0, {}, ABIF_OK, true, true},
    {"deletedFileRefused", OnDisk::Missing, 0x40, {}, ABIF_E_CANCEL, false, false},
    {"deletedFileConfirmed", OnDisk::Missing, 0x20, abif::MessageAnswer::Ok, ABIF_OK, true, true},
    {"deletedFileDeclined", OnDisk::Missing, 0x20, abif::MessageAnswer::Cancel, ABIF_E_CANCEL, false, false},
};

TEST_F(GadFileOnDisk, updateWritesOnlyWhatTheFlagsAndTheUserAllow) {
    const CAbifData base = book({test::myFax(1, u"Ann")}, {test::myFaxGroup(1, u"G", {1})});
    const CAbifData changed = book({test::myFax(1, u"Ann"), test::myFax(2, u"Bob")}, {test::myFaxGroup(1, u"G", {1})});
    const CAbifData edited = book({test::myFax(1, u"Anne")});
    const CAbifData sentinel = book({test::myFax(99, u"untouched")});
    for (const UpdateCase &c : kUpdateCases) {
        SCOPED_TRACE(c.name);
        const QString file = path(c.name);
        switch (c.onDisk) {
        case OnDisk::Base: ASSERT_EQ(CGADUtil::write(file, base), ABIF_OK); break;
        case OnDisk::Changed: ASSERT_EQ(CGADUtil::write(file, changed), ABIF_OK); break;
        case OnDisk::Empty: putContent(file, {}); break;
        case OnDisk::Damaged: putContent(file, "not an address book"); break;
        case OnDisk::Missing: break;
        }
        const QByteArray before = contentOf(file);
        ui.asked.clear();
        ui.answer = c.answer.value_or(abif::MessageAnswer::Cancel);
        CAbifData output = sentinel;

        EXPECT_EQ(CGADUtil::update(file, base, edited, output, c.flags), c.result);

        if (c.answer) {
            EXPECT_EQ(ui.asked, QStringList{QStringLiteral("The file will be overwritten. Are you sure?")});
            EXPECT_EQ(ui.buttons, abif::MessageButtons::OkCancel);
        } else {
            EXPECT_TRUE(ui.asked.isEmpty());
        }
        CAbifData onDisk;
        if (c.written) {
            ASSERT_EQ(CGADUtil::read(file, onDisk), ABIF_OK);
            EXPECT_TRUE(abif::equalByKinds(onDisk, edited, ABIF_KIND_MYFAX));
        } else {
            EXPECT_EQ(contentOf(file), before);
            EXPECT_EQ(QFile::exists(file), c.onDisk != OnDisk::Missing);
        }
        EXPECT_TRUE(abif::equalByKinds(output, c.outputFilled ? edited : sentinel, ABIF_KIND_MYFAX));
    }
}

TEST_F(GadFileOnDisk, fileHoldingNothingIsWrittenWithoutAskingACallerWhoReadNothing) {
    const CAbifData nothingRead, edited = book({test::myFax(1, u"Anne")});
    for (const bool exists : {false, true}) {
        SCOPED_TRACE(exists ? "empty file" : "no file");
        const QString file = path(exists ? "empty.qad" : "new.qad");
        if (exists) putContent(file, {});
        CAbifData output;
        EXPECT_EQ(CGADUtil::update(file, nothingRead, edited, output, 0x40), ABIF_OK);
        EXPECT_TRUE(ui.asked.isEmpty());
        EXPECT_TRUE(abif::equalByKinds(output, edited, ABIF_KIND_MYFAX));
    }
    // Content that cannot be read may be anybody's.
    const QString damaged = path("damaged.qad");
    putContent(damaged, "not an address book");
    CAbifData output;
    EXPECT_EQ(CGADUtil::update(damaged, nothingRead, edited, output, 0x40), ABIF_E_CANCEL);
    EXPECT_EQ(contentOf(damaged), "not an address book");
}

TEST_F(GadFileOnDisk, fileHoldingMoreThanTheBaseCanHoldCountsAsChanged) {
    CAbifData big;
    big.array<CAbifMyFaxData>().setLimit(-1);
    for (uint16_t id = 1; id <= 501; ++id) {
        const CAbifMyFaxData m = test::myFax(id, u"M");
        big.array<CAbifMyFaxData>().append({&m, 1});
    }
    const QString file = path();
    ASSERT_EQ(CGADUtil::write(file, big), ABIF_OK);
    const QByteArray before = contentOf(file);
    CAbifData base, output;
    EXPECT_EQ(CGADUtil::update(file, base, book({test::myFax(1, u"A")}), output, 0x40), ABIF_E_CANCEL);
    EXPECT_EQ(contentOf(file), before);
}

// ---- Diagnostic log ---------------------------------------------------------

TEST_F(GadFileOnDisk, failedReadLogsOneErrorLineWhenItsCategoryIsOn) {
    const struct {
        const char *category;
        bool logged;
    } cases[] = {{"8", true}, {"4", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.category);
        // Settings files of their own: Qt caches what it read from a path.
        const QString ini = path("log.INI") + c.category, logFile = path("log.Log") + c.category;
        putContent(ini, QByteArray("[DumpLog]\nLevel=1\nTimeStamp=0\nCategory=") + c.category + "\n");
        abif::DiagnosticLog log(ini, logFile);
        abif::setDiagnosticLog(&log);
        CAbifData data;
        const QString missing = path("missing.qad");
        EXPECT_EQ(CGADUtil::read(missing, data), ENOENT);
        abif::setDiagnosticLog(nullptr);
        if (!c.logged) {
            EXPECT_FALSE(QFile::exists(logFile));
            continue;
        }
        EXPECT_EQ(contentOf(logFile), "[GAD] [ERR] CGADUtil::Read: (2, 0x2, " + missing.toUtf8() + ")\r\n");
    }
}

}  // namespace
