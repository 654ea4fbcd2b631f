// Starting the editor more than once, each start a process of its own: one
// editor runs, later starts bring it to the front and end, and what a
// killed editor leaves behind does not stop the next one.
#include "app/linquara_app.h"
#include "app/single_instance.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kWaitMs = 30000;

class AppStartTest : public ::testing::Test {
protected:
    // Every start uses the same runtime and settings folders, as one user's would.
    std::unique_ptr<QProcess> start(const QStringList &arguments = {}, const QString &folder = {}) {
        auto process = std::make_unique<QProcess>();
        process->setWorkingDirectory(folder);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process->setProcessEnvironment(environment);
        process->start(QStringLiteral(START_PROBE), arguments);
        return process;
    }

    // Reads the probe's reports until `line` arrives.
    static bool waitForLine(QProcess &process, const QByteArray &line) {
        while (true) {
            while (process.canReadLine()) {
                if (process.readLine().trimmed() == line) return true;
            }
            if (!process.waitForReadyRead(kWaitMs)) return false;
        }
    }

    static void stop(QProcess &process) {
        process.kill();
        process.waitForFinished(kWaitMs);
    }

    QString socketPath() const { return QDir(runtime.path()).filePath(CLinquaraApp::instanceName); }

    QTemporaryDir runtime;
    QTemporaryDir config;
};

TEST_F(AppStartTest, secondStartBringsTheFirstToTheFrontAndEnds) {
    auto first = start();
    ASSERT_TRUE(waitForLine(*first, "shown"));

    auto second = start();
    ASSERT_TRUE(second->waitForFinished(kWaitMs));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 1);
    EXPECT_FALSE(second->readAllStandardOutput().contains("shown"));
    EXPECT_TRUE(waitForLine(*first, "front"));

    // The close request travels the same way; the first editor then ends.
    EXPECT_EQ(SingleInstance::Send(CLinquaraApp::instanceName, runtime.path(), InstanceRequest::Close),
              std::optional<bool>(true));
    EXPECT_TRUE(waitForLine(*first, "close"));
    EXPECT_TRUE(first->waitForFinished(kWaitMs));
    EXPECT_EQ(first->exitCode(), 0);
}

TEST_F(AppStartTest, secondStartWithAFileHasTheRunningEditorOpenIt) {
    auto first = start();
    ASSERT_TRUE(waitForLine(*first, "shown"));

    // As a double-click or a shell in another folder hands the file over.
    QTemporaryDir elsewhere;
    const QString name = QStringLiteral("Büro Liste.qad");
    auto second = start({name}, elsewhere.path());
    ASSERT_TRUE(second->waitForFinished(kWaitMs));
    EXPECT_EQ(second->exitCode(), 1);
    EXPECT_FALSE(second->readAllStandardOutput().contains("shown"));
    EXPECT_TRUE(waitForLine(*first, "open-file " + QDir(elsewhere.path()).filePath(name).toUtf8()));

    // The device address after NET names no file: only the front request.
    auto third = start({QStringLiteral("/NET"), QStringLiteral("10.0.0.7")}, elsewhere.path());
    ASSERT_TRUE(third->waitForFinished(kWaitMs));
    EXPECT_TRUE(waitForLine(*first, "front"));
    stop(*first);
}

TEST_F(AppStartTest, killedEditorDoesNotStopTheNextStart) {
    auto crashed = start();
    ASSERT_TRUE(waitForLine(*crashed, "shown"));
    stop(*crashed);
    ASSERT_TRUE(QFileInfo::exists(socketPath())) << "the killed editor leaves its socket behind";

    auto next = start();
    ASSERT_TRUE(waitForLine(*next, "shown"));
    auto later = start();
    ASSERT_TRUE(later->waitForFinished(kWaitMs));
    EXPECT_EQ(later->exitCode(), 1);
    EXPECT_TRUE(waitForLine(*next, "front"));
    stop(*next);
}

}  // namespace
