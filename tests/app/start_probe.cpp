// Runs the editor's start-up in a process of its own. Its document template
// reports every call on standard output instead of creating a window, so a
// test can watch two processes meet.
#include "app/linquara_app.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

void report(const QString &line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

class ReportingTemplate : public DocumentTemplate {
public:
    bool OpenDocumentFile(const QString &fileName) override {
        report(QStringLiteral("open ") + fileName);
        return true;
    }
    void ShowMainWindow() override { report(QStringLiteral("shown")); }
    QWidget *MainWindow() override { return nullptr; }
    void BringToFront() override { report(QStringLiteral("front")); }
    void OpenFileFromSecondStart(const QString &path) override { report(QStringLiteral("open-file ") + path); }
    bool RequestClose() override {
        report(QStringLiteral("close"));
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return true;
    }
};

}  // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    CLinquaraApp linquara([](CLinquaraApp &) { return std::make_unique<ReportingTemplate>(); });
    if (!linquara.InitInstance()) return 1;
    return application.exec();
}
