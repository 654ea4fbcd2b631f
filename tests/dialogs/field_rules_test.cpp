// The field rules of the entry dialogs and the texts that report a broken
// rule, without widgets.
#include "dialogs/field_rules.h"
#include "model/adr_member.h"
#include "text/editor_text.h"

#include <gtest/gtest.h>

namespace {

struct CharCase {
    const char16_t *text;
    const char16_t *extra;
    CharClass charClass;
    bool passes;
};

TEST(FieldRulesTest, charactersMustBelongToTheirClassOrTheExtraCharacters) {
    const CharCase cases[] = {
        {u"", u"", CharPrintable, true},
        {u" Abc 123 ~!", u"", CharPrintable, true},
        {u"tab\there", u"", CharPrintable, false},
        {u"Caf\u00e9", u"", CharPrintable, false},
        {u"del\u007f", u"", CharPrintable, false},
        {u"line\nfeed", u"", CharPrintable, false},
        {u"line\nfeed", u"", CharPrintableLf, true},
        {u"carriage\rreturn", u"", CharPrintableLf, false},
        {u"AbZz", u"", CharLetters, true},
        {u"Ab1", u"", CharLetters, false},
        {u"0123456789", u"", CharDigits, true},
        {u"12a", u"", CharDigits, false},
        {u"03-1234*#:=", u"*#:=-", CharDigits, true},
        {u"03 1234", u"*#:=-", CharDigits, false},
        {u"\u0661\u0662", u"", CharDigits, false},  // digits of another script
        {u"a1Z9", u"", CharLettersDigits, true},
        {u"a_1", u"", CharLettersDigits, false},
        {u"host-1.example:8", u".-:", CharLettersDigits, true},
        {u"dir\\sub name \u00e9", u"", CharFileNameSafe, true},
        {u"a\"b", u"", CharFileNameSafe, false},
        {u"a*b", u"", CharFileNameSafe, false},
        {u"a/b", u"", CharFileNameSafe, false},
        {u"a:b", u"", CharFileNameSafe, false},
        {u"a<b", u"", CharFileNameSafe, false},
        {u"a>b", u"", CharFileNameSafe, false},
        {u"a?b", u"", CharFileNameSafe, false},
        {u"a|b", u"", CharFileNameSafe, false},
        {u"Soci\u00e9t\u00e9 \u6771\u4eac \U0001F600 ~", u"", CharNoControl, true},
        {u"a\u0003b", u"", CharNoControl, false},
        {u"a\u0004b", u"", CharNoControl, false},
        {u"tab\there", u"", CharNoControl, false},
        {u"del\u007f", u"", CharNoControl, false},
        {u"next\u0085line", u"", CharNoControl, false},
        {u"line\r\nfeed", u"", CharNoControl, false},
        {u"line\r\nfeed", u"\r\n", CharNoControl, true},
    };
    for (const CharCase &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(CheckCharacters(text, QString::fromUtf16(c.extra), c.charClass), c.passes)
            << "class " << c.charClass << ": " << text.toStdString();
    }
}

TEST(FieldRulesTest, textsAreCutToTheirLengthNeverInsideASurrogatePair) {
    const QString pair = u"\U0001F600"_qs;
    EXPECT_EQ(CutToLength(u"abc"_qs, 3), u"abc"_qs);
    EXPECT_EQ(CutToLength(u"abcd"_qs, 3), u"abc"_qs);
    EXPECT_EQ(CutToLength(u"ab"_qs + pair, 3), u"ab"_qs) << "the pair does not fit whole";
    EXPECT_EQ(CutToLength(u"a"_qs + pair + u"b"_qs, 3), u"a"_qs + pair);
}

TEST(FieldRulesTest, emailAddresses) {
    const struct {
        const char *address;
        bool passes;
    } cases[] = {
        {"letters", true},
        {"first.last+tag@example.com", true},
        {"o'neil!#$%&*/=?^_`{|}~@host", true},
        {"someone@-example.com", true},
        {"a@b-c.d-e", true},
        {"", false},
        {"ending@", false},
        {"@starting", false},
        {"two@at@signs", false},
        {"two..dots@example.com", false},
        {".lead@example.com", false},
        {"trail.@example.com", false},
        {"someone@example..com", false},
        {"someone@.example.com", false},
        {"someone@example.com.", false},
        {"some one@example.com", false},
        {"someone@exa_mple.com", false},
        {"someone@exa+mple.com", false},
        {"caf\xc3\xa9@example.com", false},
    };
    for (const auto &c : cases) EXPECT_EQ(CheckEmailAddress(QString::fromUtf8(c.address)), c.passes) << c.address;
}

TEST(FieldRulesTest, portsDependOnTheServerType) {
    constexpr quint16 smb = CAdrMemberAioServer::kTypeSmb;
    constexpr quint16 ftp = CAdrMemberAioServer::kTypeFtp;
    const struct {
        int port;
        quint16 type;
        bool passes;
    } cases[] = {
        {139, smb, true},  {445, smb, true},   {446, smb, false},  {21, smb, false},   {4999, smb, false},
        {5000, smb, true}, {65535, smb, true}, {65536, smb, false}, {0, smb, false},   {21, ftp, true},
        {139, ftp, false}, {445, ftp, false},  {22, ftp, false},   {5000, ftp, true},  {65535, ftp, true},
        {65536, ftp, false}, {99999, ftp, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CheckPortNumber(c.port, c.type), c.passes) << "port " << c.port << " type " << c.type;
    EXPECT_EQ(PortRuleTextId(smb), lqa::ids::MsgPortRuleSmb);
    EXPECT_EQ(PortRuleTextId(ftp), lqa::ids::MsgPortRuleFtp);
    // The default of each type passes its own rule.
    EXPECT_TRUE(CheckPortNumber(DefaultPortNumber(smb), smb));
    EXPECT_TRUE(CheckPortNumber(DefaultPortNumber(ftp), ftp));
}

TEST(FieldRulesTest, titlesFillTheNumberAndTheName) {
    const struct {
        const char *format;
        int id;
        const char *name;
        const char *title;
    } cases[] = {
        {"Speed Dial - %03d : %s", 5, "Ann", "Speed Dial - 005 : Ann"},
        {"Speed Dial - %03d : %s", 100, "", "Speed Dial - 100 : "},
        {"Email Group - %02d : %s", 7, "Team", "Email Group - 07 : Team"},
        {"PC Fax Speed Dial - %s", 0, "Bob", "PC Fax Speed Dial - Bob"},
        {"%d%% done", 12, "", "12% done"},
        {"Speed Dial - %03d : %s", 5, "50%d %s", "Speed Dial - 005 : 50%d %s"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatTitle(QString::fromUtf8(c.format), c.id, QString::fromUtf8(c.name)), QString::fromUtf8(c.title))
            << c.format;
}

TEST(FieldRulesTest, messagesNameTheFieldAndTheRule) {
    EXPECT_EQ(FillInText({QStringLiteral("Name"), QStringLiteral("Fax Number")}),
              QStringLiteral("Fill in\n\nName\nFax Number"));
    EXPECT_EQ(RangeErrorText(99),
              QStringLiteral("The value of ID is invalid.\nSpecify the number within the range from 1 to 99."));
    EXPECT_EQ(CharacterErrorText(lqa::ids::FieldName, lqa::ids::RulePrintable),
              QStringLiteral("Invalid characters in Name.\n"
                             "You can only use alphanumeric(a-z A-Z 0-9) characters and symbols."));
    // The rule's percent sign shows once.
    EXPECT_TRUE(CharacterErrorText(lqa::ids::FieldEmailAddress, lqa::ids::RuleEmail)
                    .endsWith(QStringLiteral("symbols(@ . ! # $ % & ' * + - / = ? ^ _ ` { | } ~).")));
    EXPECT_EQ(LengthLimitText(32), QStringLiteral("Please enter no more than 32 characters."));
}

TEST(FieldRulesTest, shareNamesAreCountedInBytes) {
    EXPECT_FALSE(ExceedsBytes(QString(32, u'a'), 32));
    EXPECT_TRUE(ExceedsBytes(QString(33, u'a'), 32));
    EXPECT_TRUE(ExceedsBytes(QString(11, QChar(0x6587)), 32));  // three bytes each
}

}  // namespace
