// One editor per user within one process: the lock, the requests on the
// socket and what is left behind by a dead editor. Separate processes are
// tested in app_start_test.cpp.
#include "app/single_instance.h"
#include "serve_while.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kName = QStringLiteral("Linquara Test Instance");

class SingleInstanceTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
};

TEST_F(SingleInstanceTest, secondClaimAsksTheFirstToComeToTheFront) {
    SingleInstance first(kName, folder.path());
    ASSERT_EQ(first.ClaimInstance(), SingleInstance::Claim::First);
    int fronts = 0;
    first.onFront = [&] { ++fronts; };

    const auto second = test::whileServing([&] { return SingleInstance(kName, folder.path()).ClaimInstance(); });
    EXPECT_EQ(second, SingleInstance::Claim::AlreadyRunning);
    EXPECT_EQ(fronts, 1);
}

TEST_F(SingleInstanceTest, closeRequestIsAnsweredByTheHandler) {
    SingleInstance first(kName, folder.path());
    ASSERT_EQ(first.ClaimInstance(), SingleInstance::Claim::First);
    const auto close = [&] { return SingleInstance::Send(kName, folder.path(), InstanceRequest::Close); };

    EXPECT_EQ(test::whileServing(close), std::optional<bool>(false)) << "no window to close yet";
    first.onClose = [] { return false; };
    EXPECT_EQ(test::whileServing(close), std::optional<bool>(false)) << "busy";
    int closes = 0;
    first.onClose = [&] { return ++closes > 0; };
    EXPECT_EQ(test::whileServing(close), std::optional<bool>(true));
    EXPECT_EQ(closes, 1);
}

TEST_F(SingleInstanceTest, secondClaimWithAFileAsksTheFirstToOpenItWhole) {
    SingleInstance first(kName, folder.path());
    ASSERT_EQ(first.ClaimInstance(), SingleInstance::Claim::First);
    QStringList opened;
    int fronts = 0;
    first.onFront = [&] { ++fronts; };
    first.onOpen = [&](const QString &path) { opened << path; };

    const QString paths[] = {
        QStringLiteral("/home/anna/Büro/Kunden 2026.qad"),
        QStringLiteral("/tmp/a\nline break and 名前.qad"),
        QStringLiteral("/") + QString(2000, QChar(u'ä')),
    };
    for (const QString &path : paths) {
        const auto second =
            test::whileServing([&] { return SingleInstance(kName, folder.path()).ClaimInstance(path); });
        EXPECT_EQ(second, SingleInstance::Claim::AlreadyRunning);
    }
    EXPECT_EQ(opened, QStringList(std::begin(paths), std::end(paths)));
    EXPECT_EQ(fronts, 0) << "the open request brings the window forward itself";

    first.onOpen = nullptr;
    EXPECT_EQ(test::whileServing([&] {
                  return SingleInstance::Send(kName, folder.path(), InstanceRequest::Open, paths[0]);
              }),
              std::optional<bool>(false))
        << "no document to open it yet";
}

TEST_F(SingleInstanceTest, ignoresPeersThatSendNoRequest) {
    SingleInstance first(kName, folder.path());
    ASSERT_EQ(first.ClaimInstance(), SingleInstance::Claim::First);
    int calls = 0;
    first.onFront = [&] { ++calls; };
    first.onClose = [&] { return ++calls > 0; };
    first.onOpen = [&](const QString &) { ++calls; };
    const QString path = folder.filePath(kName);
    struct Case {
        QByteArray sent;
        QByteArray answer;
    } cases[] = {{"hello\n", "0\n"},         {"front", ""},         {QByteArray(100, 'x'), ""},
                 {"open not*base64\n", "0\n"}, {"open \n", "0\n"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sent.constData());
        const QByteArray answer = test::whileServing([&] {
            QLocalSocket socket;
            socket.connectToServer(path);
            if (!socket.waitForConnected(3000)) return QByteArray("not connected");
            socket.write(c.sent);
            socket.waitForBytesWritten(3000);
            socket.waitForReadyRead(300);
            return socket.readAll();
        });
        EXPECT_EQ(answer, c.answer);
    }
    EXPECT_EQ(calls, 0);
}

TEST_F(SingleInstanceTest, takesOverASocketLeftWithoutItsLock) {
    const QString socketPath = folder.filePath(kName);
    {
        QFile stale(socketPath);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    SingleInstance first(kName, folder.path());
    ASSERT_EQ(first.ClaimInstance(), SingleInstance::Claim::First);
    const auto answer =
        test::whileServing([&] { return SingleInstance::Send(kName, folder.path(), InstanceRequest::Front); });
    EXPECT_EQ(answer, std::optional<bool>(true));
}

TEST_F(SingleInstanceTest, nobodyAnswersWhenNoEditorRuns) {
    EXPECT_EQ(SingleInstance::Send(kName, folder.path(), InstanceRequest::Front), std::nullopt);
}

TEST_F(SingleInstanceTest, failsWhenTheLockCannotBeCreated) {
    SingleInstance instance(kName, folder.filePath(QStringLiteral("missing/folder")));
    EXPECT_EQ(instance.ClaimInstance(), SingleInstance::Claim::Failed);
}

TEST_F(SingleInstanceTest, releasesTheNameWhenTheEditorEnds) {
    {
        SingleInstance first(kName, folder.path());
        ASSERT_EQ(first.ClaimInstance(), SingleInstance::Claim::First);
    }
    SingleInstance next(kName, folder.path());
    EXPECT_EQ(next.ClaimInstance(), SingleInstance::Claim::First);
}

}  // namespace
