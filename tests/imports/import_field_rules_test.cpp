// The value rules imported records must pass.
#include "import/import_field_rules.h"

#include <QString>

#include "model/qt_print.h"

#include <gtest/gtest.h>

namespace {

struct RuleCase {
    const char *text;
    bool accepted;
};

void PrintTo(const RuleCase &c, std::ostream *out) { *out << '"' << c.text << '"'; }

class EmailRule : public testing::TestWithParam<RuleCase> {};

TEST_P(EmailRule, judgesTheAddress) {
    EXPECT_EQ(abif::isEmailAddress(QString::fromUtf8(GetParam().text)), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Import, EmailRule,
                         testing::Values(RuleCase{"anna.lee@mail-1.example.com", true},
                                         RuleCase{"no.at.sign", true},
                                         RuleCase{"o'neil+x!#$%&*/=?^_`{|}~-@example", true},
                                         RuleCase{"", false},
                                         RuleCase{"a..b@example.com", false},
                                         RuleCase{".ab@example.com", false},
                                         RuleCase{"ab.@example.com", false},
                                         RuleCase{"a@b@example.com", false},
                                         RuleCase{"@example.com", false},
                                         RuleCase{"ab@", false},
                                         RuleCase{"ab@example..com", false},
                                         RuleCase{"ab@.example.com", false},
                                         RuleCase{"ab@example_com", false},
                                         RuleCase{"j\xc3\xbcrgen@example.com", false},
                                         RuleCase{"a b@example.com", false}));

class FaxNumberRule : public testing::TestWithParam<RuleCase> {};

TEST_P(FaxNumberRule, judgesTheCharacters) {
    EXPECT_EQ(abif::hasFaxNumberCharacters(QString::fromUtf8(GetParam().text)), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Import, FaxNumberRule,
                         testing::Values(RuleCase{"0123*#:=-9", true}, RuleCase{"555 1234", false},
                                         RuleCase{"+495551234", false}, RuleCase{"12a", false}));

TEST(NameRule, printableAsciiRunsFromSpaceToTilde) {
    EXPECT_TRUE(abif::isPrintableAscii(u" Anna ~Lee!"));
    EXPECT_FALSE(abif::isPrintableAscii(u"G\u00fcnther"));
    EXPECT_FALSE(abif::isPrintableAscii(u"tab\there"));
    EXPECT_FALSE(abif::isPrintableAscii(u"del\u007f"));
}

struct ControlCase {
    const char16_t *text;
    abif::LineBreaks lineBreaks;
    const char16_t *expected;
};

TEST(ControlCharacters, becomeSpacesAndLineBreaksStayOnlyWhereAsked) {
    using abif::LineBreaks;
    const ControlCase cases[] = {
        {u"Ann\u0003Lee\u0004", LineBreaks::Replace, u"Ann Lee "},
        {u"a\u001fb\u007fc\u0085d\u009f", LineBreaks::Replace, u"a b c d "},
        {u"tab\there", LineBreaks::Keep, u"tab here"},
        {u"one\r\ntwo\nthree\rfour", LineBreaks::Replace, u"one two three four"},
        {u"one\r\ntwo\nthree\rfour", LineBreaks::Keep, u"one\r\ntwo\nthree\rfour"},
        {u"Soci\u00e9t\u00e9 \u6771\u4eac \U0001F600", LineBreaks::Replace,
         u"Soci\u00e9t\u00e9 \u6771\u4eac \U0001F600"},
    };
    for (const ControlCase &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(abif::withoutControlCharacters(text, c.lineBreaks), QString::fromUtf16(c.expected))
            << text.toStdString();
    }
    EXPECT_EQ(abif::withoutControlCharacters(u"a"_qs + QChar(0) + u"b"_qs, LineBreaks::Keep), u"a b"_qs);
}

}  // namespace
