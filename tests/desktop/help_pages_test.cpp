// The help pages: one for every topic the program and the library ask for,
// and the library and the program opening the right one with the desktop's
// handler.
#include "abiflink.h"
#include "connection/connection_method_dialog.h"
#include "connection/environment_dialog.h"
#include "core/library_module.h"
#include "device/password_dialog.h"
#include "ui/dlg_search.h"
#include "ui/help_topic.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <vector>

namespace {

// Every topic a dialog of the program or the library asks for.
const std::vector<int> kTopics = {1000,   1001,   1002,   1003,   1004,   1005,   1006,   1007,
                                  1008,   1009,   1010,   1011,   1012,   1013,   1030,   100000,
                                  100001, 100002, 100003, 100004, 100005, 100006};

QString builtHelp() { return QStringLiteral(LINQUARA_BUILT_HELP_DIR); }

QString readPage(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool contains(const std::vector<int> &topics, int topic) {
    return std::find(topics.begin(), topics.end(), topic) != topics.end();
}

TEST(HelpPages, theDialogsAskOnlyForTopicsThatHavePages) {
    for (int topic : {ConnectionMethodDialog::kHelpTopic, EnvironmentDialog::kHelpTopic, CDlgSearch::kHelpTopic,
                      static_cast<int>(abif::CPasscodeDlg::kHelpTopic)})
        EXPECT_TRUE(contains(kTopics, topic)) << topic;
}

TEST(HelpPages, everyTopicHasATitledPageWithTheSharedStylesheet) {
    const QDir help(builtHelp());
    ASSERT_TRUE(help.exists(QStringLiteral("help.css")));
    for (int topic : kTopics) {
        const QString page = readPage(help.filePath(QStringLiteral("%1.html").arg(topic)));
        ASSERT_FALSE(page.isEmpty()) << topic;
        EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral("<title>[^<]+</title>")))) << topic;
        EXPECT_TRUE(page.contains(QStringLiteral("href=\"help.css\""))) << topic;
    }
}

TEST(HelpPages, indexListsEveryTopicAndNoLinkIsBroken) {
    const QDir help(builtHelp());
    const QString index = readPage(help.filePath(QStringLiteral("index.html")));
    for (int topic : kTopics) EXPECT_TRUE(index.contains(QStringLiteral("href=\"%1.html\"").arg(topic))) << topic;

    const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"#:]+)[^\"]*\""));
    for (const QString &name : help.entryList({QStringLiteral("*.html")})) {
        const QString page = readPage(help.filePath(name));
        for (const auto &match : link.globalMatch(page))
            EXPECT_TRUE(help.exists(match.captured(1))) << name.toStdString() << " links " << match.captured(1).toStdString();
    }
}

// Records what the desktop was asked to open instead of starting a browser.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    std::vector<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.push_back(url); }
};

class LibraryHelp : public ::testing::Test {
protected:
    void TearDown() override { Abif_SetHelpFileName(u"DMY"); }
    static void setHelp(const QString &path) { Abif_SetHelpFileName(reinterpret_cast<const abif_char16 *>(path.utf16())); }
    UrlRecorder desktop;
};

TEST_F(LibraryHelp, aFolderOfPagesOpensThePageOfEachTopic) {
    for (const QString &folder : {builtHelp(), builtHelp() + u'/'}) {
        setHelp(folder);
        EXPECT_TRUE(abif::hasHelpFile());
        EXPECT_TRUE(abif::usesHtmlHelp());
        desktop.opened.clear();
        for (int topic : kTopics) abif::requestHelp(topic);
        ASSERT_EQ(desktop.opened.size(), kTopics.size());
        for (size_t i = 0; i < kTopics.size(); ++i)
            EXPECT_EQ(desktop.opened[i], QUrl::fromLocalFile(QDir(builtHelp()).filePath(QStringLiteral("%1.html").arg(kTopics[i]))));
    }
}

TEST_F(LibraryHelp, aTopicWithoutPageOpensTheIndex) {
    setHelp(builtHelp());
    abif::requestHelp(4711);
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0], QUrl::fromLocalFile(QDir(builtHelp()).filePath(QStringLiteral("index.html"))));
}

TEST_F(LibraryHelp, thePlaceholderAndAnEmptyPathOpenNothing) {
    for (const QString &path : {QStringLiteral("DMY"), QString()}) {
        setHelp(path);
        EXPECT_FALSE(abif::hasHelpFile());
        abif::requestHelp(1000);
    }
    EXPECT_TRUE(desktop.opened.empty());
}

TEST_F(LibraryHelp, chmNamesTheFolderOfTheSameName) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Linquara")));
    setHelp(dir.filePath(QStringLiteral("Linquara.CHM")));
    abif::requestHelp(100004);
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0], QUrl::fromLocalFile(dir.filePath(QStringLiteral("Linquara/100004.html"))));
}

TEST(ProgramHelp, findsThePagesBesideItsFolderAndOpensATopic) {
    ASSERT_EQ(QDir(lqa::helpFolder()), QDir(builtHelp()));
    UrlRecorder desktop;
    EXPECT_TRUE(lqa::openHelpTopic(1030));
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0], QUrl::fromLocalFile(QDir(builtHelp()).filePath(QStringLiteral("1030.html"))));
}

TEST(ProgramHelp, aTopicWithoutPageGivesTheIndex) {
    EXPECT_EQ(lqa::helpPage(builtHelp(), 7), QUrl::fromLocalFile(QDir(builtHelp()).filePath(QStringLiteral("index.html"))));
}

}  // namespace

#include "help_pages_test.moc"
