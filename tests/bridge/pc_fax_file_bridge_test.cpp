// The PC fax address book file through the bridge: save as, save, open with
// its fallback to the default file, and a change made by another program.
#include "devops/device_fixture.h"
#include "document/adr_input_output.h"
#include "support/scripted_prompt.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CAdrMemberPcFax member(quint16 id, const QString &name) {
    CAdrMemberPcFax m;
    m.SetID(id);
    m.SetName(name);
    m.SetFaxNumber(QStringLiteral("030 %1").arg(id));
    m.SetCompany(QStringLiteral("Company %1").arg(id));
    return m;
}

CAdrData book(std::initializer_list<std::pair<quint16, const char *>> members) {
    CAdrData data;
    for (const auto &[id, name] : members) data.StoreCopy(member(id, QString::fromUtf8(name)));
    return data;
}

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PcFaxFileBridge : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        // The default file lives in the documents folder of this home.
        oldHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    }
    void TearDown() override {
        qputenv("HOME", oldHome);
        qunsetenv("XDG_CONFIG_HOME");
    }

    QString file(const QString &name) const { return home.filePath(name); }

    QTemporaryDir home;
    QByteArray oldHome;
    ScriptedPrompt prompt;
    test::PromptScript libraryPrompt;
};

TEST_F(PcFaxFileBridge, saveAsEditSaveRoundTrip) {
    const QString path = file(QStringLiteral("office.qad"));
    CAdrData data = book({{1, "Anna"}, {2, "Bernd"}, {3, "Çelik"}});
    CAdrGroupPcFax group;
    group.SetID(1);
    group.SetName(QStringLiteral("Team"));
    group.AddMember(1);
    group.AddMember(3);
    data.StoreCopy(group);

    CAdrInputOutput io(prompt);
    ASSERT_EQ(io.WritePcFaxFile(path, data), AdrIoOk);
    data.Map<CAdrMemberPcFax>().RemoveKey(2);
    data.StoreCopy(member(2, QStringLiteral("Bernd Neu")));
    data.StoreCopy(member(4, QStringLiteral("Dora")));
    ASSERT_EQ(io.UpdatePcFaxFile(path, data), AdrIoOk);
    EXPECT_TRUE(libraryPrompt.messages.empty()) << "nobody else changed the file";

    CAdrInputOutput other(prompt);
    CAdrData read;
    ASSERT_EQ(other.ReadPcFaxFile(path, read), AdrIoOk);
    EXPECT_TRUE(read.EqualPerKind(data).pcFax);
}

TEST_F(PcFaxFileBridge, aFileChangedByAnotherProgramIsOnlyOverwrittenWhenThePersonAgrees) {
    struct Case {
        abif::MessageAnswer answer;
        quint16 result;
        bool oursWritten;
    };
    for (const Case &c : {Case{abif::MessageAnswer::Cancel, AdrIoCancelled, false},
                          Case{abif::MessageAnswer::Ok, AdrIoOk, true}}) {
        const QString path = file(QStringLiteral("shared.qad"));
        CAdrInputOutput mine(prompt), theirs(prompt);
        CAdrData data = book({{1, "Anna"}});
        ASSERT_EQ(mine.WritePcFaxFile(path, data), AdrIoOk);
        CAdrData read;
        ASSERT_EQ(theirs.ReadPcFaxFile(path, read), AdrIoOk);
        read.StoreCopy(member(9, QStringLiteral("Added elsewhere")));
        ASSERT_EQ(theirs.UpdatePcFaxFile(path, read), AdrIoOk);
        const QByteArray changedElsewhere = contents(path);

        libraryPrompt.messages.clear();
        libraryPrompt.answers = {c.answer};
        data.StoreCopy(member(2, QStringLiteral("Mine")));
        EXPECT_EQ(mine.UpdatePcFaxFile(path, data), c.result);
        EXPECT_EQ(libraryPrompt.messages, std::vector<QString>{QStringLiteral("The file will be overwritten. Are you sure?")});
        CAdrData after;
        ASSERT_EQ(CAdrInputOutput(prompt).ReadPcFaxFile(path, after), AdrIoOk);
        EXPECT_EQ(after.EqualPerKind(data).pcFax, c.oursWritten);
        if (!c.oursWritten) {
            EXPECT_EQ(contents(path), changedElsewhere);
        }
    }
}

TEST_F(PcFaxFileBridge, aFailedReadClearsOnlyThePcFaxPart) {
    CAdrData data = book({{1, "Anna"}});
    CAdrMemberAioFax fax;
    fax.SetID(1);
    data.StoreCopy(fax);
    QFile damaged(file(QStringLiteral("damaged.qad")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not an address book");
    damaged.close();

    CAdrInputOutput io(prompt);
    for (const QString &path : {file(QStringLiteral("missing.qad")), damaged.fileName()}) {
        EXPECT_EQ(io.ReadPcFaxFile(path, data), AdrIoReadFailed);
        EXPECT_EQ(data.Map<CAdrMemberPcFax>().GetCount(), 0);
        EXPECT_EQ(data.Map<CAdrMemberAioFax>().GetCount(), 1);
    }
}

TEST_F(PcFaxFileBridge, openingWithoutAPathCreatesTheDefaultFileInTheDocumentsFolder) {
    QString path;
    CAdrData data;
    CAdrInputOutput io(prompt);
    EXPECT_EQ(io.OpenPcFaxFile(path, data, false), AdrIoOk);
    EXPECT_EQ(path, file(QStringLiteral("Documents/default.qad")));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(data.Map<CAdrMemberPcFax>().GetCount(), 0);

    // The next start finds and reads it.
    ASSERT_EQ(io.WritePcFaxFile(path, book({{5, "Eva"}})), AdrIoOk);
    QString again;
    EXPECT_EQ(io.OpenPcFaxFile(again, data, false), AdrIoOk);
    EXPECT_EQ(again, path);
    EXPECT_EQ(data.Map<CAdrMemberPcFax>().GetCount(), 1);
}

TEST_F(PcFaxFileBridge, aFileThatCannotBeOpenedFallsBackToTheDefaultFileOnlyWhenAllowed) {
    const QString missing = file(QStringLiteral("gone.qad"));
    CAdrInputOutput io(prompt);
    QDir().mkpath(file(QStringLiteral("Documents")));
    ASSERT_EQ(io.WritePcFaxFile(CAdrInputOutput::DefaultPcFaxPath(), book({{5, "Eva"}})), AdrIoOk);

    QString path = missing;
    CAdrData data;
    EXPECT_EQ(io.OpenPcFaxFile(path, data, false), AdrIoReadFailed);
    EXPECT_EQ(path, missing);

    EXPECT_EQ(io.OpenPcFaxFile(path, data, true), AdrIoOk);
    EXPECT_EQ(path, CAdrInputOutput::DefaultPcFaxPath());
    EXPECT_EQ(data.Map<CAdrMemberPcFax>().GetCount(), 1);
}

TEST_F(PcFaxFileBridge, anUnreadableDefaultFileLeavesNoPath) {
    QDir().mkpath(file(QStringLiteral("Documents")));
    QFile damaged(CAdrInputOutput::DefaultPcFaxPath());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("garbage");
    damaged.close();

    CAdrInputOutput io(prompt);
    QString path;
    EXPECT_FALSE(io.EnsurePcFaxFile(path));
    EXPECT_TRUE(path.isEmpty());
    path = CAdrInputOutput::DefaultPcFaxPath();
    CAdrData data;
    EXPECT_EQ(io.OpenPcFaxFile(path, data, true), AdrIoOk);
    EXPECT_TRUE(path.isEmpty());
    EXPECT_EQ(contents(CAdrInputOutput::DefaultPcFaxPath()), QByteArray("garbage")) << "never overwritten";
}

}  // namespace
