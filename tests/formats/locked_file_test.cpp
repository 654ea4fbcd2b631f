// One writer at a time, also across a replacement of the file.
#include "formats/locked_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <future>
#include <thread>

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

TEST_F(LockedFileTest, fileCreatedButNeverFilledIsRemovedAgain) {
    const QString fresh = dir.filePath(QStringLiteral("fresh.qad"));
    {
        abif::LockedFile file;
        ASSERT_EQ(file.open(fresh), 0);
        EXPECT_TRUE(QFile::exists(fresh));
    }
    EXPECT_FALSE(QFile::exists(fresh));
    {
        abif::LockedFile file;
        ASSERT_EQ(file.open(path), 0);
    }
    EXPECT_TRUE(QFile::exists(path)) << "a file that was there stays";
}

}  // namespace
