// The machine address book backup file, on disk and through its exports.
#include "formats/pab_file.h"

#include "core/blowfish.h"
#include "core/result_name.h"
#include "formats/backup_bytes.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

namespace {

using test::Bytes;
using test::operator+;
using test::ascii;
using test::be32;

const QDateTime stamp(QDate(2026, 12, 9), QTime(23, 15));

Bytes enciphered(Bytes plain) {
    const Bytes key = {0x3C, 0x71, 0xE2, 0x05, 0xB8, 0x4D, 0x9A};
    abif::Blowfish(key.data(), 7, abif::WordOrder::BigEndian).encipher(plain.data(), plain.data(), plain.size());
    return plain;
}

// A container with one fax entry and one group, as a backup stores it.
Bytes smallBookContainer() {
    const Bytes clearing = test::longHeader(2, 0) + test::deleteList(3, 2, 99) + test::deleteList(4, 2, 6);
    const Bytes entries = test::longHeader(2, 0) + test::section(1, 3, 0, 1) + test::faxRecord(1, "Ann", "0123") +
                          test::section(1, 4, 0, 1) + test::groupRecord(1, "All", {1});
    Bytes c = be32(1) + be32(24) + be32(2) + be32(0) + be32(static_cast<uint32_t>(clearing.size())) +
              be32(static_cast<uint32_t>(entries.size())) + clearing + entries;
    c.resize((c.size() + 7) / 8 * 8, 0);
    return c;
}

CAbifData fullBook() {
    CAbifData data;
    for (uint16_t id = 99; id >= 1; --id) {
        const CAbifFaxData r = test::fax(id, u"Fax \u00e9\u00e8 " + std::u16string(1, static_cast<char16_t>(u'A' + id % 26)),
                                         u"+33 1 23 45 " + std::u16string(1, static_cast<char16_t>(u'0' + id % 10)));
        data.array<CAbifFaxData>().append({&r, 1});
    }
    const CAbifFaxGroupData groups[] = {
        test::faxGroup(6, u"Empty", {}),        test::faxGroup(2, u"Two", {99, 1}),
        test::faxGroup(1, u"\u7dcf\u52d9", {5}), test::faxGroup(3, u"Three", {1, 2, 3}),
        test::faxGroup(4, u"Four", {4, 44}),    test::faxGroup(5, u"Five", {50, 51, 52, 53, 54})};
    data.array<CAbifFaxGroupData>().append(groups);
    return data;
}

class PabFile : public testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char *name = "book.qbk") const { return dir.filePath(QLatin1String(name)); }

    void write(const Bytes &bytes, const QString &to) const {
        QFile f(to);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char *>(bytes.data()), static_cast<qint64>(bytes.size()));
    }
    Bytes read(const QString &from) const {
        QFile f(from);
        if (!f.open(QIODevice::ReadOnly)) return {};
        const QByteArray all = f.readAll();
        return Bytes(all.begin(), all.end());
    }
};

// A container holding an email address and a fax entry before a restore.
CAbifData occupied() {
    CAbifData data;
    const CAbifEMailData mail{};
    const CAbifFaxData fax = test::fax(42, u"Before");
    data.array<CAbifEMailData>().append({&mail, 1});
    data.array<CAbifFaxData>().append({&fax, 1});
    return data;
}

TEST_F(PabFile, emptyBookImageMatchesTheFileWrittenByHand) {
    std::vector<uint8_t> image;
    ASSERT_EQ(abif::CPabFile::makeImage(CAbifData{}, stamp, image), ABIF_OK);
    const Bytes body = enciphered(test::emptyBookContainer());
    ASSERT_EQ(body.size(), 312u);
    EXPECT_EQ(image, test::backupFile(body, 2));
}

TEST_F(PabFile, fullBookComesBackSortedFromTheFile) {
    const CAbifData book = fullBook();
    ASSERT_EQ(abif::CPabFile::backup(path(), book), ABIF_OK);
    CAbifData restored = occupied();
    ASSERT_EQ(abif::CPabFile::restore(path(), restored), ABIF_OK);
    EXPECT_TRUE(restored.isNormalised());
    EXPECT_TRUE(abif::equalByKinds(book, restored, ABIF_KIND_FAX));
    EXPECT_EQ(restored.array<CAbifFaxData>().at(0).id, 1);
    EXPECT_EQ(restored.array<CAbifEMailData>().count(), 0);
}

TEST_F(PabFile, plainBodyWithExtraJobLinesRestores) {
    const Bytes lines = ascii("@PJL\r\n@PJL COMMENT BUILD=1\r\n@PJL SET X=1\r\n@\r\n@PJL COMMENT VERSION:BACKUP=1\r\n"
                              "@PJL ENTER LANGUAGE=DOWNLOAD\r\n");
    write(test::backupFile(smallBookContainer(), 0, lines), path());
    CAbifData data;
    ASSERT_EQ(abif::CPabFile::restore(path(), data), ABIF_OK);
    ASSERT_EQ(data.array<CAbifFaxData>().count(), 1);
    EXPECT_EQ(abif::readText(data.array<CAbifFaxData>().at(0).name, 66), u"Ann");
    ASSERT_EQ(data.array<CAbifFaxGroupData>().count(), 1);
    EXPECT_EQ(data.array<CAbifFaxGroupData>().at(0).members[0], 1);
}

Bytes withU32(Bytes file, size_t offset, uint32_t value) {
    const Bytes v = be32(value);
    std::copy(v.begin(), v.end(), file.begin() + static_cast<ptrdiff_t>(offset));
    return file;
}

// Offset of the file header in a file with the standard lines.
const size_t header = test::backupFile({}, 2).size() - 64 - 9;

// Sets a header field and mends the header checksum, so the field itself is refused.
Bytes withHeaderField(Bytes file, size_t offset, uint32_t value) {
    file = withU32(file, header + offset, value);
    const Bytes h(file.begin() + static_cast<ptrdiff_t>(header), file.begin() + static_cast<ptrdiff_t>(header) + 64);
    return withU32(file, header + 60, test::sum32(h, 60));
}

struct Hostile {
    const char *what;
    Bytes file;
    bool containerEmptied;  // else it holds what it held before
    friend void PrintTo(const Hostile &c, std::ostream *os) { *os << c.what; }
};

const Bytes good = test::backupFile(enciphered(smallBookContainer()), 2);

class PabFileRefuses : public PabFile, public testing::WithParamInterface<Hostile> {};

TEST_P(PabFileRefuses, withFormatErrorLeavingTheContainerAsDocumented) {
    write(GetParam().file, path());
    CAbifData data = occupied();
    const int32_t result = abif::CPabFile::restore(path(), data);
    EXPECT_EQ(result, ABIF_E_FORMAT) << abif::resultName(result);
    if (GetParam().containerEmptied) {
        EXPECT_EQ(data.array<CAbifEMailData>().count(), 0);
    } else {
        EXPECT_EQ(data.array<CAbifEMailData>().count(), 1);
        EXPECT_EQ(data.array<CAbifFaxData>().at(0).id, 42);
    }
}

Bytes cut(const Bytes &b, size_t n) { return Bytes(b.begin(), b.end() - static_cast<ptrdiff_t>(n)); }

INSTANTIATE_TEST_SUITE_P(
    Cases, PabFileRefuses,
    testing::Values(
        Hostile{"wrongOpeningEscape", withU32(good, 0, 0x1B252D30), false},
        Hostile{"lineWithoutMark", test::backupFile(smallBookContainer(), 0, ascii("@PJL\r\nPJL X\r\n@PJL ENTER LANGUAGE=DOWNLOAD\r\n")), false},
        Hostile{"noLanguageLine", test::backupFile(smallBookContainer(), 0, ascii("@PJL\r\n")), false},
        Hostile{"headerChecksumOffByOne", withU32(good, header + 60, test::sum32(Bytes(good.begin() + header, good.begin() + header + 64), 60) + 1), false},
        Hostile{"wrongTag", withHeaderField(good, 8, 0x4B545200), false},
        Hostile{"wrongFormatConstant", withHeaderField(good, 32, 0x00100008), false},
        Hostile{"bodyLongerThanTheFile", withHeaderField(good, 44, 0xFFFFFFF8), false},
        Hostile{"bodyChecksumOffByOne", withHeaderField(good, 48, test::sum32(enciphered(smallBookContainer())) + 1), true},
        Hostile{"unknownCipherType", withHeaderField(good, 56, 1), true},
        Hostile{"encipheredBodyOfPartialBlock", test::backupFile(cut(enciphered(smallBookContainer()), 1), 2), true},
        Hostile{"blocksOverrunTheBody", test::backupFile(withU32(smallBookContainer(), 20, 4096), 0), true}),
    [](const auto &info) { return std::string(info.param.what); });

TEST_F(PabFile, missingClosingEscapeIsRefusedKeepingTheEntriesRead) {
    write(cut(good, 1), path());
    CAbifData data = occupied();
    EXPECT_EQ(abif::CPabFile::restore(path(), data), ABIF_E_FORMAT);
    EXPECT_EQ(data.array<CAbifEMailData>().count(), 0);
    ASSERT_EQ(data.array<CAbifFaxData>().count(), 1);
    EXPECT_EQ(data.array<CAbifFaxData>().at(0).id, 1);
}

// A plain container with the given records and nothing to clear.
Bytes containerWith(const std::vector<Bytes> &faxes, const std::vector<Bytes> &groups) {
    const Bytes clearing = test::longHeader(2, 0) + test::deleteList(3, 1, 0) + test::deleteList(4, 1, 0);
    Bytes entries = test::longHeader(2, 0) + test::section(1, 3, 0, static_cast<uint16_t>(faxes.size()));
    for (const Bytes &f : faxes) entries = entries + f;
    entries = entries + test::section(1, 4, 0, static_cast<uint16_t>(groups.size()));
    for (const Bytes &g : groups) entries = entries + g;
    Bytes c = be32(1) + be32(24) + be32(2) + be32(0) + be32(static_cast<uint32_t>(clearing.size())) +
              be32(static_cast<uint32_t>(entries.size())) + clearing + entries;
    c.resize((c.size() + 7) / 8 * 8, 0);
    return c;
}

TEST_F(PabFile, bookNoMachineCanHoldIsRefusedBeforeTheContainerChanges) {
    using test::faxRecord;
    using test::groupRecord;
    const Bytes one = faxRecord(1, "A", "1");
    const struct {
        const char *what;
        Bytes container;
    } cases[] = {
        {"speedDialZero", containerWith({faxRecord(0, "A", "1")}, {})},
        {"speedDialHundred", containerWith({faxRecord(100, "A", "1")}, {})},
        {"speedDialTwice", containerWith({faxRecord(5, "A", "1"), faxRecord(5, "B", "2")}, {})},
        {"groupZero", containerWith({one}, {groupRecord(0, "G", {1})})},
        {"groupSeven", containerWith({one}, {groupRecord(7, "G", {1})})},
        {"groupTwice", containerWith({one}, {groupRecord(2, "G", {1}), groupRecord(2, "H", {})})},
        {"memberNotASpeedDial", containerWith({one}, {groupRecord(1, "G", {1, 2})})},
        {"memberZero", containerWith({one}, {groupRecord(1, "G", {0})})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        write(test::backupFile(enciphered(c.container), 2), path());
        CAbifData data = occupied();
        EXPECT_EQ(abif::CPabFile::restore(path(), data), ABIF_E_FORMAT);
        EXPECT_EQ(data.array<CAbifEMailData>().count(), 1);
        ASSERT_EQ(data.array<CAbifFaxData>().count(), 1);
        EXPECT_EQ(data.array<CAbifFaxData>().at(0).id, 42);
    }

    // The first and last slots, and an empty group, are what a machine holds.
    write(test::backupFile(containerWith({faxRecord(99, "Z", "9"), one},
                                         {groupRecord(6, "G", {99, 1}), groupRecord(1, "E", {})}),
                           0),
          path());
    CAbifData data = occupied();
    ASSERT_EQ(abif::CPabFile::restore(path(), data), ABIF_OK);
    EXPECT_EQ(data.array<CAbifFaxData>().count(), 2);
    EXPECT_EQ(data.array<CAbifFaxGroupData>().count(), 2);
}

TEST_F(PabFile, fileCutAtAnyOffsetIsRefused) {
    for (size_t length = 0; length < good.size(); ++length) {
        write(Bytes(good.begin(), good.begin() + static_cast<ptrdiff_t>(length)), path());
        CAbifData data;
        ASSERT_EQ(abif::CPabFile::restore(path(), data), ABIF_E_FORMAT) << "cut at " << length;
    }
}

TEST_F(PabFile, failedBackupLeavesThePreviousFileIntact) {
    ASSERT_EQ(abif::CPabFile::backup(path(), fullBook()), ABIF_OK);
    const Bytes before = read(path());
    ASSERT_GT(before.size(), 1000u);

    // Files may grow to 100 bytes only: the new backup fails while it is written.
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int32_t result = abif::CPabFile::backup(path(), CAbifData{});
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result, EFBIG);
    EXPECT_EQ(read(path()), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"book.qbk"});
}

TEST_F(PabFile, fileFailuresReturnTheSystemErrorNumber) {
    CAbifData data = occupied();
    EXPECT_EQ(abif::CPabFile::restore(path("missing.qbk"), data), ENOENT);
    EXPECT_EQ(data.array<CAbifEMailData>().count(), 1);
    EXPECT_EQ(abif::CPabFile::backup(dir.filePath("no/such/folder.qbk"), data), ENOENT);
    EXPECT_EQ(abif::CPabFile::restore(dir.path(), data), EISDIR);
}

TEST_F(PabFile, exportsCheckTheHandleAndPathFirst) {
    const std::u16string file = path().toStdU16String();
    int notAContainer = 0;
    for (CAbifData *bad : {static_cast<CAbifData *>(nullptr), reinterpret_cast<CAbifData *>(&notAContainer)}) {
        EXPECT_EQ(Abif_PabBackup(file.c_str(), bad, 23), ABIF_E_HANDLE);
        EXPECT_EQ(Abif_PabRestore(file.c_str(), bad, 23), ABIF_E_HANDLE);
    }
    EXPECT_FALSE(QFile::exists(path()));
    CAbifData *handle = ABIFData_Create();
    EXPECT_EQ(Abif_PabBackup(nullptr, handle, 23), ABIF_E_NULL);
    EXPECT_EQ(Abif_PabRestore(nullptr, handle, 23), ABIF_E_NULL);
    ABIFData_Delete(handle);
}

TEST_F(PabFile, exportsRoundTripInSortedOrder) {
    const std::u16string file = path().toStdU16String();
    CAbifData *handle = ABIFData_Create();
    const CAbifFaxData faxes[] = {test::fax(3, u"C"), test::fax(1, u"A"), test::fax(2, u"B")};
    ASSERT_EQ(ABIFData_Add_Fax(handle, 3, faxes), ABIF_OK);
    ASSERT_EQ(Abif_PabBackup(file.c_str(), handle, 23), ABIF_OK);
    CAbifData *restored = ABIFData_Create();
    ASSERT_EQ(Abif_PabRestore(file.c_str(), restored, 23), ABIF_OK);
    ASSERT_EQ(ABIFData_GetCount_Fax(restored), 3);
    for (int i = 0; i < 3; ++i) {
        CAbifFaxData out{};
        ASSERT_EQ(ABIFData_GetAt_Fax(restored, i, &out), ABIF_OK);
        EXPECT_EQ(out.id, i + 1);
    }
    ABIFData_Delete(restored);
    ABIFData_Delete(handle);
}

}  // namespace
