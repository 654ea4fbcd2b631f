// One writer at a time, also across a replacement of the file, and what a
// replacement keeps, follows, refuses and cleans up.
#include "formats/locked_file.h"
#include "support/folder_state.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <future>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

class LockedFileTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.qad"));
};

TEST_F(LockedFileTest, secondWriterFailsWithSharingViolationUntilTheFirstLetsGo) {
    QByteArray seen;
    {
        abif::LockedFile first;
        ASSERT_EQ(first.open(path), 0);
        abif::LockedFile second;
        EXPECT_EQ(second.open(path, 20ms), EAGAIN);
    }
    abif::LockedFile second;
    ASSERT_EQ(second.open(path, 20ms), 0);
    ASSERT_EQ(second.readAll(seen), 0);
    EXPECT_EQ(seen, "old");
}

TEST_F(LockedFileTest, waitingWriterEndsUpHoldingTheReplacement) {
    auto first = std::make_unique<abif::LockedFile>();
    ASSERT_EQ(first->open(path), 0);

    std::promise<QByteArray> seenByWaiter;
    std::promise<void> release;
    std::thread waiter([&] {
        abif::LockedFile second;
        QByteArray seen;
        if (second.open(path, 10s) == 0 && second.readAll(seen) == 0)
            seenByWaiter.set_value(seen);
        else
            seenByWaiter.set_value("failed");
        release.get_future().wait();
    });
    // Give the waiter time to queue on the old file; the outcome is the same if it comes late.
    std::this_thread::sleep_for(50ms);
    ASSERT_EQ(first->replace("new"), 0);
    first.reset();

    EXPECT_EQ(seenByWaiter.get_future().get(), "new");
    abif::LockedFile third;
    EXPECT_EQ(third.open(path, 20ms), EAGAIN) << "the waiter's lock must be on the file the path names";
    release.set_value();
    waiter.join();
}

TEST_F(LockedFileTest, openingAMissingFileCreatesNothingUntilItIsWritten) {
    const QString fresh = dir.filePath(QStringLiteral("fresh.qad"));
    {
        abif::LockedFile file;
        ASSERT_EQ(file.open(fresh), 0);
        EXPECT_FALSE(file.exists());
        QByteArray seen = "unread";
        ASSERT_EQ(file.readAll(seen), 0);
        EXPECT_TRUE(seen.isEmpty());
        EXPECT_FALSE(QFile::exists(fresh)) << "a first save killed now would leave an empty file";
    }
    EXPECT_FALSE(QFile::exists(fresh));
    {
        abif::LockedFile file;
        ASSERT_EQ(file.open(fresh), 0);
        ASSERT_EQ(file.replace("new"), 0);
        EXPECT_TRUE(file.exists());
    }
    EXPECT_EQ(test::contentOf(fresh), "new");
}

TEST_F(LockedFileTest, replacementLeavesOnlyTheNewFile) {
    ASSERT_EQ(abif::writeWholeFile(path, "new"), 0);
    EXPECT_EQ(test::contentOf(path), "new");
    EXPECT_EQ(test::entriesOf(dir.path()), QStringList{"book.qad"});
}

TEST_F(LockedFileTest, replacementKeepsThePermissionsOfTheFileItReplaces) {
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_EQ(abif::writeWholeFile(path, "new"), 0);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(LockedFileTest, replacementWritesThroughALinkToTheFileItNames) {
    const QString link = dir.filePath(QStringLiteral("link.qad"));
    ASSERT_TRUE(QFile::link(path, link));
    ASSERT_EQ(abif::writeWholeFile(link, "new"), 0);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(test::contentOf(path), "new");
}

TEST_F(LockedFileTest, fileThatCannotBeCreatedGivesTheSystemError) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    const struct {
        const char *name;
        int error;
    } cases[] = {{"missing/book.qad", ENOENT}, {"book.qad/inner.qad", ENOTDIR}, {"folder", EISDIR}};
    for (const auto &c : cases)
        EXPECT_EQ(abif::writeWholeFile(dir.filePath(QString::fromLatin1(c.name)), "new"), c.error) << c.name;
    EXPECT_EQ(test::entriesOf(dir.path()), (QStringList{"book.qad", "folder"}));
    EXPECT_EQ(test::contentOf(path), "old");
}

TEST_F(LockedFileTest, writeThatFailsPartWayLeavesThePreviousFileAndNoLeftovers) {
    // A file size limit makes writing fail part-way, as a full disk does.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const int error = abif::writeWholeFile(path, QByteArray(100000, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(test::contentOf(path), "old");
    EXPECT_EQ(test::entriesOf(dir.path()), QStringList{"book.qad"});
}

// What a killed writer left is removed; what a live writer holds, and names
// that are not the library's, stay.
TEST_F(LockedFileTest, replacementRemovesOnlyTheTemporariesNoWriterHolds) {
    const auto put = [&](const char *name) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("partial");
    };
    put(".book.qad.abif-k1lled00");
    put(".book.qad.abif-live0000");
    put(".book.qad.abif-notes");
    put(".other.qad.abif-k1lled00");
    const int live = ::open(QFile::encodeName(dir.filePath(".book.qad.abif-live0000")).constData(), O_RDWR);
    ASSERT_GE(live, 0);
    ASSERT_TRUE(abif::tryWriterLock(live));

    ASSERT_EQ(abif::writeWholeFile(path, "new"), 0);
    ::close(live);
    EXPECT_EQ(test::entriesOf(dir.path()),
              (QStringList{".book.qad.abif-live0000", ".book.qad.abif-notes", ".other.qad.abif-k1lled00", "book.qad"}));
    EXPECT_EQ(test::contentOf(path), "new");
}

}  // namespace
