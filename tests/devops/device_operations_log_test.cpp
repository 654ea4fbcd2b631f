// The log lines of the device operations' workers.
#include "core/diagnostic_log.h"
#include "device_fixture.h"

#include <QFile>

#include <algorithm>
#include <thread>

namespace {

using test::code;

class DeviceOperationsLog : public test::DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        QFile settings(folder.filePath(QStringLiteral("log.INI")));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write("[DumpLog]\nLevel=4\nCategory=2\nTimeStamp=0\n");
        settings.close();
        log_.emplace(settings.fileName(), logFile());
        abif::setDiagnosticLog(&*log_);
    }
    void TearDown() override {
        abif::setDiagnosticLog(nullptr);
        DeviceTest::TearDown();
    }
    QString logFile() const { return folder.filePath(QStringLiteral("log.Log")); }

    // The workers' own lines: those indented by two spaces exactly.
    QByteArrayList workerLines() const {
        QFile file(logFile());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArrayList lines;
        for (const QByteArray &line : file.readAll().split('\n')) {
            const QByteArray text = line.mid(12);  // after "[DEV] [INF] "
            if (text.startsWith("  ") && !text.startsWith("   ")) lines.append(line.chopped(1));
        }
        return lines;
    }

private:
    std::optional<abif::DiagnosticLog> log_;
};

TEST_F(DeviceOperationsLog, workersLogStartEndAndEveryRetryDecision) {
    EXPECT_EQ(code(status()), code(ABIF_STATUS_READ | 1));
    panel({"status", "2"});
    EXPECT_EQ(code(status()), code(ABIF_STATUS_READ | 2));
    panel({"busy", "on"});
    test::Container data;
    EXPECT_EQ(code(read(data.get(), u"", 0x0808)), code(ABIF_E_BUSY_LIBRARY));
    std::thread panelUser([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        panel({"busy", "off"});
    });
    EXPECT_EQ(code(read(data.get())), code(ABIF_OK));
    panelUser.join();
    panel({"power", "off"});
    char16_t model[260] = u"";
    char16_t password[13] = u"1234";
    EXPECT_NE(code(AbifDevice_CertificationPassword(model, 0x03, password)), code(ABIF_OK));

    QByteArrayList lines = workerLines();
    // How often the busy machine was retried depends on timing; once at least.
    const auto retries = std::count(lines.begin(), lines.end(), "[DEV] [INF]   NeedToRetry: Retry");
    EXPECT_GE(retries, 1);
    lines.removeAll("[DEV] [INF]   NeedToRetry: Retry");
    EXPECT_EQ(lines, (QByteArrayList{
                         "[DEV] [INF]   ThreadFunc_GetStatus: Start",
                         "[DEV] [INF]   ThreadFunc_GetStatus: End(0x21000001)",
                         "[DEV] [INF]   ThreadFunc_GetStatus: Start",
                         "[DEV] [ERR]   ThreadFunc_GetStatus: End(0x21000002)",
                         "[DEV] [INF]   ThreadFunc_ReadData: Start",
                         "[DEV] [ERR]   NeedToRetry: Error(busy)",
                         "[DEV] [ERR]   ThreadFunc_ReadData: End(0x2000000e)",
                         "[DEV] [INF]   ThreadFunc_ReadData: Start",
                         "[DEV] [INF]   ThreadFunc_ReadData: End(0x0)",
                         "[DEV] [INF]   ThreadFunc_CertificationPassword: Start",
                         "[DEV] [ERR]   ThreadFunc_CertificationPassword: End(0x80070015)",
                     }));
}

}  // namespace
