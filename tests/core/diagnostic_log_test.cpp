// The diagnostic log, driven by a settings file in a temporary folder.
#include "core/diagnostic_log.h"
#include "core/library_ui.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class CountingUi final : public abif::LibraryUi {
public:
    abif::MessageAnswer message(const QString &text, abif::MessageButtons, abif::MessageIcon) override {
        messages.push_back(text);
        return abif::MessageAnswer::Ok;
    }
    void setBusy(bool) override {}
    void openHelp(const QUrl &) override {}
    QStringList messages;
};

class Log : public ::testing::Test {
protected:
    void SetUp() override { abif::setLibraryUi(&ui); }
    void TearDown() override { abif::setLibraryUi(nullptr); }

    void writeSettings(const QByteArray &ini) { writeSettingsFile("[DumpLog]\n" + ini); }
    void writeSettingsFile(const QByteArray &text) {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QString settingsPath() const { return dir.filePath(QStringLiteral("libabiflink.INI")); }
    QString logPath() const { return dir.filePath(QStringLiteral("libabiflink.Log")); }
    QByteArray logText() const {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void line(abif::DiagnosticLog &log, abif::LogLevel level, unsigned category, const char *format, ...)
        __attribute__((format(printf, 4, 5))) {
        va_list args;
        va_start(args, format);
        log.write(level, category, format, args);
        va_end(args);
    }

    QTemporaryDir dir;
    CountingUi ui;
};

TEST_F(Log, withoutSettingsNothingIsWrittenAndNoFileCreated) {
    abif::DiagnosticLog log(settingsPath(), logPath());
    line(log, abif::LogError, abif::LogGeneral, "failed\n");
    EXPECT_TRUE(log.isOff());
    EXPECT_FALSE(QFile::exists(logPath()));
}

TEST_F(Log, levelAndCategoryMaskChooseTheLines) {
    writeSettings("Level=1\nCategory=8\nTimeStamp=0\n");
    abif::DiagnosticLog log(settingsPath(), logPath());
    line(log, abif::LogError, abif::LogGadFile, "CGADUtil::Read: (%d, 0x%x, %s)\n", 2, 0x20000008, "/tmp/x.qad");
    line(log, abif::LogInformation, abif::LogGadFile, "not at level 1\n");
    line(log, abif::LogError, abif::LogDevice, "not in the mask\n");
    EXPECT_EQ(logText(), QByteArray("[GAD] [ERR] CGADUtil::Read: (2, 0x20000008, /tmp/x.qad)\r\n"));
}

TEST_F(Log, levelFourAddsInformationAndUnknownTagsShowAsQuestionMarks) {
    writeSettings("Level=4\nTimeStamp=0\n");
    abif::DiagnosticLog log(settingsPath(), logPath());
    line(log, abif::LogInformation, abif::LogBackup, "one\n");
    line(log, abif::LogInformation, 64, "two\n");
    line(log, abif::LogWarning, abif::LogImport, "three\n");
    EXPECT_EQ(logText(), QByteArray("[GBK] [INF] one\r\n[???] [INF] two\r\n[IMP] [WRN] three\r\n"));
}

TEST_F(Log, timeStampIsOnByDefaultAndLinesAreAppended) {
    writeSettings("Level=4\n");
    {
        QFile old(logPath());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("earlier\r\n");
    }
    abif::DiagnosticLog log(settingsPath(), logPath());
    line(log, abif::LogInformation, abif::LogGeneral, "InitInstance(hInst=0x%x, nThreadID=0x%x)\n", 0x1000u, 0x2au);
    const QByteArray text = logText();
    ASSERT_TRUE(text.startsWith("earlier\r\n"));
    const QRegularExpression stamped(
        QStringLiteral(R"(^\d{4}/\d\d/\d\d-\d\d:\d\d:\d\d\(\d{10}\) \[GEN\] \[INF\] InitInstance\(hInst=0x1000, nThreadID=0x2a\)\r\n$)"));
    EXPECT_TRUE(stamped.match(QString::fromLatin1(text.mid(9))).hasMatch()) << text.constData();
}

TEST_F(Log, logFileIsCreatedForItsOwnerAloneWhateverTheUmask) {
    writeSettings("Level=1\n");
    const mode_t previous = ::umask(022);
    abif::DiagnosticLog log(settingsPath(), logPath());
    line(log, abif::LogError, abif::LogGeneral, "failed\n");
    ::umask(previous);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(logPath()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
}

// Settings as a hand-edited profile may spell them, and the one line each lets through.
struct Spelling {
    const char *name;
    QByteArray ini;
    QByteArray logged;
};
void PrintTo(const Spelling &s, std::ostream *out) { *out << s.name; }

class SettingsSpelling : public Log, public ::testing::WithParamInterface<Spelling> {};

TEST_P(SettingsSpelling, sectionAndKeysAreReadInAnyLetterCase) {
    writeSettingsFile(GetParam().ini);
    abif::DiagnosticLog log(settingsPath(), logPath());
    line(log, abif::LogError, abif::LogGadFile, "gad\n");
    line(log, abif::LogInformation, abif::LogDevice, "dev\n");
    EXPECT_EQ(logText(), GetParam().logged);
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, SettingsSpelling,
    ::testing::Values(Spelling{"lowerCase", "[dumplog]\nlevel=4\ncategory=2\ntimestamp=0\n", "[DEV] [INF] dev\r\n"},
                      Spelling{"upperCase", "[DUMPLOG]\nLEVEL=1\nCATEGORY=8\nTIMESTAMP=0\n", "[GAD] [ERR] gad\r\n"},
                      Spelling{"mixed", "[dumpLOG]\nLeVeL=4\nTimestamp=0\n", "[GAD] [ERR] gad\r\n[DEV] [INF] dev\r\n"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Log, aFailedWriteShowsErrorOnceAndSwitchesLoggingOff) {
    writeSettings("Level=4\n");
    abif::DiagnosticLog log(settingsPath(), dir.filePath(QStringLiteral("missing/folder/x.Log")));
    line(log, abif::LogError, abif::LogGeneral, "first\n");
    line(log, abif::LogError, abif::LogGeneral, "second\n");
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("ERROR")});
    EXPECT_TRUE(log.isOff());
}

}  // namespace
