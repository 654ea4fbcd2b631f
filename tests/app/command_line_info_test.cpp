// The command line: connection switches, the address after "NET", and the
// document file to open.
#include "app/command_line_info.h"

#include <gtest/gtest.h>

namespace {

struct CommandLineCase {
    const char *name;
    QStringList arguments;  // after the program name
    qint32 connection;
    QString address;
    QString fileName;
};

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, parsesSwitchesAddressAndFile) {
    const CommandLineCase &c = GetParam();
    CLQACommandLineInfo info;
    info.ParseCommandLine(QStringList{QStringLiteral("linquara")} + c.arguments);
    EXPECT_EQ(info.connection, c.connection);
    EXPECT_EQ(info.address, c.address);
    EXPECT_EQ(info.fileName, c.fileName);
    EXPECT_EQ(info.shellCommand, c.fileName.isEmpty() ? CLQACommandLineInfo::FileNew : CLQACommandLineInfo::FileOpen);
}

const QString kAddress = QStringLiteral("192.168.0.10");
const QString kBook = QStringLiteral("office.qad");

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTest,
    ::testing::Values(
        CommandLineCase{"nothing", {}, -1, {}, {}},
        CommandLineCase{"usbAlone", {QStringLiteral("/USB")}, 0, {}, {}},
        CommandLineCase{"usbWithDash", {QStringLiteral("-USB")}, 0, {}, {}},
        // The address also reaches the standard handling as the document.
        CommandLineCase{"netWithAddress", {QStringLiteral("/NET"), kAddress}, 1, kAddress, kAddress},
        CommandLineCase{"netLast", {QStringLiteral("-NET")}, 1, {}, {}},
        CommandLineCase{"fileBeforeNet", {kBook, QStringLiteral("/NET"), kAddress}, 1, kAddress, kBook},
        CommandLineCase{"onlyFirstPlainArgumentIsTheFile", {QStringLiteral("/NET"), kAddress, kBook}, 1, kAddress,
                        kAddress},
        CommandLineCase{"usbAfterNetKeepsTheAddress", {QStringLiteral("/NET"), QStringLiteral("/USB"), kAddress}, 0,
                        kAddress, kAddress},
        // Switches are case-sensitive; unknown ones are ignored.
        CommandLineCase{"lowerCaseSwitchIsUnknown", {QStringLiteral("-net"), kAddress}, -1, {}, kAddress},
        CommandLineCase{"unknownSwitchIgnored", {QStringLiteral("-p"), kBook}, -1, {}, kBook},
        // A slash starts an absolute path unless it names one of the switches.
        CommandLineCase{"absolutePathIsAFile", {QStringLiteral("/home/ann/office.qad")}, -1, {},
                        QStringLiteral("/home/ann/office.qad")},
        CommandLineCase{"addressWithoutNetIsAFile", {kAddress}, -1, {}, kAddress}),
    [](const ::testing::TestParamInfo<CommandLineCase> &info) { return std::string(info.param.name); });

}  // namespace
