// A file replaced only once everything was written.
#include "formats/file_error.h"
#include "formats/replacing_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

class ReplacingFileTest : public testing::Test {
protected:
    QString path(const QString &name) const { return dir_.filePath(name); }
    static QByteArray contents(const QString &file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static void put(const QString &file, const QByteArray &bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QStringList entries() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); }

    static int errorOf(const std::function<void()> &work) {
        try {
            work();
        } catch (const abif::FileError &error) {
            return error.osError();
        }
        return 0;
    }

    QTemporaryDir dir_;
};

TEST_F(ReplacingFileTest, theTargetChangesOnlyOnCommit) {
    const QString target = path("book.csv");
    put(target, "old");
    {
        abif::ReplacingFile file(target);
        file.write("new");
        EXPECT_EQ(contents(target), "old");
        file.commit();
    }
    EXPECT_EQ(contents(target), "new");
    {
        abif::ReplacingFile file(target);
        file.write("abandoned");
    }
    EXPECT_EQ(contents(target), "new");
    EXPECT_EQ(entries(), QStringList{"book.csv"});
}

TEST_F(ReplacingFileTest, keepsThePermissionsOfTheFileItReplaces) {
    const QString target = path("book.csv");
    put(target, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    abif::ReplacingFile file(target);
    file.commit();
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(ReplacingFileTest, writesThroughALinkToTheFileItNames) {
    put(path("real.csv"), "old");
    ASSERT_TRUE(QFile::link(path("real.csv"), path("link.csv")));
    abif::ReplacingFile file(path("link.csv"));
    file.write("new");
    file.commit();
    EXPECT_TRUE(QFileInfo(path("link.csv")).isSymLink());
    EXPECT_EQ(contents(path("real.csv")), "new");
}

TEST_F(ReplacingFileTest, aFileThatCannotBeCreatedGivesTheSystemError) {
    put(path("plain"), "x");
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder"));
    const struct {
        const char *name;
        int error;
    } cases[] = {{"missing/book.csv", ENOENT}, {"plain/book.csv", ENOTDIR}, {"folder", EISDIR}};
    for (const auto &c : cases)
        EXPECT_EQ(errorOf([&] { abif::ReplacingFile file(path(c.name)); }), c.error) << c.name;
    EXPECT_EQ(entries(), QStringList{"plain"});
}

TEST_F(ReplacingFileTest, aWriteThatFailsLeavesThePreviousFileAndNoLeftovers) {
    const QString target = path("book.csv");
    put(target, "old");
    // A file size limit makes writing fail part-way, as a full disk does.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const int error = errorOf([&] {
        abif::ReplacingFile file(target);
        for (int i = 0; i < 100; ++i) file.write(QByteArray(1000, 'x'));
        file.commit();
    });
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(contents(target), "old");
    EXPECT_EQ(entries(), QStringList{"book.csv"});
}

}  // namespace
