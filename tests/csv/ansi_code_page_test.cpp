// How text in the user's charset is told apart from Windows-1252, and what
// becomes of characters a charset cannot hold.
#include "core/ansi_code_page.h"

#include <gtest/gtest.h>

namespace {

using abif::AnsiCodePage;
using abif::AnsiDecoder;

TEST(AnsiCodePage, localeCharsetsQtCannotUseOrThatMeanAsciiAreReadAsUtf8) {
    const struct {
        const char *locale;
        const char *used;
    } cases[] = {
        {"UTF-8", "UTF-8"},           {"ANSI_X3.4-1968", "UTF-8"}, {"", "UTF-8"},
        {"no-such-charset", "UTF-8"}, {"ISO-8859-15", "ISO-8859-15"},
    };
    for (const auto &c : cases) EXPECT_EQ(AnsiCodePage(c.locale).charset(), c.used) << c.locale;
}

TEST(AnsiCodePage, unrepresentableCharactersBecomeTheCharsetsReplacement) {
    const QString text = QString::fromUtf8("a\u20ACb\u0416c") + QChar(0xD800) + u'd';
    EXPECT_EQ(AnsiCodePage("ISO-8859-15").encode(text), QByteArray("a\xA4" "b?c?d"));
    EXPECT_EQ(AnsiCodePage("UTF-8").encode(text), QByteArray("a\xE2\x82\xAC" "b\xD0\x96" "c\xEF\xBF\xBD" "d"));
}

TEST(AnsiDecoder, readsUtf8UntilAPieceIsNotUtf8AndWindows1252FromThenOn) {
    const AnsiCodePage utf8("UTF-8");
    AnsiDecoder decoder(utf8);
    EXPECT_EQ(decoder.decode("caf\xC3\xA9"), QString::fromUtf8("caf\u00E9"));
    EXPECT_FALSE(decoder.readsWindows1252());
    EXPECT_EQ(decoder.decode("\xE9t\xE9 \x80 \x93x\x94"), QString::fromUtf8("\u00E9t\u00E9 \u20AC \u201Cx\u201D"));
    EXPECT_TRUE(decoder.readsWindows1252());
    // The same file, so the same charset, even where the bytes happen to be UTF-8.
    EXPECT_EQ(decoder.decode("\xC3\xA9"), QString::fromUtf8("\u00C3\u00A9"));
}

TEST(AnsiDecoder, windows1252GivesEveryByteACharacter) {
    AnsiDecoder decoder(AnsiCodePage("UTF-8"));
    QByteArray all;
    for (int b = 255; b >= 0; --b) all += static_cast<char>(b);
    const QString text = decoder.decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
    EXPECT_EQ(text[255 - 0x81], QChar(0x81));  // unassigned bytes keep their value
}

TEST(AnsiDecoder, aSingleByteLocaleCharsetIsNeverLeft) {
    AnsiDecoder decoder(AnsiCodePage("ISO-8859-15"));
    EXPECT_EQ(decoder.decode("\xA4\x80"), QString::fromUtf8("\u20AC\u0080"));
    EXPECT_FALSE(decoder.readsWindows1252());
}

}  // namespace
