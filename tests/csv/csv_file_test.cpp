// Reading and writing CSV records through memory buffers and files.
#include "formats/csv_file.h"
#include "formats/file_error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using Records = std::vector<QStringList>;

// Every record up to the end of the file.
Records readAll(CCSVFile &csv) {
    Records records;
    QStringList fields;
    int32_t result;
    while ((result = csv.readRecord(fields)) >= 0) {
        EXPECT_EQ(result, fields.size());
        records.push_back(fields);
    }
    EXPECT_EQ(result, -1);
    return records;
}

Records readBytes(const QByteArray &bytes) {
    abif::ByteSource source(bytes);
    CCSVFile csv(source);
    EXPECT_TRUE(csv.detectEncoding());
    return readAll(csv);
}

QByteArray written(const QStringList &fields, CCSVFile::Encoding encoding = CCSVFile::EncodingAnsi) {
    abif::MemorySink sink;
    CCSVFile csv(sink);
    csv.setEncoding(encoding);
    EXPECT_EQ(csv.writeRecord(fields), fields.size());
    return sink.bytes();
}

QString u8(const char *text) { return QString::fromUtf8(text); }

struct ReadCase {
    const char *name;
    QByteArray bytes;
    Records records;
};

void PrintTo(const ReadCase &c, std::ostream *out) { *out << c.name; }

class ReadingRecords : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadingRecords, givesTheFieldsOfEachLine) { EXPECT_EQ(readBytes(GetParam().bytes), GetParam().records); }

INSTANTIATE_TEST_SUITE_P(
    Csv, ReadingRecords,
    testing::Values(
        ReadCase{"quotedComma", "a,\"b,c\",d\r\n", {{"a", "b,c", "d"}}},
        ReadCase{"doubledQuotes", "\"\"\"hi\"\"\"\r\n", {{"\"hi\""}}},
        ReadCase{"trailingComma", "a,b,\r\n", {{"a", "b", ""}}},
        ReadCase{"onlyAComma", ",", {{"", ""}}},
        ReadCase{"textAfterTheClosingQuoteIsKept", "\"ab\"c\"d,e", {{"abc\"d", "e"}}},
        ReadCase{"quotedFieldOverTwoLinesWithCrLf", "\"x\r\ny\",z\r\nnext\r\n", {{"x\r\ny", "z"}, {"next"}}},
        ReadCase{"quotedFieldOverTwoLinesWithLf", "\"x\ny\"\n", {{"x\r\ny"}}},
        ReadCase{"quoteDoubledAtTheLineEnd", "\"a\"\"\nb\"\n", {{"a\"\r\nb"}}},
        ReadCase{"emptyLineIsARecordWithoutFields", "a\r\n\r\nb", {{"a"}, {}, {"b"}}},
        ReadCase{"loneCrStaysInTheField", "a\rb,c\r\n", {{"a\rb", "c"}}},
        ReadCase{"emptyFile", "", {}},
        ReadCase{"singleByte", "a", {{"a"}}},
        ReadCase{"utf8AfterItsMark", "\xEF\xBB\xBFn\xC3\xA9,\xE2\x82\xAC\r\n", {{u8("n\u00E9"), u8("\u20AC")}}},
        ReadCase{"utf8WithoutMark", "J\xC3\xBCrgen\r\n", {{u8("J\u00FCrgen")}}},
        ReadCase{"windows1252", "Ren\xE9,Stra\xDF" "e\r\n", {{u8("Ren\u00E9"), u8("Stra\u00DFe")}}},
        ReadCase{"windows1252StartingLikeAMark", "\xEFle,\xEF\xBB\r\n", {{u8("\u00EFle"), u8("\u00EF\u00BB")}}},
        ReadCase{"windows1252AfterAsciiLines", "id,name\r\n1,Jos\xE9\r\n", {{"id", "name"}, {"1", u8("Jos\u00E9")}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CsvFile, aQuotedFieldOpenAtTheEndOfTheFileEndsTheFile) {
    for (const QByteArray &bytes : {QByteArray("a,\"b"), QByteArray("a,\"b\r\nc"), QByteArray("\"\"\"")}) {
        abif::ByteSource source(bytes);
        CCSVFile csv(source);
        ASSERT_TRUE(csv.detectEncoding());
        QStringList fields;
        EXPECT_EQ(csv.readRecord(fields), -1) << bytes.constData();
        EXPECT_TRUE(fields.isEmpty()) << bytes.constData();
        EXPECT_EQ(csv.readRecord(fields), -1) << bytes.constData();
    }
}

TEST(CsvFile, utf16FilesAreRecognisedButNotRead) {
    const struct {
        QByteArray bytes;
        CCSVFile::Encoding encoding;
    } cases[] = {{"\xFF\xFE" "a\0", CCSVFile::EncodingUtf16LE}, {"\xFE\xFF\0a", CCSVFile::EncodingUtf16BE}};
    for (const auto &c : cases) {
        abif::ByteSource source(c.bytes);
        CCSVFile csv(source);
        EXPECT_FALSE(csv.detectEncoding());
        EXPECT_EQ(csv.encoding(), c.encoding);
        QStringList fields{"stale"};
        EXPECT_EQ(csv.readRecord(fields), -1);
        EXPECT_TRUE(fields.isEmpty());
    }
}

TEST(CsvFile, withoutAnEncodingNothingIsReadOrWritten) {
    abif::ByteSource source(QByteArrayView("a,b\r\n"));
    CCSVFile reader(source);
    QString line;
    EXPECT_FALSE(reader.readLine(line));

    abif::MemorySink sink;
    CCSVFile writer(sink);
    writer.writeText(u"text");
    EXPECT_TRUE(sink.bytes().isEmpty());
}

struct WriteCase {
    const char *name;
    QStringList fields;
    QByteArray bytes;
};

void PrintTo(const WriteCase &c, std::ostream *out) { *out << c.name; }

class WritingRecords : public testing::TestWithParam<WriteCase> {};

TEST_P(WritingRecords, quotesOnlyWhatNeedsIt) { EXPECT_EQ(written(GetParam().fields), GetParam().bytes); }

INSTANTIATE_TEST_SUITE_P(
    Csv, WritingRecords,
    testing::Values(WriteCase{"plain", {"a", "b c"}, "a,b c\r\n"},
                    WriteCase{"quoteIsDoubled", {"1\"2"}, "\"1\"\"2\"\r\n"},
                    WriteCase{"comma", {"a,b", "c"}, "\"a,b\",c\r\n"},
                    WriteCase{"crLfBecomesLf", {"a\r\nb"}, "\"a\nb\"\r\n"},
                    WriteCase{"loneCrBecomesLf", {"a\rb\r"}, "\"a\nb\n\"\r\n"},
                    WriteCase{"lf", {"a\nb"}, "\"a\nb\"\r\n"},
                    WriteCase{"emptyFields", {"", "x", ""}, ",x,\r\n"},
                    WriteCase{"noFields", {}, "\r\n"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CsvFile, writesUtf8WhenAskedTo) {
    EXPECT_EQ(written({u8("\u00E9")}, CCSVFile::EncodingUtf8), QByteArray("\xC3\xA9\r\n"));
}

TEST(CsvFile, fieldsSurviveWriteThenReadWithLineBreaksAsCrLf) {
    const QStringList fields = {u8("Jos\u00E9 \"JJ\", Sr."), "line one\r\nline two", ",", "\"", "", "a\nb", "tail"};
    QStringList expected = fields;
    expected[5] = "a\r\nb";
    abif::MemorySink sink;
    CCSVFile writer(sink);
    writer.setEncoding(CCSVFile::EncodingAnsi);
    writer.writeRecord(fields);
    writer.writeRecord({"second"});
    EXPECT_EQ(readBytes(sink.bytes()), (Records{expected, {"second"}}));
}

class CsvFileOnDisk : public testing::Test {
protected:
    QString path(const char *name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir_;
};

TEST_F(CsvFileOnDisk, readsLinesLongerThanAnyBufferWhole) {
    const QByteArray longField(300000, 'x');
    QFile file(path("long.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF" + longField + ",\"" + longField + "\r\n" + longField + "\"\r\nend\r\n");
    file.close();

    abif::ByteSource source = abif::ByteSource::openFile(file.fileName());
    CCSVFile csv(source);
    ASSERT_TRUE(csv.detectEncoding());
    const QString text = QString::fromLatin1(longField);
    EXPECT_EQ(readAll(csv), (Records{{text, text + "\r\n" + text}, {"end"}}));
}

TEST_F(CsvFileOnDisk, failuresOfTheFileCarryTheSystemErrorAndTheName) {
    try {
        abif::ByteSource::openFile(path("missing.csv"));
        ADD_FAILURE() << "a missing file opened";
    } catch (const abif::FileError &error) {
        EXPECT_EQ(error.osError(), ENOENT);
        EXPECT_EQ(error.cause(), abif::FileCauseNotFound);
        EXPECT_EQ(error.fileName(), path("missing.csv"));
    }

    // A folder opens, but reading it fails.
    abif::ByteSource source = abif::ByteSource::openFile(dir_.path());
    CCSVFile csv(source);
    try {
        csv.detectEncoding();
        QStringList fields;
        csv.readRecord(fields);
        ADD_FAILURE() << "a folder read as a file";
    } catch (const abif::FileError &error) {
        EXPECT_EQ(error.osError(), EISDIR);
        EXPECT_EQ(error.cause(), abif::FileCauseGeneric);
        EXPECT_EQ(error.fileName(), dir_.path());
    }
}

}  // namespace
