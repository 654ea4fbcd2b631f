// The About box: its lines in the loaded language, the version from the
// compiled-in text, and the Web Site button.
#include "app/about_dialog.h"
#include "app/linquara_app.h"
#include "machine_settings.h"
#include "text/editor_text.h"
#include "when_shown.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(VersionText, makesCommasFullStops) {
    EXPECT_EQ(VersionText(QStringLiteral("1, 0, 0, 0")), QStringLiteral("Version 1. 0. 0. 0"));
    EXPECT_EQ(VersionText(QStringLiteral("2.4.1")), QStringLiteral("Version 2.4.1"));
    EXPECT_TRUE(VersionText(QString()).isEmpty());
}

class AboutDialogTest : public ::testing::Test {
protected:
    void TearDown() override { lqa::setModuleTexts({}); }
};

TEST_F(AboutDialogTest, showsTheProductAndTheBoldTitleWithTheVersion) {
    CDlgAbout about(nullptr, QStringLiteral("1, 2, 0, 0"));
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(about.productLine()->text(), QStringLiteral("Velmorante Quillabrex K7710/K7910"));
    EXPECT_EQ(about.titleLine()->text(), QStringLiteral("Linquara Version 1. 2. 0. 0"));
    EXPECT_TRUE(about.titleLine()->font().bold());
    EXPECT_EQ(about.titleLine()->font().pointSize(), 9);
    EXPECT_EQ(about.webSiteButton()->text(), QStringLiteral("Web Site"));
}

TEST_F(AboutDialogTest, theCompiledInVersionIsShown) {
    CDlgAbout about;
    EXPECT_FALSE(CDlgAbout::CompiledVersion().isEmpty());
    EXPECT_EQ(about.titleLine()->text(), QStringLiteral("Linquara ") + VersionText(CDlgAbout::CompiledVersion()));
    EXPECT_TRUE(CDlgAbout::CompiledWebSite().isValid());
}

TEST_F(AboutDialogTest, titleTakesTheModulesTextWithoutLineFeeds) {
    test::MachineSettings machine;
    const auto module = LoadLanguageResources(QStringLiteral(PROBE_PROGRAM));
    ASSERT_NE(module, nullptr);
    CDlgAbout about(nullptr, QStringLiteral("3, 1"));
    EXPECT_EQ(about.titleLine()->text(), QStringLiteral("LinquaraProbe Build 3. 1"));
}

// Stands in for the desktop's handler of web addresses.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

TEST_F(AboutDialogTest, webSiteButtonOpensTheConfiguredAddress) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    const QUrl site(QStringLiteral("https://support.example.org/linquara"));
    CDlgAbout about(nullptr, QStringLiteral("1"), site);
    about.webSiteButton()->click();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    EXPECT_EQ(catcher.opened, QList<QUrl>{site});
}

TEST_F(AboutDialogTest, aboutCommandShowsTheBoxModally) {
    QTemporaryDir instances;
    CLinquaraApp app([](CLinquaraApp &) { return nullptr; }, QStringLiteral("/nowhere/linquara"), instances.path());
    bool shown = false;
    test::whenShown<CDlgAbout>([&](CDlgAbout *about) {
        shown = true;
        about->accept();
    });
    app.OnAppAbout();
    EXPECT_TRUE(shown);
}

}  // namespace

#include "about_dialog_test.moc"
