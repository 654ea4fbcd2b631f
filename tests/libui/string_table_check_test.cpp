// The build-time check of the translators' files: every slip must stop the
// build with a line that names the file and the number.
#include "string_source.h"

#include <gtest/gtest.h>

namespace {

using namespace abif::tablegen;

const QByteArray kCatalogue = "# comment\n1\tFirst\tnote\n2\tSecond\n\n5\tPercent\n";

struct Checked {
    QStringList errors;
    std::vector<LanguageFile> languages;
};

// English is always the first file; `other` is checked against it.
Checked check(const QByteArray &other, const QString &otherName = QStringLiteral("ja_1041.txt")) {
    Checked result;
    const auto catalogue = parseCatalogue(kCatalogue, QStringLiteral("catalogue.txt"), result.errors);
    result.languages.push_back(parseLanguageFile("1\tOne\n2\tTwo\\nlines\n5\t%d%% of %s\n",
                                                 QStringLiteral("en_1033.txt"), result.errors));
    result.languages.push_back(parseLanguageFile(other, otherName, result.errors));
    checkLanguages(catalogue, result.languages, result.errors);
    return result;
}

TEST(StringTableCheck, acceptsACompleteTranslation) {
    const Checked result = check("# Japanese\r\n2\t二\\t\\\\\r\n1\t一\r\n5\t%d%% (%s)\r\n");
    EXPECT_TRUE(result.errors.isEmpty()) << result.errors.join(u'\n').toStdString();
    ASSERT_EQ(result.languages.size(), 2u);
    EXPECT_EQ(result.languages[1].language, 1041);
    EXPECT_EQ(result.languages[1].texts.at(2), QStringLiteral("二\t\\"));
    EXPECT_EQ(result.languages[0].texts.at(2), QStringLiteral("Two\nlines"));
}

TEST(StringTableCheck, aZeroPaddedNumberCountsAsANumberField) {
    EXPECT_TRUE(check("1\ta\n2\tb\n5\t%03d%% (%s)\n").errors.isEmpty());
    EXPECT_TRUE(check("1\ta\n2\tb\n5\t%03s (%s)\n").errors.join(u'\n').contains(u"5 uses a format other than"));
    EXPECT_TRUE(check("1\ta\n2\tb\n5\t%s %03d\n").errors.join(u'\n').contains(u"must have the fields \"ds\""));
}

TEST(StringTableCheck, refusesEveryKindOfSlip) {
    const QByteArray tooLong = "1\t" + QByteArray(kMaxTextLength + 1, 'x') + "\n2\tb\n5\t%d%s\n";
    const struct {
        const char *what;
        QByteArray content;
        const char *message;
    } cases[] = {
        {"missing number", "1\ta\n5\t%d%s\n", "missing 2 (Second)"},
        {"extra number", "1\ta\n2\tb\n3\tc\n5\t%d%s\n", "3 is not in the catalogue"},
        {"number twice", "1\ta\n1\tb\n2\tb\n5\t%d%s\n", "number 1 given twice"},
        {"no tab", "1 a\n2\tb\n5\t%d%s\n", "expected: number, tab, text"},
        {"unknown escape", "1\ta\\q\n2\tb\n5\t%d%s\n", "unknown escape"},
        {"empty text", "1\t\n2\tb\n5\t%d%s\n", "empty text"},
        {"too long", tooLong, "longer than 1023"},
        {"fields dropped", "1\ta\n2\tb\n5\t%d\n", "must have the fields \"ds\""},
        {"fields swapped", "1\ta\n2\tb\n5\t%s %d\n", "must have the fields \"ds\""},
        {"unsupported format", "1\t%x\n2\tb\n5\t%d%s\n", "1 uses a format other than"},
        {"numbered field added", "1\ta %1\n2\tb\n5\t%d%s\n", "has \"1\""},
        {"not UTF-8", "1\ta\xff\n2\tb\n5\t%d%s\n", "not valid UTF-8"},
    };
    for (const auto &c : cases) {
        const Checked result = check(c.content);
        EXPECT_TRUE(result.errors.join(u'\n').contains(QString::fromUtf8(c.message)))
            << c.what << " wants " << c.message << ": " << result.errors.join(u'\n').toStdString();
    }
}

TEST(StringTableCheck, aTextOfExactlyTheLimitPasses) {
    const Checked result = check("1\t" + QByteArray(kMaxTextLength, 'x') + "\n2\tb\n5\t%d%s\n");
    EXPECT_TRUE(result.errors.isEmpty()) << result.errors.join(u'\n').toStdString();
}

TEST(StringTableCheck, fileNameMustCarryTheLanguage) {
    const Checked result = check("1\ta\n2\tb\n5\t%d%s\n", QStringLiteral("japanese.txt"));
    EXPECT_TRUE(result.errors.join(u'\n').contains(QStringLiteral("japanese.txt: the file name must end")));
}

TEST(StringTableCheck, catalogueRefusesDuplicatesAndBadNames) {
    QStringList errors;
    const auto entries =
        parseCatalogue("1\tFirst\n1\tOther\n2\tFirst\n3\tlowercase\n", QStringLiteral("catalogue.txt"), errors);
    EXPECT_EQ(entries.size(), 1u);
    ASSERT_EQ(errors.size(), 3);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("catalogue.txt:2: number 1 listed twice")));
    EXPECT_TRUE(errors[1].contains(QStringLiteral("catalogue.txt:3: name First listed twice")));
    EXPECT_TRUE(errors[2].contains(QStringLiteral("catalogue.txt:4: expected")));
}

TEST(StringTableCheck, generatedSourceKeepsCharactersOutsideTheBasicPlane) {
    LanguageFile file;
    file.language = 1033;
    file.texts = {{2, QStringLiteral("b\"\\")}, {1, QString::fromUtf8("a\xF0\x9F\x98\x80")}};
    const QByteArray source = generateSource({file}, Target{});
    // Sorted by number, quotes escaped, the emoji as its two UTF-16 units.
    EXPECT_TRUE(source.contains("{1, u\"a\\xd83d\" u\"\\xde00\" u\"\"},\n    {2, u\"b\\\"\\\\\"}"))
        << source.toStdString();
}

TEST(StringTableCheck, generatedCodeGoesIntoTheGivenNamespace) {
    const Target program{"lqa", "text/text_tables.h"};
    EXPECT_TRUE(generateHeader({{7, QStringLiteral("Title")}}, program).contains("namespace lqa::ids {\n\nenum StringId : int {\n    Title = 7,"));
    const QByteArray source = generateSource({}, program);
    EXPECT_TRUE(source.contains("#include \"text/text_tables.h\"\n\nnamespace lqa {")) << source.toStdString();
}

}  // namespace
