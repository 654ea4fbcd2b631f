// Reading a CSV file into records of the destination's kind: the header,
// the rows that pass and the rows that are dropped.
#include "core/abif_data.h"
#include "core/diagnostic_log.h"
#include "import/csv_import.h"
#include "imports/import_fixtures.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using abif::CCsvColumnMapping;
using abif::CsvReading;

// Columns of name, number, company and note; -1 leaves the field empty.
CCsvColumnMapping mapping(int name, int number, int company = -1, int note = -1) {
    CCsvColumnMapping m;
    const int columns[] = {name, number, company, note};
    for (int field = 0; field < 4; ++field)
        if (columns[field] >= 0) m.toggle(field, columns[field]);
    return m;
}

class CsvFiles : public testing::Test {
protected:
    QString write(const QByteArray &bytes, const char *name = "book.csv") {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(imports::writeFile(path, bytes));
        return path;
    }
    QTemporaryDir dir_;
};

struct HeaderCase {
    const char *name;
    QByteArray bytes;
    int32_t result;
    QStringList cells;
};

class CsvHeader : public CsvFiles, public testing::WithParamInterface<HeaderCase> {};

TEST_P(CsvHeader, readsTheFirstRecordOnly) {
    QStringList cells{u"stale"_qs};
    EXPECT_EQ(abif::ReadCsvFirstLine(write(GetParam().bytes), cells), GetParam().result);
    EXPECT_EQ(cells, GetParam().cells);
}

INSTANTIATE_TEST_SUITE_P(
    Import, CsvHeader,
    testing::Values(HeaderCase{"plain", "Name,Fax,Company\r\nAnna,123,X\r\n", ABIF_OK, {u"Name"_qs, u"Fax"_qs, u"Company"_qs}},
                    HeaderCase{"quotedLineBreak", "\"Fax\r\nNumber\",Name\n", ABIF_OK, {u"Fax\r\nNumber"_qs, u"Name"_qs}},
                    HeaderCase{"utf8WithMark", "\xEF\xBB\xBFN\xC3\xA4me,Fax\n", ABIF_OK, {u"N\u00e4me"_qs, u"Fax"_qs}},
                    HeaderCase{"emptyFile", "", ABIF_OK, {}},
                    HeaderCase{"utf16IsRefused", "\xFF\xFEN\0a\0", ABIF_E_FAIL, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(CsvFiles, headerOfAMissingFileGivesTheSystemError) {
    QStringList cells;
    EXPECT_EQ(abif::ReadCsvFirstLine(dir_.filePath(u"absent.csv"_qs), cells), ENOENT);
}

TEST(CsvCells, lineBreaksShowAsSpaces) { EXPECT_EQ(abif::singleLine(u"a\r\nb\nc\rd"_qs), u"a b c d"_qs); }

struct RowsCase {
    const char *name;
    int32_t destination;
    QByteArray bytes;
    CCsvColumnMapping mapping;
    bool firstRowIsTitle;
    QStringList records;  // as imports::recordsOf shows them
};

class CsvRows : public CsvFiles, public testing::WithParamInterface<RowsCase> {};

TEST_P(CsvRows, keepOnlyValidRecords) {
    const RowsCase &c = GetParam();
    CAbifData parsed;
    const CsvReading reading{write(c.bytes), c.destination, c.mapping, c.firstRowIsTitle};
    ASSERT_EQ(abif::ReadCsvAll(reading, parsed), ABIF_OK);
    EXPECT_EQ(imports::recordsOf(parsed, abif::normalisedDestination(c.destination)), c.records);
}

const QByteArray kNonAsciiName = "J\xC3\xBCrgen,0123\n";
const QString k32 = QString(32, u'n');
const QString k50 = QString(50, u'9');

INSTANTIATE_TEST_SUITE_P(
    Import, CsvRows,
    testing::Values(
        RowsCase{"titleOnlyFileGivesNoCandidates", 4, "Name,Fax\r\n", mapping(0, 1), true, {}},
        RowsCase{"firstRowKeptWhenNotTitle", 4, "Name,123\nAnna,456\n", mapping(0, 1), false,
                 {u"Name|123"_qs, u"Anna|456"_qs}},
        RowsCase{"firstRowSkippedAsTitle", 4, "Name,123\nAnna,456\n", mapping(0, 1), true, {u"Anna|456"_qs}},
        RowsCase{"nonAsciiNameDroppedForFax", 4, kNonAsciiName, mapping(0, 1), false, {}},
        RowsCase{"nonAsciiNameDroppedForEmail", 8, "J\xC3\xBCrgen,j@x.de\n", mapping(0, 1), false, {}},
        RowsCase{"nonAsciiNameKeptForPcFax", 2, kNonAsciiName, mapping(0, 1), false, {u"J\u00fcrgen|0123||"_qs}},
        RowsCase{"destinationOneIsFax", 1, "Anna,123\n", mapping(0, 1), false, {u"Anna|123"_qs}},
        RowsCase{"faxNumberCharacters", 4, "A,0123*#:=-9\nB,555 1234\nC,+49555\nD,12a\n", mapping(0, 1), false,
                 {u"A|0123*#:=-9"_qs}},
        RowsCase{"emailRule", 8,
                 "A,anna.lee@mail-1.example.com\nB,no.at.sign\nC,a..b@x.de\nD,.a@x.de\nE,a.@x.de\n"
                 "F,a@b@x.de\nG,@x.de\nH,ab@\nI,ab@x_y.de\n",
                 mapping(0, 1), false, {u"A|anna.lee@mail-1.example.com"_qs, u"B|no.at.sign"_qs}},
        RowsCase{"emptyOrMissingCellsSkipTheRow", 4, "A,\n,123\nB\nC,456\n", mapping(0, 1), false, {u"C|456"_qs}},
        RowsCase{"columnsInAnyOrder", 2, "x,Co,9876,Anna,memo\n", mapping(3, 2, 1, 4), false,
                 {u"Anna|9876|Co|memo"_qs}},
        RowsCase{"companyAndNoteOnlyForPcFax", 4, "Anna,123,Co,memo\n", mapping(0, 1, 2, 3), false,
                 {u"Anna|123"_qs}},
        RowsCase{"nameCutToItsField", 4, (k32 + u"XYZ,123\n"_qs).toUtf8(), mapping(0, 1), false, {k32 + u"|123"_qs}},
        RowsCase{"numberOfFullWidthKept", 4, ("A," + k50 + u"\n"_qs).toUtf8(), mapping(0, 1), false,
                 {u"A|"_qs + k50}},
        RowsCase{"longerNumberDroppedNotCut", 4, ("A," + k50 + u"1\n"_qs).toUtf8(), mapping(0, 1), false, {}},
        RowsCase{"longerAddressDroppedNotCut", 8, ("A," + QString(60, u'a') + u"@example.com\n"_qs).toUtf8(),
                 mapping(0, 1), false, {}},
        RowsCase{"multiLineNoteKeptForPcFax", 2, "Anna,123,,\"line 1\r\nline 2\"\n", mapping(0, 1, -1, 3), false,
                 {u"Anna|123||line 1\r\nline 2"_qs}},
        RowsCase{"controlCharactersBecomeSpacesForPcFax", 2, "An\x03na,123,Co\x04op,\"a\tb\r\nc\"\n",
                 mapping(0, 1, 2, 3), false, {u"An na|123|Co op|a b\r\nc"_qs}},
        RowsCase{"controlCharacterInAFaxNameBecomesASpace", 4, "An\x01na,123\n", mapping(0, 1), false,
                 {u"An na|123"_qs}},
        RowsCase{"controlCharacterInANumberDropsTheRow", 4, "Anna,12\x03" "3\n", mapping(0, 1), false, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(CsvFiles, rowsGetConsecutiveIdsAndPcFaxMembersTheirDefaults) {
    CAbifData parsed;
    parsed.array<CAbifMyFaxData>().append(std::vector<CAbifMyFaxData>(1));  // dropped by the reading
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    const CsvReading reading{write("A,1\nbad,x\nB,2\nC,3\n"), 2, mapping(0, 1), false};
    ASSERT_EQ(abif::ReadCsvAll(reading, parsed), ABIF_OK);
    const auto &rows = parsed.array<CAbifMyFaxData>();
    ASSERT_EQ(rows.count(), 3);
    for (int i = 0; i < rows.count(); ++i) {
        const CAbifMyFaxData r = rows.at(i);
        const int id = r.id;
        const int commMode = r.commMode;
        EXPECT_EQ(id, i + 1);
        EXPECT_EQ(commMode, 0);
        const int64_t updatedOn = r.updatedOn;
        EXPECT_GE(updatedOn, before);
        EXPECT_LE(updatedOn, QDateTime::currentSecsSinceEpoch());
    }
}

TEST_F(CsvFiles, readingLiftsTheLimitsOfTheParsedRows) {
    QByteArray bytes;
    for (int i = 0; i < 700; ++i) bytes += "Name " + QByteArray::number(i) + ",555" + QByteArray::number(i) + "\n";
    CAbifData parsed;
    ASSERT_EQ(abif::ReadCsvAll({write(bytes), 2, mapping(0, 1), false}, parsed), ABIF_OK);
    EXPECT_EQ(parsed.array<CAbifMyFaxData>().count(), 700);
}

TEST_F(CsvFiles, cancelStopsTheReading) {
    QByteArray bytes;
    for (int i = 0; i < 5000; ++i) bytes += "A,1\n";
    CAbifData parsed;
    int asked = 0;
    EXPECT_EQ(abif::ReadCsvAll({write(bytes), 4, mapping(0, 1), false}, parsed, [&asked] { return ++asked == 2; }),
              ABIF_E_CANCEL);
    EXPECT_EQ(asked, 2);
    EXPECT_LT(parsed.array<CAbifFaxData>().count(), 5000);
}

TEST_F(CsvFiles, failuresAreReported) {
    CAbifData parsed;
    EXPECT_EQ(abif::ReadCsvAll({dir_.filePath(u"absent.csv"_qs), 4, mapping(0, 1), false}, parsed), ENOENT);
    EXPECT_EQ(abif::ReadCsvAll({write("\xFE\xFF\0A"), 4, mapping(0, 1), false}, parsed), ABIF_E_FAIL);
}

TEST_F(CsvFiles, logsStartAndResult) {
    const QString settings = dir_.filePath(u"abif.INI"_qs);
    const QString logFile = dir_.filePath(u"abif.Log"_qs);
    ASSERT_TRUE(imports::writeFile(settings, "[DumpLog]\nLevel=4\nCategory=4\nTimeStamp=0\n"));
    abif::DiagnosticLog log(settings, logFile);
    abif::setDiagnosticLog(&log);
    QStringList cells;
    CAbifData parsed;
    const QString path = write("Name,Fax\n");
    abif::ReadCsvFirstLine(path, cells);
    abif::ReadCsvAll({dir_.filePath(u"absent.csv"_qs), 4, mapping(0, 1), false}, parsed);
    abif::setDiagnosticLog(nullptr);
    QFile file(logFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()).split(u"\r\n"_qs, Qt::SkipEmptyParts),
              (QStringList{u"[IMP] [INF] ReadCsvFirstLine: Start"_qs, u"[IMP] [INF] ReadCsvFirstLine: (0x0)"_qs,
                           u"[IMP] [INF] ReadCsvAll: Start"_qs, u"[IMP] [ERR] ReadCsvAll: (0x2)"_qs}));
}

}  // namespace
