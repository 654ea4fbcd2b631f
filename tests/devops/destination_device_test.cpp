// Which device a thread's next operation opens.
#include "abiflink.h"
#include "device/destination_device.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

const QString kModel = QStringLiteral("QV Quillabrex K7710/K7910");

QString opened() { return abif::deviceNameToOpen(abif::destinationDevice(), kModel); }

TEST(DestinationDevice, withoutAnyCallTheModelNameIsOpened) {
    std::thread([] { EXPECT_EQ(opened(), kModel); }).join();
}

TEST(DestinationDevice, typeZeroLeavesTheNameEmptyWhateverIsPassed) {
    ASSERT_EQ(AbifDevice_SetDestinationDevice(u"ignored", 7, u"usb:old"), 0);
    ASSERT_EQ(AbifDevice_SetDestinationDevice(nullptr, 0, u"usb:001"), 0);
    EXPECT_EQ(abif::destinationDevice().type, 0);
    EXPECT_EQ(abif::destinationDevice().name[0], u'\0');
    EXPECT_EQ(opened(), kModel);
}

TEST(DestinationDevice, aNamedDeviceIsOpenedAndLongNamesAreCutAt254) {
    const std::u16string longName(300, u'n');
    AbifDevice_SetDestinationDevice(u"", 1, longName.c_str());
    EXPECT_EQ(opened(), QString(254, u'n'));
    EXPECT_EQ(abif::destinationDevice().name[254], u'\0');
    AbifDevice_SetDestinationDevice(u"", 0x10001, u"usb:002");  // the type is taken as 16 bits
    EXPECT_EQ(abif::destinationDevice().type, 1);
    EXPECT_EQ(opened(), QStringLiteral("usb:002"));
}

TEST(DestinationDevice, aSettingOnOneThreadNeverReachesAnother) {
    AbifDevice_SetDestinationDevice(u"", 1, u"usb:003");
    QString other;
    std::thread([&] { other = opened(); }).join();
    EXPECT_EQ(other, kModel);
    EXPECT_EQ(opened(), QStringLiteral("usb:003"));
}

}  // namespace
