// Language per thread and help file settings of the loaded library.
#include "abiflink.h"
#include "core/library_module.h"
#include "core/library_ui.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <thread>

namespace {

class RecordingUi final : public abif::LibraryUi {
public:
    abif::MessageAnswer message(const QString &, abif::MessageButtons, abif::MessageIcon) override {
        return abif::MessageAnswer::Ok;
    }
    void setBusy(bool) override {}
    void openHelp(const QUrl &topic) override { opened.push_back(topic); }
    std::vector<QUrl> opened;
};

class HelpFile : public ::testing::Test {
protected:
    void SetUp() override { abif::setLibraryUi(&ui); }
    void TearDown() override {
        abif::setLibraryUi(nullptr);
        Abif_SetHelpFileName(u"DMY");
    }
    RecordingUi ui;
};

TEST_F(HelpFile, placeholderOpensNothing) {
    EXPECT_EQ(Abif_SetHelpFileName(u"DMY"), 0);
    abif::requestHelp(5);
    EXPECT_TRUE(ui.opened.empty());
    EXPECT_FALSE(abif::usesHtmlHelp());
}

TEST_F(HelpFile, chmInAnyCaseOpensTheHtmlTopicOfTheSameNumber) {
    for (const char16_t *path : {u"/opt/help/Linquara.chm", u"/opt/help/Linquara.CHM", u"/opt/help/Linquara.ChM"}) {
        ui.opened.clear();
        Abif_SetHelpFileName(path);
        EXPECT_TRUE(abif::usesHtmlHelp());
        abif::requestHelp(4711);
        ASSERT_EQ(ui.opened.size(), 1u);
        EXPECT_EQ(ui.opened[0], QUrl::fromLocalFile(QStringLiteral("/opt/help/Linquara/4711.html")));
    }
}

TEST_F(HelpFile, otherHelpFileOpensItselfAtTheContext) {
    Abif_SetHelpFileName(u"/opt/help/Linquara.html");
    EXPECT_FALSE(abif::usesHtmlHelp());
    abif::requestHelp(12);
    ASSERT_EQ(ui.opened.size(), 1u);
    EXPECT_EQ(ui.opened[0].toLocalFile(), QStringLiteral("/opt/help/Linquara.html"));
    EXPECT_EQ(ui.opened[0].fragment(), QStringLiteral("12"));
}

TEST(Language, isKeptPerThreadAndZeroUntilSet) {
    EXPECT_EQ(Abif_Initialize(1031), 0);
    EXPECT_EQ(abif::threadLanguage(), 1031);
    int32_t other = -1;
    std::thread([&] { other = abif::threadLanguage(); }).join();
    EXPECT_EQ(other, 0);
}

TEST(Language, hebrewAndArabicReadRightToLeft) {
    EXPECT_TRUE(abif::isRightToLeftLanguage(1037));
    EXPECT_TRUE(abif::isRightToLeftLanguage(1025));
    EXPECT_FALSE(abif::isRightToLeftLanguage(1033));
}

TEST(ModuleFiles, settingsAndLogSitBesideTheModuleWithItsBaseName) {
    const QString module = abif::modulePath();
    ASSERT_FALSE(module.isEmpty());
    const QString ini = abif::moduleSibling(QStringLiteral(".INI"));
    EXPECT_TRUE(ini.endsWith(QStringLiteral(".INI")));
    EXPECT_EQ(QFileInfo(ini).dir(), QFileInfo(module).dir());
}

}  // namespace
