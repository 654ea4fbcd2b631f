// The PC fax address book between processes: a write cut short by a file-size
// limit, and two processes updating the same file at once.
#include "core/library_ui.h"
#include "formats/gad_util.h"
#include "support/pc_fax_book.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <thread>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray contentOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

CAbifData book(std::initializer_list<CAbifMyFaxData> members) {
    CAbifData data;
    data.array<CAbifMyFaxData>().append({members.begin(), members.size()});
    return data;
}

struct Pipe {
    int fd[2] = {-1, -1};
    Pipe() { EXPECT_EQ(::pipe(fd), 0); }
    ~Pipe() {
        for (int f : fd)
            if (f >= 0) ::close(f);
    }
    void signal() const { EXPECT_EQ(::write(fd[1], "x", 1), 1); }
    // Once only the child can signal, its death ends a wait instead of blocking it.
    void leaveSignallingToTheChild() {
        ::close(fd[1]);
        fd[1] = -1;
    }
    void wait() const {
        char c;
        EXPECT_EQ(::read(fd[0], &c, 1), 1);
    }
};

// `work` in a child process; result() waits for it and returns what it returned.
class Child {
public:
    explicit Child(const std::function<int32_t()> &work) {
        pid_ = ::fork();
        if (pid_ == 0) {
            const int32_t result = work();
            const bool sent = ::write(result_.fd[1], &result, sizeof result) == sizeof result;
            ::_exit(sent ? 0 : 1);
        }
        result_.leaveSignallingToTheChild();
    }
    int32_t result() {
        int32_t r = -1;
        EXPECT_EQ(::read(result_.fd[0], &r, sizeof r), static_cast<ssize_t>(sizeof r));
        int status = 0;
        EXPECT_EQ(::waitpid(pid_, &status, 0), pid_);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        return r;
    }

private:
    Pipe result_;
    pid_t pid_;
};

TEST(GadFileProcesses, writeCutShortByAFileSizeLimitLeavesTheOldFile) {
    const struct {
        const char *name;
        bool existing;
        bool update;
    } cases[] = {{"write", true, false}, {"update", true, true}, {"firstWrite", false, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("book.qad"));
        const CAbifData old = book({test::myFax(1, u"Ann"), test::myFax(2, u"Bob")});
        if (c.existing) {
            ASSERT_EQ(CGADUtil::write(file, old), ABIF_OK);
        }
        const QByteArray before = contentOf(file);

        Child child([&] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{16384, 16384};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return -1;
            const CAbifData full = test::fullBook();
            CAbifData output;
            return c.update ? CGADUtil::update(file, old, full, output, 0) : CGADUtil::write(file, full);
        });
        EXPECT_EQ(child.result(), EFBIG);

        EXPECT_EQ(QFile::exists(file), c.existing);
        EXPECT_EQ(contentOf(file), before);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                  c.existing ? 1 : 0)
            << "no temporary file is left behind";
    }
}

// Answers OK, but only when the test says so: until then the update holds the file.
class HeldPromptUi final : public abif::LibraryUi {
public:
    HeldPromptUi(const Pipe &asked, const Pipe &answer) : asked_(asked), answer_(answer) {}
    abif::MessageAnswer message(const QString &, abif::MessageButtons, abif::MessageIcon) override {
        asked_.signal();
        answer_.wait();
        return abif::MessageAnswer::Ok;
    }
    void setBusy(bool) override {}
    void openHelp(const QUrl &) override {}

private:
    const Pipe &asked_;
    const Pipe &answer_;
};

TEST(GadFileProcesses, secondUpdateSeesTheFirstOnesContentAsAChange) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("book.qad"));
    const CAbifData original = book({test::myFax(1, u"Ann")});
    const CAbifData firstEdit = book({test::myFax(1, u"Ann"), test::myFax(2, u"First")});
    const CAbifData secondEdit = book({test::myFax(1, u"Ann"), test::myFax(3, u"Second")});
    ASSERT_EQ(CGADUtil::write(file, original), ABIF_OK);
    Pipe firstAsked, firstAnswer, secondStarted;

    // The first holds the file while it asks about a change (its base differs).
    Child first([&] {
        HeldPromptUi ui(firstAsked, firstAnswer);
        abif::setLibraryUi(&ui);
        CAbifData output;
        return CGADUtil::update(file, book({}), firstEdit, output, ABIF_GAD_ASK_OVERWRITE);
    });
    firstAsked.leaveSignallingToTheChild();
    firstAsked.wait();
    // The second read the original and refuses to overwrite anything else.
    Child second([&] {
        secondStarted.signal();
        CAbifData output;
        return CGADUtil::update(file, original, secondEdit, output, ABIF_GAD_REFUSE_OVERWRITE);
    });
    secondStarted.leaveSignallingToTheChild();
    secondStarted.wait();
    // Let the second reach the lock; it is refused the same way if it comes late.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    firstAnswer.signal();

    EXPECT_EQ(first.result(), ABIF_OK);
    EXPECT_EQ(second.result(), ABIF_E_CANCEL);
    CAbifData onDisk;
    ASSERT_EQ(CGADUtil::read(file, onDisk), ABIF_OK);
    EXPECT_TRUE(abif::equalByKinds(onDisk, firstEdit, ABIF_KIND_MYFAX));
}

}  // namespace
