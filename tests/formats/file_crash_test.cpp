// Saves of the full PC fax book killed at random moments: the file is always
// the old or the new book, never empty or torn, and the next save clears
// whatever the killed ones left beside it.
#include "formats/gad_file.h"
#include "formats/gad_util.h"
#include "support/folder_state.h"
#include "support/pc_fax_book.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <random>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray gadImage(const CAbifData &data) {
    CGADFile file;
    EXPECT_EQ(file.writeData(data), ABIF_OK);
    return file.output();
}

// Starts a save of `data` in a child process and kills it `delay` after the
// child began it.
void killedSave(const QString &file, const CAbifData &data, std::chrono::microseconds delay) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        const bool told = ::write(ready[1], "x", 1) == 1;
        CGADUtil::write(file, data);
        // Wait for the kill, so that every round ends the same way.
        while (told) ::pause();
        ::_exit(1);
    }
    ::close(ready[1]);
    char c;
    EXPECT_EQ(::read(ready[0], &c, 1), 1);
    ::close(ready[0]);
    std::this_thread::sleep_for(delay);
    ::kill(child, SIGKILL);
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
}

TEST(FileCrash, killedSavesLeaveTheOldOrTheNewBookAndTheNextSaveClearsTheirLeftovers) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("book.qad"));
    const CAbifData oldBook = [] {
        CAbifData data;
        const CAbifMyFaxData ann = test::myFax(1, u"Ann");
        data.array<CAbifMyFaxData>().append({&ann, 1});
        return data;
    }();
    const CAbifData newBook = test::fullBook();
    const QByteArray oldImage = gadImage(oldBook);
    const QByteArray newImage = gadImage(newBook);

    // Kill anywhere from before the save starts to a little after it ended.
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(CGADUtil::write(file, newBook), ABIF_OK);
    const auto saveTime = std::chrono::microseconds(timer.nsecsElapsed() / 1000);
    std::mt19937 random(33);
    std::uniform_int_distribution<long> delay(0, saveTime.count() * 3 / 2 + 200);

    int leftBehind = 0;
    for (int round = 0; round < 200; ++round) {
        const bool firstSave = round % 2 == 0;
        SCOPED_TRACE(testing::Message() << "round " << round << (firstSave ? ", first save" : ", replacing"));
        if (firstSave) {
            ASSERT_TRUE(QFile::remove(file));
        }
        killedSave(file, newBook, std::chrono::microseconds(delay(random)));

        if (QFile::exists(file)) {
            const QByteArray now = test::contentOf(file);
            ASSERT_TRUE(now == newImage || (!firstSave && now == oldImage))
                << "a killed save left a torn or empty file of " << now.size() << " bytes";
        }
        leftBehind += static_cast<int>(test::entriesOf(dir.path()).size()) - (QFile::exists(file) ? 1 : 0);

        ASSERT_EQ(CGADUtil::write(file, oldBook), ABIF_OK);
        ASSERT_EQ(test::entriesOf(dir.path()), QStringList{"book.qad"}) << "the next save leaves no leftover";
    }
    RecordProperty("temporariesLeftByKilledSaves", leftBehind);
}

}  // namespace
