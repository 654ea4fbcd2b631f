// The connection and environment values: defaults, byte layouts, location.
#include "connection/connection_settings.h"
#include "settings_folder.h"

#include <QFile>

#include <cstring>

namespace {

QByteArray bytesOf(std::initializer_list<qint32> fields) {
    QByteArray bytes;
    for (qint32 f : fields) bytes.append(reinterpret_cast<const char *>(&f), sizeof f);
    return bytes;
}

class ConnectionSettingsTest : public ::testing::Test {
protected:
    test::SettingsFolder folder;
    ConnectionSettings settings;
};

TEST_F(ConnectionSettingsTest, nothingStoredGivesTheDefaults) {
    EXPECT_EQ(settings.DestType(), 0);
    EXPECT_EQ(settings.ConTypeSave(), 1);
    EXPECT_EQ(settings.DebugFlag(), 0);
    EXPECT_EQ(settings.Config(), (EnvironmentRecord{1, 1, 1, 0}));
}

TEST_F(ConnectionSettingsTest, unreadableIntegersFallBackToTheDefaults) {
    test::SettingsFolder::raw().setValue("DestType", "usb");
    test::SettingsFolder::raw().setValue("ConTypeSave", "");
    EXPECT_EQ(settings.DestType(), 0);
    EXPECT_EQ(settings.ConTypeSave(), 1);
    test::SettingsFolder::raw().setValue("DestType", -1);
    EXPECT_EQ(settings.DestType(), -1);
}

TEST_F(ConnectionSettingsTest, configIsReadFromItsFirstSixteenBytesOrDefaults) {
    struct Case {
        const char *what;
        QByteArray stored;
        EnvironmentRecord expected;
    };
    const QByteArray full = bytesOf({0, 0, 2, 1});
    const Case cases[] = {
        {"exact", full, {0, 0, 2, 1}},
        {"short", full.left(15), {1, 1, 1, 0}},
        {"empty", QByteArray(), {1, 1, 1, 0}},
        {"longer", full + QByteArray("xyz"), {0, 0, 2, 1}},
    };
    for (const Case &c : cases) {
        test::SettingsFolder::raw().setValue("Config", c.stored);
        EXPECT_EQ(settings.Config(), c.expected) << c.what;
    }
}

TEST_F(ConnectionSettingsTest, configIsWrittenAsFourHostOrderIntegers) {
    settings.WriteConfig({1, 0, 2, 1});
    EXPECT_EQ(test::SettingsFolder::raw().value("Config").toByteArray(), bytesOf({1, 0, 2, 1}));
    EXPECT_EQ(settings.Config(), (EnvironmentRecord{1, 0, 2, 1}));
}

TEST_F(ConnectionSettingsTest, theDestinationIsWrittenWithItsDeviceAndFlagInTheEditorsFile) {
    settings.WriteDestination(1, QStringLiteral("scanner-7"), 1);
    QSettings raw = test::SettingsFolder::raw();
    EXPECT_EQ(raw.value("DestType").toInt(), 1);
    EXPECT_EQ(raw.value("DeviceURI").toString(), QStringLiteral("scanner-7"));
    EXPECT_EQ(raw.value("ConTypeSave").toInt(), 1);
    EXPECT_TRUE(QFile::exists(folder.folder.filePath("Velmorante/Quillabrex K7710_K7910/Linquara.conf")));

    settings.WriteConTypeSave(0);
    EXPECT_EQ(settings.ConTypeSave(), 0);
    EXPECT_EQ(settings.DestType(), 1);
}

}  // namespace
