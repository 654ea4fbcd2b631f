// The language choice from the machine-wide value, and loading the language
// module beside the program with its silent fall-backs.
#include "app/ui_language.h"
#include "machine_settings.h"
#include "text/editor_text.h"
#include "text/language_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace {

struct LanguageCase {
    const char *name;
    std::optional<QString> value;  // nothing: no value at all
    const char *code;
    qint16 languageId;
};

class SelectUiLanguageTest : public ::testing::TestWithParam<LanguageCase> {
protected:
    test::MachineSettings machine;
};

TEST_P(SelectUiLanguageTest, matchesTheTableExactlyElseEnglish) {
    const LanguageCase &c = GetParam();
    if (c.value) machine.setLanguage(*c.value);
    QString code;
    EXPECT_EQ(SelectUiLanguage(code), c.languageId);
    EXPECT_EQ(code, QLatin1String(c.code));
}

INSTANTIATE_TEST_SUITE_P(
    Values, SelectUiLanguageTest,
    ::testing::Values(LanguageCase{"missing", std::nullopt, "eng", 1033},
                      LanguageCase{"english", QStringLiteral("eng"), "eng", 1033},
                      LanguageCase{"simplifiedChinese", QStringLiteral("sch"), "sch", 2052},
                      LanguageCase{"traditionalChinese", QStringLiteral("tch"), "tch", 1028},
                      LanguageCase{"korean", QStringLiteral("kor"), "kor", 1042},
                      LanguageCase{"thai", QStringLiteral("tha"), "tha", 1054},
                      LanguageCase{"vietnamese", QStringLiteral("vit"), "vit", 1066},
                      LanguageCase{"wrongCase", QStringLiteral("SCH"), "eng", 1033},
                      LanguageCase{"notInTable", QStringLiteral("jpn"), "eng", 1033},
                      // The empty code ends the table; it is no row of its own.
                      LanguageCase{"empty", QString(), "eng", 1033},
                      LanguageCase{"trailingSpace", QStringLiteral("kor "), "eng", 1033},
                      LanguageCase{"longer", QStringLiteral("thai"), "eng", 1033}),
    [](const ::testing::TestParamInfo<LanguageCase> &info) { return std::string(info.param.name); });

TEST(SelectUiLanguage, malformedSettingsGiveEnglish) {
    test::MachineSettings machine;
    machine.setLanguage(QStringList{QStringLiteral("kor"), QStringLiteral("tha")});
    QString code;
    EXPECT_EQ(SelectUiLanguage(code), 1033);
    EXPECT_EQ(code, QStringLiteral("eng"));

    const QString fileName = test::MachineSettings::open().fileName();
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("\xff\xfe[\x01\nLQALANG_QLK7710_K7910\n=\"kor");
    file.close();
    EXPECT_EQ(SelectUiLanguage(code), 1033);
    EXPECT_EQ(code, QStringLiteral("eng"));
}

TEST(LanguageModulePath, replacesTheProgramNameInItsFolder) {
    EXPECT_EQ(LanguageModulePath(QStringLiteral("/opt/linquara/bin/linquara"), QStringLiteral("kor")),
              QStringLiteral("/opt/linquara/bin/LinquaraRes_kor.so"));
    EXPECT_TRUE(LanguageModulePath(QStringLiteral("linquara"), QStringLiteral("eng")).isEmpty());
}

TEST(LanguageModulePath, staysBelowTheSystemsPathLimit) {
    const QString name = QStringLiteral("LinquaraRes_eng.so");
    const auto programIn = [](qsizetype folderLength) {
        return QLatin1Char('/') + QString(folderLength - 2, QLatin1Char('a')) + QStringLiteral("/linquara");
    };
    // folder length + module name length is the module path's length.
    const QString longest = programIn(PATH_MAX - 1 - name.size());
    EXPECT_EQ(LanguageModulePath(longest, QStringLiteral("eng")).size(), PATH_MAX - 1);
    EXPECT_TRUE(LanguageModulePath(programIn(PATH_MAX - name.size()), QStringLiteral("eng")).isEmpty());
}

class LoadLanguageResourcesTest : public ::testing::Test {
protected:
    void TearDown() override { lqa::setModuleTexts({}); }
    test::MachineSettings machine;
};

TEST_F(LoadLanguageResourcesTest, moduleTextsComeFirstAndTheRestIsBuiltIn) {
    // No language value: the English module beside the program is used.
    const auto module = LoadLanguageResources(QStringLiteral(PROBE_PROGRAM));
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(lqa::loadText(lqa::ids::AppTitle), QStringLiteral("Linquara Probe"));
    EXPECT_EQ(lqa::loadText(lqa::ids::ProductName), QStringLiteral("Velmorante Quillabrex K7710/K7910"));
}

TEST_F(LoadLanguageResourcesTest, fallsBackSilentlyToBuiltInTexts) {
    QTemporaryDir empty;
    const QString tooLong = QLatin1Char('/') + QString(PATH_MAX, QLatin1Char('a')) + QStringLiteral("/linquara");
    struct Case {
        const char *why;
        QString program;
        QString language;
    } cases[] = {
        {"no module beside the program", empty.filePath(QStringLiteral("linquara")), {}},
        {"only another language's module", QStringLiteral(PROBE_PROGRAM), QStringLiteral("kor")},
        {"a module whose texts are out of order", QStringLiteral(UNSORTED_PROGRAM), {}},
        {"a path too long to open", tooLong, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        if (!c.language.isEmpty()) machine.setLanguage(c.language);
        EXPECT_EQ(LoadLanguageResources(c.program), nullptr);
        EXPECT_EQ(lqa::loadText(lqa::ids::AppTitle), QStringLiteral("Linquara"));
    }
}

// The project's own modules, built beside the test program.
struct ModuleCase {
    const char *code;
    const char16_t *aboutCaption;
};

class ProjectModuleTest : public ::testing::TestWithParam<ModuleCase> {
protected:
    void TearDown() override { lqa::setModuleTexts({}); }
    test::MachineSettings machine;
};

TEST_P(ProjectModuleTest, holdsEveryTextInItsLanguage) {
    const QString code = QString::fromLatin1(GetParam().code);
    machine.setLanguage(code);
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/linquara");
    const auto module = LoadLanguageResources(program);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(lqa::loadText(lqa::ids::AboutCaption), QString::fromUtf16(GetParam().aboutCaption));

    const auto entry = reinterpret_cast<lqa::LanguageModuleEntry>(module->resolve(lqa::kLanguageModuleEntryName));
    ASSERT_NE(entry, nullptr);
    std::size_t count = 0;
    const lqa::StringEntry *texts = entry(&count);
    const auto builtIn = lqa::stringTables().front().entries;
    ASSERT_EQ(count, builtIn.size());
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(texts[i].id, builtIn[i].id);
        EXPECT_FALSE(QString::fromUtf16(texts[i].text).isEmpty()) << texts[i].id;
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, ProjectModuleTest,
                         ::testing::Values(ModuleCase{"eng", u"About"}, ModuleCase{"sch", u"关于"},
                                           ModuleCase{"tch", u"關於"}, ModuleCase{"kor", u"정보"},
                                           ModuleCase{"tha", u"เกี่ยวกับ"}, ModuleCase{"vit", u"Giới thiệu"}),
                         [](const ::testing::TestParamInfo<ModuleCase> &info) { return std::string(info.param.code); });

}  // namespace
