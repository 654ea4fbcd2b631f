// Closing the window: the question about unsaved changes, what each answer
// runs, and the file remembered for the next start.
#include "document/linquara_doc_last_file.h"
#include "document_fixture.h"

#include <QDateTime>
#include <QFileInfo>

namespace {

using test::DocumentTest;

// Moves the file's modification time into the past, so that a rewrite shows.
void age(const QString &path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
}

bool rewrittenToday(const QString &path) {
    return QFileInfo(path).lastModified() > QDateTime::currentDateTime().addDays(-1);
}

TEST_F(DocumentTest, closingWithOnlyMachineChangesRunsWhatTheAnswerSays) {
    struct Case {
        const char *what;
        PromptAnswer answer;
        bool closes;
        bool machineWritten;
    };
    const Case cases[] = {
        {"cancel", PromptAnswer::Cancel, false, false},
        {"no", PromptAnswer::No, true, false},
        {"yes saves all, the PC fax file too", PromptAnswer::Yes, true, true},
    };
    const QString office = file(QStringLiteral("office.qad"));
    writeBook(office, {QStringLiteral("Anna")});
    start({MethodNotChosen, {}, office, {}});
    for (const Case &c : cases) {
        const QString number = QStringLiteral("+49 30 %1").arg(&c - cases);
        renumber(1, number);
        age(office);
        prompt.shown.clear();
        prompt.answers = {c.answer};
        EXPECT_EQ(doc->SaveModified(), c.closes) << c.what;
        EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgSaveChanges)}) << c.what;
        EXPECT_EQ(shown().fax.at(1).number == number, c.machineWritten) << c.what;
        EXPECT_EQ(rewrittenToday(office), c.machineWritten) << c.what;
        EXPECT_EQ(doc->IsMachineModified(), !c.machineWritten) << c.what;
        doc->SetMachineModified(false);
    }
    EXPECT_TRUE(prompt.choices.isEmpty());
}

TEST_F(DocumentTest, closingWithoutChangesAsksNothing) {
    start();
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST_F(DocumentTest, yesForAnUnnamedBookAsksForItsNameAndStillSavesTheMachine) {
    start();
    doc->OnNewPcFax();
    edit(test::pcFax(1, QStringLiteral("Anna")));
    renumber(1, QStringLiteral("+49 30 111"));
    const QString named = file(QStringLiteral("named.qad"));
    prompt.answers = {PromptAnswer::Yes};
    prompt.files = {named};
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_EQ(namesInFile(named), QStringList{QStringLiteral("Anna")});
    EXPECT_EQ(shown().fax.at(1).number, QStringLiteral("+49 30 111"));
}

TEST_F(DocumentTest, yesWhoseSaveFailsKeepsTheWindowAndTheChanges) {
    struct Case {
        const char *what;
        bool machine;  // else the PC fax book
    };
    const Case cases[] = {{"the machine is off", true}, {"the file name is cancelled", false}};
    start();
    doc->OnNewPcFax();
    for (const Case &c : cases) {
        if (c.machine) {
            renumber(1, QStringLiteral("+49 30 111"));
            panel({QStringLiteral("power"), QStringLiteral("off")});
        } else {
            edit(test::pcFax(1, QStringLiteral("Anna")));
        }
        prompt.shown.clear();
        prompt.answers = {PromptAnswer::Yes};
        EXPECT_FALSE(doc->SaveModified()) << c.what;
        EXPECT_EQ(doc->IsMachineModified(), c.machine) << c.what;
        EXPECT_EQ(doc->IsPcFaxModified(), !c.machine) << c.what;
        if (c.machine) {
            // Unanswered, the offer to close without the machine book keeps the window.
            EXPECT_EQ(prompt.shown.mid(1), (QStringList{test::text(lqa::ids::MsgUnableToConnect),
                                                        test::text(lqa::ids::MsgCloseMachineNotSaved)}))
                << c.what;
            doc->SetMachineModified(false);
            panel({QStringLiteral("power"), QStringLiteral("on")});
        }
    }
}

TEST_F(DocumentTest, yesOnCloseAfterTheConnectionWasLostSaysWhyAndMayCloseWithoutTheMachineBook) {
    struct Case {
        const char *what;
        PromptAnswer answer;
        bool closes;
    };
    const Case cases[] = {{"stay", PromptAnswer::No, false}, {"close without it", PromptAnswer::Yes, true}};
    const QString office = file(QStringLiteral("office.qad"));
    writeBook(office, {QStringLiteral("Anna")});
    start({MethodNotChosen, {}, office, {}});
    renumber(1, QStringLiteral("+49 30 111"));
    edit(test::pcFax(2, QStringLiteral("Bernd")));
    panel({QStringLiteral("power"), QStringLiteral("off")});
    prompt.answers = {PromptAnswer::Yes};
    doc->OnCheckForUpdate();
    ASSERT_FALSE(doc->IsMachineConnected());
    for (const Case &c : cases) {
        prompt.shown.clear();
        prompt.answers = {PromptAnswer::Yes, c.answer};
        EXPECT_EQ(doc->SaveModified(), c.closes) << c.what;
        EXPECT_EQ(prompt.shown, (QStringList{test::text(lqa::ids::MsgSaveChanges),
                                             test::text(lqa::ids::MsgCloseMachineUnreachable)}))
            << c.what;
        EXPECT_TRUE(doc->IsMachineModified()) << c.what;
    }
    EXPECT_EQ(namesInFile(office), (QStringList{QStringLiteral("Anna"), QStringLiteral("Bernd")}))
        << "the PC fax book was saved";
}

TEST_F(DocumentTest, theOpenFileIsRememberedForTheNextStart) {
    const QString office = file(QStringLiteral("Büro ✓.qad"));
    writeBook(office, {QStringLiteral("Anna")});
    start({MethodNotChosen, {}, office, {}});
    doc->OnCloseDocument();
    EXPECT_EQ(ReadLastFileName(), office);
    const QByteArray stored = test::SettingsFolder::raw().value(QStringLiteral("LastFileName")).toByteArray();
    ASSERT_EQ(stored.size(), 2 * office.size() + 2) << "UTF-16 with its terminating zero";
    EXPECT_EQ(stored.right(2), QByteArray(2, '\0'));
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t *>(stored.constData()), office.size()), office);
}

}  // namespace
