// Importing people and lists from vCard files into each destination kind.
#include "import/vcard_ctrl.h"

#include "import_fixtures.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using imports::recordsOf;
using imports::ScriptedPicker;
using imports::writeFile;

constexpr int32_t kFax = 4;
constexpr int32_t kEmail = 8;
constexpr int32_t kPcFax = 2;

QString u8(const char *text) { return QString::fromUtf8(text); }

QByteArray card(const QByteArray &version, const QByteArray &lines) {
    return "BEGIN:VCARD\r\nVERSION:" + version + "\r\n" + lines + "END:VCARD\r\n";
}

struct ImportCase {
    const char *name;
    QByteArray file;
    int32_t kind;
    std::optional<QStringList> picked;  // every entry when absent
    QStringList records;
    int32_t processed;
    int32_t notImported;
};

void PrintTo(const ImportCase &c, std::ostream *out) { *out << c.name; }

class ImportingVCards : public testing::TestWithParam<ImportCase> {
protected:
    QTemporaryDir dir_;
};

TEST_P(ImportingVCards, addsTheRecordsAndCounts) {
    const ImportCase &c = GetParam();
    const QString path = dir_.filePath(u"book.vcf"_qs);
    ASSERT_TRUE(imports::writeFile(path, c.file));
    ScriptedPicker picker(c.picked);
    CVCardCtrl source;
    CAbifData data;
    int32_t processed = -1, notImported = -1;
    ASSERT_EQ(source.Import(nullptr, path, c.kind, data, processed, notImported), ABIF_OK);
    EXPECT_EQ(recordsOf(data, c.kind), c.records);
    EXPECT_EQ(processed, c.processed);
    EXPECT_EQ(notImported, c.notImported);
}

const QByteArray kNestedGroups =
    card("4.0", "FN:Ann\r\nUID:urn:uuid:a\r\nTEL;TYPE=fax:111\r\n") +
    card("4.0", "FN:Ben\r\nUID:urn:uuid:b\r\nTEL;TYPE=fax:222\r\n") +
    card("4.0", "KIND:group\r\nFN:Outer\r\nUID:urn:uuid:g1\r\nMEMBER:urn:uuid:a\r\nMEMBER:urn:uuid:g2\r\n") +
    card("4.0", "KIND:group\r\nFN:Inner\r\nUID:urn:uuid:g2\r\nMEMBER:urn:uuid:b\r\nMEMBER:urn:uuid:g1\r\n");

INSTANTIATE_TEST_SUITE_P(
    VCard, ImportingVCards,
    testing::Values(
        ImportCase{"businessAndHomeFaxGiveTwoEntriesOfOneName",
                   card("3.0", "FN:Anna Lee\r\nTEL;TYPE=WORK,FAX:5551000\r\nTEL;TYPE=HOME,FAX:5552000\r\n"
                               "TEL;TYPE=WORK,VOICE:5553000\r\n"),
                   kFax, std::nullopt, {u"Anna Lee|5551000"_qs, u"Anna Lee|5552000"_qs}, 1, 0},
        ImportCase{"primaryFaxComesFirst",
                   card("2.1", "FN:Anna Lee\r\nTEL;HOME;FAX:3\r\nTEL;FAX:1\r\nTEL;WORK;FAX:2\r\n"), kFax,
                   std::nullopt, {u"Anna Lee|1"_qs, u"Anna Lee|2"_qs, u"Anna Lee|3"_qs}, 1, 0},
        ImportCase{"numberAfterTheLastAtSignIsTheOnlyOneKept",
                   card("2.1", "FN:Bob\r\nEMAIL;INTERNET:bob@x@5552000\r\nTEL;WORK;FAX:5551000\r\n"
                               "TEL;HOME;FAX:5552000\r\n"),
                   kFax, std::nullopt, {u"Bob|5552000"_qs}, 1, 0},
        ImportCase{"addressWithoutAFaxNumberKeepsEveryNumber",
                   card("3.0", "FN:Bob\r\nEMAIL:bob@example.com\r\nTEL;TYPE=work,fax:5551000\r\n"
                               "TEL;TYPE=home,fax:5552000\r\n"),
                   kFax, std::nullopt, {u"Bob|5551000"_qs, u"Bob|5552000"_qs}, 1, 0},
        ImportCase{"twoSmtpAddressesAndAnotherTypeGiveTwoEntriesDefaultOnce",
                   card("2.1", "FN:Cy\r\nEMAIL;INTERNET:cy@home.example\r\nEMAIL;X400:c=US;a=ATT;s=Cy\r\n"
                               "EMAIL;INTERNET;PREF:cy@work.example\r\n"),
                   kEmail, std::nullopt, {u"Cy|cy@home.example"_qs, u"Cy|cy@work.example"_qs}, 1, 0},
        ImportCase{"emailsOf40WithPrefParameter",
                   card("4.0", "FN:Di\r\nEMAIL;TYPE=work:di@work.example\r\nEMAIL;PREF=1:di@home.example\r\n"),
                   kEmail, std::nullopt, {u"Di|di@work.example"_qs, u"Di|di@home.example"_qs}, 1, 0},
        ImportCase{"invalidAddressDroppedSilently",
                   card("3.0", "FN:Ed\r\nEMAIL:ed..x@example.com\r\n"), kEmail, std::nullopt, {}, 1, 1},
        ImportCase{"groupHoldingAGroupExpandsToBoth", kNestedGroups, kFax, QStringList{u"Outer"_qs},
                   {u"Ann|111"_qs, u"Ben|222"_qs}, 2, 0},
        ImportCase{"groupsThatHoldEachOtherExpandOnce", kNestedGroups, kFax,
                   QStringList{u"Outer"_qs, u"Inner"_qs}, {u"Ann|111"_qs, u"Ben|222"_qs}, 2, 0},
        ImportCase{"groupMemberNotInTheBookIsProcessedNotImported",
                   card("4.0", "KIND:group\r\nFN:Team\r\nMEMBER:urn:uuid:missing\r\n"
                               "MEMBER:mailto:fay@example.com\r\n"),
                   kEmail, std::nullopt, {u"fay@example.com|fay@example.com"_qs}, 2, 1},
        ImportCase{"nameAboveAsciiGivesNoMachineFaxEntry",
                   card("3.0", "FN:G\xc3\xbcnther\r\nTEL;TYPE=fax:5551000\r\n"), kFax, std::nullopt, {}, 1, 1},
        ImportCase{"nameAboveAsciiGivesNoMachineEmailEntry",
                   card("3.0", "FN:G\xc3\xbcnther\r\nEMAIL:g@example.com\r\n"), kEmail, std::nullopt, {}, 1, 1},
        ImportCase{"nameAboveAsciiStillGivesAPcFaxMember",
                   card("3.0", "FN:G\xc3\xbcnther\r\nORG:Acme;Sales\r\nNOTE:met at the fair\r\n"
                               "TEL;TYPE=fax:5551000\r\n"),
                   kPcFax, std::nullopt, {u8("Günther|5551000|Acme|met at the fair")}, 1, 0},
        ImportCase{"quotedPrintableNameArrivesDecoded",
                   card("2.1", "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:G=C3=BCnther\r\nTEL;WORK;FAX:1\r\n"),
                   kPcFax, std::nullopt, {u8("Günther|1||")}, 1, 0},
        ImportCase{"windows1252CardKeepsItsAccents",
                   card("2.1", "FN:Fran\xe7ois\r\nORG:Soci\xe9t\xe9\r\nTEL;FAX:1\r\n"), kPcFax, std::nullopt,
                   {u8("François|1|Société|")}, 1, 0},
        ImportCase{"structuredNameIsPreferredToTheDisplayName",
                   card("3.0", "FN:A. Lee\r\nN:Lee;Anna;;Dr.;\r\nTEL;TYPE=fax:1\r\n"), kFax, std::nullopt,
                   {u"Dr. Anna Lee|1"_qs}, 1, 0},
        ImportCase{"personWithoutNameAddsNothing", card("3.0", "N:;;;;\r\nTEL;TYPE=fax:1\r\n"), kFax,
                   std::nullopt, {}, 1, 1},
        ImportCase{"faxNumberWithSpacesIsDropped", card("3.0", "FN:Hal\r\nTEL;TYPE=fax:555 1000\r\n"), kFax,
                   std::nullopt, {}, 1, 1},
        ImportCase{"uriFaxNumberOf40", card("4.0", "FN:Ivy\r\nTEL;VALUE=uri;TYPE=\"work,fax\":tel:5551000\r\n"),
                   kFax, std::nullopt, {u"Ivy|5551000"_qs}, 1, 0},
        ImportCase{"destinationOneIsMachineFax", card("3.0", "FN:Jo\r\nTEL;TYPE=fax:1\r\n"), 1, std::nullopt,
                   {u"Jo|1"_qs}, 1, 0},
        ImportCase{"longTextsAreCutToTheirFields",
                   card("3.0", "FN:" + QByteArray(40, 'n') + "\r\nORG:" + QByteArray(70, 'c') + "\r\nNOTE:" +
                                   QByteArray(300, 'o') + "\r\nTEL;TYPE=fax:" + QByteArray(50, '1') + "\r\n"),
                   kPcFax, std::nullopt,
                   {QStringList{QString(32, u'n'), QString(50, u'1'), QString(64, u'c'), QString(254, u'o')}
                        .join(u'|')},
                   1, 0},
        ImportCase{"controlCharactersBecomeSpaces",
                   card("3.0", "FN:Ann\x04Lee\r\nORG:Acme\x03Inc\r\nNOTE:call\x01" "first\r\nTEL;TYPE=fax:1\r\n"),
                   kPcFax, std::nullopt, {u"Ann Lee|1|Acme Inc|call first"_qs}, 1, 0},
        ImportCase{"overLongFaxNumberIsDroppedNotCut",
                   card("3.0", "FN:Al\r\nTEL;TYPE=fax:" + QByteArray(53, '1') + "\r\n"), kFax, std::nullopt, {}, 1, 1},
        ImportCase{"overLongPcFaxNumberIsDroppedNotCut",
                   card("3.0", "FN:Al\r\nTEL;TYPE=fax:" + QByteArray(51, '1') + "\r\n"), kPcFax, std::nullopt, {},
                   1, 1},
        ImportCase{"overLongAddressIsDroppedNotCut",
                   card("3.0", "FN:Al\r\nEMAIL:" + QByteArray(53, 'a') + "@example.com\r\n"), kEmail,
                   std::nullopt, {}, 1, 1},
        ImportCase{"groupPrefixedEmailOfAppleCards",
                   card("3.0", "FN:Kim\r\nitem1.EMAIL;type=INTERNET;type=pref:kim@example.com\r\n"
                               "item1.X-ABLabel:_$!<Other>!$_\r\n"),
                   kEmail, std::nullopt, {u"Kim|kim@example.com"_qs}, 1, 0}));

class VCardSource : public testing::Test {
protected:
    QString write(const QByteArray &bytes) {
        const QString path = dir_.filePath(u"book.vcf"_qs);
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    }

    QTemporaryDir dir_;
    CVCardCtrl source_;
    CAbifData data_;
    int32_t processed_ = -1;
    int32_t notImported_ = -1;
};

TEST_F(VCardSource, cancelledSelectionLeavesTheContainerAlone) {
    const QString path = write(card("3.0", "FN:Jo\r\nTEL;TYPE=fax:1\r\n"));
    ScriptedPicker picker(std::nullopt, ABIF_E_CANCEL);
    EXPECT_EQ(source_.Import(nullptr, path, kFax, data_, processed_, notImported_), ABIF_E_CANCEL);
    EXPECT_EQ(data_.array<CAbifFaxData>().count(), 0);
    EXPECT_EQ(picker.shown.size(), 1);
}

TEST_F(VCardSource, failingSelectionIsAGeneralFailure) {
    const QString path = write(card("3.0", "FN:Jo\r\nTEL;TYPE=fax:1\r\n"));
    ScriptedPicker picker(std::nullopt, ABIF_E_MEMORY);
    EXPECT_EQ(source_.Import(nullptr, path, kFax, data_, processed_, notImported_), ABIF_E_FAIL);
}

TEST_F(VCardSource, missingOrCardlessFileFailsBeforeAskingAnyone) {
    ScriptedPicker picker;
    EXPECT_EQ(source_.Import(nullptr, dir_.filePath(u"none.vcf"_qs), kFax, data_, processed_, notImported_),
              ABIF_E_FAIL);
    EXPECT_EQ(source_.Import(nullptr, write("name,fax\r\nJo,1\r\n"), kFax, data_, processed_, notImported_),
              ABIF_E_FAIL);
    EXPECT_EQ(source_.Import(nullptr, dir_.path(), kFax, data_, processed_, notImported_), ABIF_E_FAIL);
    EXPECT_TRUE(picker.shown.isEmpty());
}

TEST_F(VCardSource, fullContainerEndsTheRunKeepingWhatFitted) {
    const QString path = write(card("3.0", "FN:Jo\r\nTEL;TYPE=work,fax:1\r\nTEL;TYPE=home,fax:2\r\n") +
                               card("3.0", "FN:Lu\r\nTEL;TYPE=fax:3\r\n"));
    data_.array<CAbifFaxData>().setLimit(1);
    ScriptedPicker picker;
    EXPECT_EQ(source_.Import(nullptr, path, kFax, data_, processed_, notImported_), ABIF_E_LIMIT);
    EXPECT_EQ(recordsOf(data_, kFax), QStringList{u"Jo|1"_qs});
    EXPECT_EQ(processed_, 1);
}

TEST_F(VCardSource, recordsGetConsecutiveIdsAfterThoseHeld) {
    CAbifMyFaxData held{};
    data_.array<CAbifMyFaxData>().append(std::span(&held, 1));
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    ScriptedPicker picker;
    ASSERT_EQ(source_.Import(nullptr, write(card("3.0", "FN:Jo\r\nTEL;TYPE=work,fax:1\r\nTEL;TYPE=home,fax:2\r\n")),
                             kPcFax, data_, processed_, notImported_),
              ABIF_OK);
    const auto records = data_.array<CAbifMyFaxData>().records();
    ASSERT_EQ(records.size(), 3u);
    // Packed fields are copied out before they are compared.
    const int second = records[1].id, third = records[2].id, mode = records[2].commMode;
    const qint64 updatedOn = records[2].updatedOn;
    EXPECT_EQ(second, 2);
    EXPECT_EQ(third, 3);
    EXPECT_EQ(mode, 0);
    EXPECT_GE(updatedOn, before);
}

TEST_F(VCardSource, deeplyNestedListsDoNotExhaustTheCallStack) {
    // Each list holds the next; the last one holds the only person.
    constexpr int kDepth = 30000;
    QByteArray file = card("4.0", "FN:Deep\r\nUID:p\r\nTEL;TYPE=fax:1\r\n");
    for (int i = 0; i < kDepth; ++i) {
        const QByteArray member = i + 1 < kDepth ? "g" + QByteArray::number(i + 1) : QByteArray("p");
        file += card("4.0", "KIND:group\r\nFN:g" + QByteArray::number(i) + "\r\nUID:g" + QByteArray::number(i) +
                                "\r\nMEMBER:" + member + "\r\n");
    }
    ScriptedPicker picker(QStringList{u"g0"_qs});
    ASSERT_EQ(source_.Import(nullptr, write(file), kFax, data_, processed_, notImported_), ABIF_OK);
    EXPECT_EQ(recordsOf(data_, kFax), QStringList{u"Deep|1"_qs});
}

TEST_F(VCardSource, defaultBookIsEveryCardOfThePersonalContactsFolder) {
    qputenv("XDG_DATA_HOME", dir_.path().toUtf8());
    ScriptedPicker picker;
    EXPECT_EQ(source_.Import(nullptr, QString(), kFax, data_, processed_, notImported_), ABIF_OK)
        << "a user without contacts has an empty book";
    EXPECT_TRUE(picker.shown.isEmpty());

    ASSERT_TRUE(QDir(dir_.path()).mkpath(u"contacts"_qs));
    ASSERT_TRUE(writeFile(dir_.filePath(u"contacts/b.vcf"_qs), card("4.0", "FN:Bea\r\nTEL;TYPE=fax:2\r\n")));
    ASSERT_TRUE(writeFile(dir_.filePath(u"contacts/a.vcf"_qs), card("4.0", "FN:Al\r\nTEL;TYPE=fax:1\r\n")));
    ASSERT_TRUE(writeFile(dir_.filePath(u"contacts/notes.txt"_qs), card("4.0", "FN:Cy\r\nTEL;TYPE=fax:3\r\n")));
    EXPECT_EQ(CVCardCtrl::defaultFolder(), dir_.filePath(u"contacts"_qs));
    EXPECT_EQ(source_.Import(nullptr, QString(), kFax, data_, processed_, notImported_), ABIF_OK);
    EXPECT_EQ(recordsOf(data_, kFax), (QStringList{u"Al|1"_qs, u"Bea|2"_qs}));
    qunsetenv("XDG_DATA_HOME");
}

}  // namespace
