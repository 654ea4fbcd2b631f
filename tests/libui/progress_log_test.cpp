// The log lines of the progress dialog and of the windowless runner. A
// program of its own: the log reads its settings once per process and writes
// beside the program, so nothing else may log from here.
#include "core/library_module.h"
#include "device/progress_dialog.h"

#include <QApplication>
#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <thread>

namespace {

QString settingsPath() { return abif::moduleSibling(QStringLiteral(".INI")); }
QString logPath() { return abif::moduleSibling(QStringLiteral(".Log")); }

QStringList logLines() {
    QFile file(logPath());
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

QString deviceLine(const char *message) { return QStringLiteral("[DEV] [INF] ") + QString::fromLatin1(message); }

class DeviceLog : public ::testing::Environment {
public:
    void SetUp() override {
        QFile settings(settingsPath());
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write("[DumpLog]\nLevel=4\nCategory=2\nTimeStamp=0\n");
        QFile::remove(logPath());
    }
    void TearDown() override {
        QFile::remove(settingsPath());
        QFile::remove(logPath());
    }
};

TEST(ProgressLog, dialogAndWindowlessRunLogEachStage) {
    {
        abif::ProgressControl control(false);
        abif::CProgressDlg dialog(control, {});
        EXPECT_EQ(dialog.DoModal([](abif::ProgressControl &progress) { progress.requestCancel(); }),
                  abif::CProgressDlg::Cancelled);
    }
    QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 6) << lines.join(u'|').toStdString();
    EXPECT_EQ(lines[0], deviceLine("CProgressDlg::DoModal: Start"));
    EXPECT_EQ(lines[1], deviceLine("CProgressDlg::ThreadFunc: Start"));
    // The worker's last line and the completion race; both orders are right.
    QStringList middle = lines.mid(2, 3);
    middle.sort();
    EXPECT_EQ(middle, QStringList({deviceLine("CProgressDlg::OnThreadDone: End"),
                                   deviceLine("CProgressDlg::OnThreadDone: Start"),
                                   deviceLine("CProgressDlg::ThreadFunc: End")}));
    EXPECT_EQ(lines[5], deviceLine("CProgressDlg::DoModal: End(2)"));

    QFile::remove(logPath());
    std::thread caller([] { abif::runWithProgress({}, [](abif::ProgressControl &) {}); });
    caller.join();
    EXPECT_EQ(logLines(), QStringList({deviceLine("CProgressDlg::DoModal: Start"),
                                       deviceLine("CProgressDlg::ThreadFunc: Start"),
                                       deviceLine("CProgressDlg::ThreadFunc: End"),
                                       deviceLine("CProgressDlg::DoModal: End(1)")}));
}

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new DeviceLog);
    return RUN_ALL_TESTS();
}
