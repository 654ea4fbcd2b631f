// The vCard reader over the forms address programs really write.
#include "import/vcard_reader.h"

#include "model/qt_print.h"

#include <gtest/gtest.h>

namespace {

using abif::readVCards;
using abif::VCard;

QString u8(const char *text) { return QString::fromUtf8(text); }

// The unescaped text of the first `name` property of the only card.
QString valueOf(const QByteArray &bytes, const char *name) {
    const QList<VCard> cards = readVCards(bytes);
    if (cards.size() != 1) return u"<cards: "_qs + QString::number(cards.size()) + u'>';
    const auto *property = cards[0].first(name);
    return property ? property->text() : u"<missing>"_qs;
}

struct ValueCase {
    const char *name;
    QByteArray bytes;
    const char *property;
    QString expected;
};

void PrintTo(const ValueCase &c, std::ostream *out) { *out << c.name; }

class ReadingValues : public testing::TestWithParam<ValueCase> {};

TEST_P(ReadingValues, decodesTheValue) {
    EXPECT_EQ(valueOf(GetParam().bytes, GetParam().property), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    VCard, ReadingValues,
    testing::Values(
        ValueCase{"foldedLineLosesTheBreakAndOneSpace",
                  "BEGIN:VCARD\r\nVERSION:3.0\r\nNOTE:first part\r\n  and second\r\n\tthird\r\nEND:VCARD\r\n", "NOTE",
                  u"first part and secondthird"_qs},
        ValueCase{"quotedPrintableUtf8",
                  "BEGIN:VCARD\r\nVERSION:2.1\r\nFN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:G=C3=BCnther\r\nEND:VCARD\r\n",
                  "FN", u8("Günther")},
        ValueCase{"quotedPrintableSoftLineBreakJoinsUnindentedLine",
                  "BEGIN:VCARD\r\nVERSION:2.1\r\nNOTE;QUOTED-PRINTABLE:line one=0D=0A=\r\nline two=\r\n end\r\nEND:VCARD\r\n",
                  "NOTE", u"line one\r\nline two end"_qs},
        ValueCase{"quotedPrintableWindows1252Charset",
                  "BEGIN:VCARD\r\nVERSION:2.1\r\nFN;CHARSET=Windows-1252;QUOTED-PRINTABLE:Ren=E9e\r\nEND:VCARD\r\n", "FN",
                  u8("Renée")},
        ValueCase{"windows1252BytesWithoutCharsetKeepAccents",
                  "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Fran\xe7ois M\xfcller\r\nEND:VCARD\r\n", "FN", u8("François Müller")},
        ValueCase{"lineFeedOnlyEndings", "BEGIN:VCARD\nVERSION:4.0\nFN:Ann\n Lee\nEND:VCARD\n", "FN", u"AnnLee"_qs},
        ValueCase{"carriageReturnOnlyEndings", "BEGIN:VCARD\rVERSION:3.0\rFN:Bo\rEND:VCARD\r", "FN", u"Bo"_qs},
        ValueCase{"escapesResolved", "BEGIN:VCARD\r\nVERSION:3.0\r\nNOTE:a\\, b\\; c\\nd\\\\e\r\nEND:VCARD\r\n", "NOTE",
                  u"a, b; c\nd\\e"_qs},
        ValueCase{"quotedParameterMayHoldColonAndSemicolon",
                  "BEGIN:VCARD\r\nVERSION:4.0\r\nNOTE;ALTID=\"x:y;z\":text\r\nEND:VCARD\r\n", "NOTE", u"text"_qs},
        ValueCase{"base64TextValueDecoded",
                  "BEGIN:VCARD\r\nVERSION:3.0\r\nNOTE;ENCODING=b:SGVsbG8=\r\nEND:VCARD\r\n", "NOTE", u"Hello"_qs},
        ValueCase{"base64PhotoOf21RunsToBlankLineAndIsSkipped",
                  "BEGIN:VCARD\r\nVERSION:2.1\r\nPHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/4AAQSkZJRgABAQEASABIAAD\r\n"
                  "AAQSkZJRgABAQEASABIAAD/9j/4\r\n\r\nFN:After Photo\r\nEND:VCARD\r\n",
                  "FN", u"After Photo"_qs},
        ValueCase{"embeddedAgentCardSkipped",
                  "BEGIN:VCARD\r\nVERSION:2.1\r\nAGENT:\r\nBEGIN:VCARD\r\nFN:Agent\r\nEND:VCARD\r\nFN:Owner\r\n"
                  "END:VCARD\r\n",
                  "FN", u"Owner"_qs}));

TEST(VCardReader, readsEveryCardAndKeepsOneCutOffAtTheEnd) {
    const QList<VCard> cards = readVCards("junk before\r\nBEGIN:VCARD\r\nFN:One\r\nEND:VCARD\r\n"
                                          "BEGIN:VCARD\r\nFN:Two\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Three\r\n");
    ASSERT_EQ(cards.size(), 3);
    EXPECT_EQ(cards[2].first("FN")->text(), u"Three"_qs);
}

TEST(VCardReader, textWithoutCardGivesNone) {
    EXPECT_TRUE(readVCards("FN:Nobody\r\n").isEmpty());
    EXPECT_TRUE(readVCards("").isEmpty());
}

struct TypeCase {
    const char *name;
    QByteArray line;
    QStringList types;
};

void PrintTo(const TypeCase &c, std::ostream *out) { *out << c.name; }

class ReadingTypes : public testing::TestWithParam<TypeCase> {};

TEST_P(ReadingTypes, givesTheTypesInUpperCase) {
    const QList<VCard> cards = readVCards("BEGIN:VCARD\r\n" + GetParam().line + "\r\nEND:VCARD\r\n");
    ASSERT_EQ(cards.size(), 1);
    ASSERT_FALSE(cards[0].properties.isEmpty());
    EXPECT_EQ(cards[0].properties[0].types(), GetParam().types);
}

INSTANTIATE_TEST_SUITE_P(
    VCard, ReadingTypes,
    testing::Values(TypeCase{"bareParametersOf21", "TEL;WORK;FAX:1", {u"WORK"_qs, u"FAX"_qs}},
                    TypeCase{"commaListOf30", "TEL;TYPE=work,fax:1", {u"WORK"_qs, u"FAX"_qs}},
                    TypeCase{"repeatedTypeParameters", "TEL;TYPE=home;TYPE=fax:1", {u"HOME"_qs, u"FAX"_qs}},
                    TypeCase{"quotedListOf40", "TEL;TYPE=\"home,fax\";VALUE=uri:tel:1", {u"HOME"_qs, u"FAX"_qs}},
                    TypeCase{"encodingIsNoType", "NOTE;QUOTED-PRINTABLE;HOME:x", {u"HOME"_qs}}));

TEST(VCardReader, groupPrefixIsSplitFromTheName) {
    const QList<VCard> cards = readVCards("BEGIN:VCARD\r\nitem1.EMAIL;type=INTERNET:a@b.c\r\nitem1.X-ABLabel:x\r\nEND:VCARD\r\n");
    ASSERT_EQ(cards.size(), 1);
    const auto *email = cards[0].first("EMAIL");
    ASSERT_NE(email, nullptr);
    EXPECT_EQ(email->group, "item1");
    EXPECT_EQ(email->text(), u"a@b.c"_qs);
}

TEST(VCardReader, structuredValueSplitsAtUnescapedSemicolons) {
    const QList<VCard> cards = readVCards("BEGIN:VCARD\r\nN:M\\;ller;Anna;;Dr.;\r\nEND:VCARD\r\n");
    ASSERT_EQ(cards.size(), 1);
    EXPECT_EQ(cards[0].first("N")->components(),
              (QStringList{u"M;ller"_qs, u"Anna"_qs, QString(), u"Dr."_qs, QString()}));
}

}  // namespace
