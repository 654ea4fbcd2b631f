// Exporting entries to CSV files through the C export.
#include "support/records.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

struct Container {
    CAbifData *handle = ABIFData_Create();
    ~Container() { ABIFData_Delete(handle); }
};

CAbifEMailData email(uint16_t id, std::u16string_view name, std::u16string_view address) {
    CAbifEMailData r{};
    r.id = id;
    abif::writeText(r.name, sizeof r.name, name);
    abif::writeText(r.emailAddress, sizeof r.emailAddress, address);
    return r;
}

CAbifMyFaxData member(std::u16string_view name, std::u16string_view number, std::u16string_view company,
                      std::u16string_view note) {
    CAbifMyFaxData r = test::myFax(12, name);
    abif::writeText(r.faxNumber, sizeof r.faxNumber, number);
    abif::writeText(r.company, sizeof r.company, company);
    abif::writeText(r.note, sizeof r.note, note);
    r.commMode = 1;
    r.updatedOn = 1700000000;
    abif::writeText(r.reservedText, sizeof r.reservedText, u"reserved");
    return r;
}

class CsvExport : public testing::Test {
protected:
    QString path(const char *name = "export.csv") const { return dir_.filePath(QString::fromLatin1(name)); }
    static std::u16string utf16(const QString &text) { return text.toStdU16String(); }
    int32_t exportTo(const QString &file, int32_t type, CAbifData *handle) {
        return Abif_Export(utf16(file).c_str(), type, handle, 0);
    }
    static QByteArray contents(const QString &file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir_;
};

TEST_F(CsvExport, speedDialWithACommaInTheName) {
    Container c;
    const CAbifFaxData entry = test::fax(7, u"Smith, Jones", u"0123");
    ABIFData_Add_Fax(c.handle, 1, &entry);
    ASSERT_EQ(exportTo(path(), ABIF_EXPORT_FAX, c.handle), ABIF_OK);
    EXPECT_EQ(contents(path()), "7,\"Smith, Jones\",0123\r\n");
}

TEST_F(CsvExport, eachTypeWritesTheColumnsOfItsKindInTheContainersOrder) {
    Container c;
    const CAbifMyFaxData members[] = {member(u"Ann", u"0111", u"Acme", u"Note, long"), member(u"Al", u"", u"", u"")};
    const CAbifFaxData faxes[] = {test::fax(3, u"C", u"03"), test::fax(1, u"A", u"01")};
    const CAbifEMailData mails[] = {email(20, u"Bob \"B\"", u"bob@example.com")};
    ABIFData_Add_MyFax(c.handle, 2, members);
    ABIFData_Add_Fax(c.handle, 2, faxes);
    ABIFData_Add_EMail(c.handle, 1, mails);

    const struct {
        int32_t type;
        QByteArray bytes;
    } cases[] = {
        {ABIF_EXPORT_MYFAX, "Ann,0111,Acme,\"Note, long\"\r\nAl,,,\r\n"},
        {ABIF_EXPORT_FAX, "3,C,03\r\n1,A,01\r\n"},
        {ABIF_EXPORT_EMAIL, "20,\"Bob \"\"B\"\"\",bob@example.com\r\n"},
        {3, ""},
        {0, ""},
        {-1, ""},
    };
    for (const auto &k : cases) {
        EXPECT_EQ(exportTo(path(), k.type, c.handle), ABIF_OK) << k.type;
        EXPECT_EQ(contents(path()), k.bytes) << k.type;
    }
}

TEST_F(CsvExport, anExistingFileIsReplacedEvenByAnEmptyOne) {
    QFile old(path());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous export\r\n");
    old.close();
    Container c;
    EXPECT_EQ(exportTo(path(), ABIF_EXPORT_MYFAX, c.handle), ABIF_OK);
    EXPECT_EQ(contents(path()), QByteArray());
}

TEST_F(CsvExport, badHandlesAndPathsAreRefusedWithoutAFile) {
    CAbifData *deleted = ABIFData_Create();
    ABIFData_Delete(deleted);
    int notAContainer = 0;
    for (CAbifData *handle : {static_cast<CAbifData *>(nullptr), deleted, reinterpret_cast<CAbifData *>(&notAContainer)})
        EXPECT_EQ(exportTo(path(), ABIF_EXPORT_FAX, handle), ABIF_E_HANDLE);
    Container c;
    EXPECT_EQ(Abif_Export(nullptr, ABIF_EXPORT_FAX, c.handle, 0), ABIF_E_NULL);
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(CsvExport, aFileThatCannotBeWrittenGivesTheSystemErrorAndKeepsTheOldFile) {
    Container c;
    const CAbifFaxData entry = test::fax(1, u"A");
    ABIFData_Add_Fax(c.handle, 1, &entry);
    EXPECT_EQ(exportTo(path("missing/export.csv"), ABIF_EXPORT_FAX, c.handle), ENOENT);
    EXPECT_EQ(exportTo(QString(), ABIF_EXPORT_FAX, c.handle), ENOENT);
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder"));
    EXPECT_EQ(exportTo(path("folder"), ABIF_EXPORT_FAX, c.handle), EISDIR);
    EXPECT_TRUE(QFileInfo(path("folder")).isDir());
}

}  // namespace
