// The log lines of device control. The log's settings file sits beside the
// program, so this program holds this one test alone.
#include "abiflink.h"
#include "core/library_module.h"
#include "device/dev_ctrl.h"
#include "machine_fixture.h"

#include <QFile>

namespace {

class DeviceControlLog : public test::MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        QFile settings(abif::moduleSibling(QStringLiteral(".INI")));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write("[DumpLog]\nLevel=4\nCategory=2\nTimeStamp=0\n");
        QFile::remove(logFile());
    }
    void TearDown() override {
        QFile::remove(abif::moduleSibling(QStringLiteral(".INI")));
        QFile::remove(logFile());
        MachineTest::TearDown();
    }
    static QString logFile() { return abif::moduleSibling(QStringLiteral(".Log")); }

    // The lines of device control, without those of the blocks it builds.
    static QByteArrayList controlLines() {
        QFile file(logFile());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArrayList lines;
        for (const QByteArray &line : file.readAll().split('\n'))
            if (!line.isEmpty() && !line.contains("CPabData")) lines.append(line.chopped(1));
        return lines;
    }
};

TEST_F(DeviceControlLog, writesStartAndEndOfEveryStepWithFailuresAsErrors) {
    arrange([](qvs::MachineState &s) {
        s.statusWord = 2;
        s.password = QStringLiteral("1357");
    });
    {
        CDevCtrl ctrl;
        ctrl.Initialize(QStringLiteral("QV Quillabrex K7710/K7910"));
        ctrl.Lock();
        ctrl.GetStatus();
        ctrl.CheckPasswordLock();
        ctrl.CheckPassword(u"1357");
        abif::PabCapacity capacity;
        ctrl.ReadSpec(capacity, u"");
        ctrl.DeleteWriteFax({99, 6}, CAbifData{}, u"1357");
    }
    EXPECT_EQ(controlLines(), (QByteArrayList{
                                  "[DEV] [INF]     Initialize: Start",
                                  "[DEV] [INF]     Initialize: End(0x0)",
                                  "[DEV] [INF]     Lock: Start",
                                  "[DEV] [INF]     Lock: End(0x0)",
                                  "[DEV] [INF]     GetStatus: Start",
                                  "[DEV] [ERR]     GetStatus: End(0x21000002)",
                                  "[DEV] [INF]     CheckPasswordLock: Start",
                                  "[DEV] [INF]     CheckPasswordLock: End(0x0)",
                                  "[DEV] [INF]     CheckPassword: Start",
                                  "[DEV] [INF]     CheckPassword: End(0x0)",
                                  "[DEV] [INF]     ReadSpec: Start",
                                  "[DEV] [ERR]     ReadSpec: End(0x20000003)",
                                  "[DEV] [INF]     DeleteFax: Start",
                                  "[DEV] [INF]     DeleteWriteFax: End(0x0)",
                                  "[DEV] [INF]     Unlock: Start",
                                  "[DEV] [INF]     Unlock: End(0x0)",
                                  "[DEV] [INF]     Dispose: Start",
                                  "[DEV] [INF]     Dispose: End(0x0)",
                              }));
}

}  // namespace
