// Where the per-user settings live, and the recent-file list kept there.
#include "app/user_settings.h"
#include "connection/settings_folder.h"

#include <QCoreApplication>
#include <QSettings>

#include <gtest/gtest.h>

namespace {

TEST(UserSettingsLocation, sharesTheConnectionSettingsFile) {
    const SettingsLocation location = UserSettingsLocation(QStringLiteral("Velmorante\\Quillabrex K7710_K7910"));
    EXPECT_EQ(location.organization, QStringLiteral("Velmorante/Quillabrex K7710_K7910"));
    EXPECT_EQ(location.application, QStringLiteral("Linquara"));
    test::SettingsFolder folder;
    EXPECT_EQ(QSettings(location.organization, location.application).fileName(),
              test::SettingsFolder::raw().fileName());
}

class RecentFileListTest : public ::testing::Test {
protected:
    void SetUp() override {
        QCoreApplication::setOrganizationName(QStringLiteral("Velmorante/Quillabrex K7710_K7910"));
        QCoreApplication::setApplicationName(QStringLiteral("Linquara"));
    }
    static QString book(int n) { return QStringLiteral("/home/ann/book%1.qad").arg(n); }
    test::SettingsFolder folder;
};

TEST_F(RecentFileListTest, readsTheNumberedEntriesSkippingGaps) {
    {
        QSettings settings = test::SettingsFolder::raw();
        settings.setValue(QStringLiteral("Recent File List/File1"), book(1));
        settings.setValue(QStringLiteral("Recent File List/File3"), book(3));
        settings.setValue(QStringLiteral("Recent File List/File11"), book(11));
    }
    RecentFileList list;
    list.Load();
    EXPECT_EQ(list.Files(), (QStringList{book(1), book(3)}));
}

TEST_F(RecentFileListTest, keepsTheTenNewestOnceEachAndStoresThem) {
    RecentFileList list;
    for (int n = 1; n <= 12; ++n) list.Add(book(n));
    list.Add(book(5));
    QStringList expected{book(5), book(12), book(11), book(10), book(9), book(8), book(7), book(6), book(4), book(3)};
    EXPECT_EQ(list.Files(), expected);

    RecentFileList reread;
    reread.Load();
    EXPECT_EQ(reread.Files(), expected);
    EXPECT_EQ(test::SettingsFolder::raw().value(QStringLiteral("Recent File List/File1")).toString(), book(5));
}

}  // namespace
