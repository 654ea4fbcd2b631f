// Which language's texts the library shows, and loading them by number.
#include "l10n/library_strings.h"
#include "l10n/string_tables.h"
#include "core/library_module.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace {

bool isLibraryLanguage(int32_t language) {
    return std::find(std::begin(abif::kLibraryLanguages), std::end(abif::kLibraryLanguages), language)
           != std::end(abif::kLibraryLanguages);
}

struct LanguageCase {
    int32_t requested;
    int32_t expected;
};

class ResourceLanguage : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(ResourceLanguage, picksExactThenPrimaryWithDefaultSublanguage) {
    EXPECT_EQ(abif::resourceLanguage(GetParam().requested), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ResourceLanguage,
                         ::testing::Values(LanguageCase{1033, 1033}, LanguageCase{1041, 1041},
                                           LanguageCase{1042, 1042}, LanguageCase{1028, 1028},
                                           LanguageCase{2052, 2052}, LanguageCase{1054, 1054},
                                           LanguageCase{1066, 1066},
                                           // Chinese, Hong Kong SAR and Singapore: the default
                                           // Chinese sub-language is Traditional.
                                           LanguageCase{3076, 1028}, LanguageCase{4100, 1028},
                                           // English (United Kingdom)
                                           LanguageCase{2057, 1033}));

TEST(ResourceLanguageFallback, unknownLanguagesGetOneOfTheSevenAndAllTheSameOne) {
    const int32_t fallback = abif::resourceLanguage(2058);
    EXPECT_TRUE(isLibraryLanguage(fallback)) << fallback;
    for (int32_t language : {1034 /* Spanish */, 1037 /* Hebrew */, 1025 /* Arabic */, 0, -1, 0x7FFFFFFF})
        EXPECT_EQ(abif::resourceLanguage(language), fallback) << language;
}

TEST(LanguageOfLocale, mapsTheDesktopLocaleOntoTheLibraryLanguages) {
    const struct {
        const char *locale;
        int32_t language;
    } cases[] = {{"en_GB", 1033}, {"ja_JP", 1041}, {"ko_KR", 1042}, {"zh_TW", 1028}, {"zh_HK", 1028},
                 {"zh_CN", 2052}, {"zh_SG", 2052}, {"th_TH", 1054}, {"vi_VN", 1066}, {"es_MX", 0},
                 {"he_IL", 0}};
    for (const auto &c : cases)
        EXPECT_EQ(abif::languageOfLocale(QLocale(QString::fromLatin1(c.locale))), c.language) << c.locale;
}

TEST(LoadString, findsEveryGeneratedTextInEveryLanguage) {
    ASSERT_EQ(abif::stringTables().size(), std::size(abif::kLibraryLanguages));
    for (const abif::StringTable &table : abif::stringTables()) {
        ASSERT_TRUE(isLibraryLanguage(table.language)) << table.language;
        for (const abif::StringEntry &entry : table.entries)
            EXPECT_EQ(abif::loadString(entry.id, table.language), QString::fromUtf16(entry.text))
                << table.language << " " << entry.id;
    }
}

TEST(LoadString, knownTextsAndUnknownNumbers) {
    EXPECT_EQ(abif::loadString(abif::ids::Warning, 1033), QStringLiteral("Warning"));
    EXPECT_EQ(abif::loadString(abif::ids::Reading, 3076), QStringLiteral("正在讀取..."));
    EXPECT_EQ(abif::loadString(abif::ids::Reading, 2052), QStringLiteral("正在读取..."));
    EXPECT_EQ(abif::loadString(abif::ids::AdministratorPasswordPrompt, 1033),
              QStringLiteral("System Administrator Password has been set in the machine.\nEnter the password."));
    for (int unknown : {0, 10, 99999, -5}) EXPECT_TRUE(abif::loadString(unknown, 1033).isEmpty()) << unknown;
}

TEST(LoadString, followsTheLanguageOfTheCallingThread) {
    QString onJapaneseThread;
    QString onKoreanThread;
    std::thread japanese([&] {
        abif::setThreadLanguage(1041);
        onJapaneseThread = abif::loadString(abif::ids::Canceling);
    });
    std::thread korean([&] {
        abif::setThreadLanguage(1042);
        onKoreanThread = abif::loadString(abif::ids::Canceling);
    });
    japanese.join();
    korean.join();
    EXPECT_EQ(onJapaneseThread, QStringLiteral("キャンセルしています..."));
    EXPECT_EQ(onKoreanThread, QStringLiteral("취소하는 중..."));
}

TEST(FormatText, fillsFieldsInOrder) {
    const struct {
        const char *format;
        QStringList fields;
        const char *expected;
    } cases[] = {
        {"%d%%", {"63"}, "63%"},
        {"Estimated time to complete: %d seconds", {"5"}, "Estimated time to complete: 5 seconds"},
        {"%s has %d", {"A", "2"}, "A has 2"},
        {"100%% sure", {}, "100% sure"},
        {"missing %d", {}, "missing "},  // a field without a value stays empty, never garbage
        {"trailing %", {}, "trailing %"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(abif::formatText(QString::fromUtf8(c.format), c.fields), QString::fromUtf8(c.expected))
            << c.format;
}

}  // namespace
