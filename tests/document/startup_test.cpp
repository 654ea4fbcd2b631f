// Start-up of the document: which PC fax file it opens, how the connection
// choice ends it, what the first snapshot holds, and which commands the
// result enables.
#include "document/linquara_doc_last_file.h"
#include "document_fixture.h"

namespace {

using test::DocumentTest;

TEST_F(DocumentTest, startUpReadsTheMachineAndTheLastFileIntoOneSnapshot) {
    const QString path = file(QStringLiteral("office.qad"));
    writeBook(path, {QStringLiteral("Anna"), QStringLiteral("Bernd")});
    WriteLastFileName(path);
    int replaced = 0;
    QObject::connect(doc.get(), &CLinquaraDoc::dataReplaced, [&] { ++replaced; });

    start();
    EXPECT_EQ(dialogs.methodDialogs, 0) << "without settings the machine is reached over USB at once";
    EXPECT_EQ(test::faxPart(data()), test::bookOf(shown()));
    EXPECT_EQ(test::pcFaxNames(data()), (QStringList{QStringLiteral("Anna"), QStringLiteral("Bernd")}));
    EXPECT_EQ(doc->PcFaxPath(), path);
    EXPECT_TRUE(doc->IsMachineConnected());
    EXPECT_TRUE(doc->IsDeviceAccessed());
    EXPECT_FALSE(doc->IsMachineModified());
    EXPECT_FALSE(doc->IsPcFaxModified());
    EXPECT_EQ(doc->History().GetSnapshotCount(), 1);
    EXPECT_EQ(replaced, 1);
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST_F(DocumentTest, theFileOpenedAtStartUpComesFromTheCommandLineTheLastFileOrTheDefault) {
    struct Case {
        const char *what;
        const char *lastFile;  // null: no setting
        const char *cmdFile;   // null: none given
        const char *opened;    // null: the default file
    };
    const Case cases[] = {
        {"nothing named: the default, created", nullptr, nullptr, nullptr},
        {"the last file", "last.qad", nullptr, "last.qad"},
        {"the command line wins", "last.qad", "given.qad", "given.qad"},
        {"a lost last file gives way to the default", "gone.qad", nullptr, nullptr},
    };
    writeBook(file(QStringLiteral("last.qad")), {QStringLiteral("Last")});
    writeBook(file(QStringLiteral("given.qad")), {QStringLiteral("Given")});
    for (const Case &c : cases) {
        test::SettingsFolder::raw().remove(QStringLiteral("LastFileName"));
        if (c.lastFile) WriteLastFileName(file(QString::fromUtf8(c.lastFile)));
        DocumentStartup startup;
        if (c.cmdFile) startup.cmdFile = file(QString::fromUtf8(c.cmdFile));
        CLinquaraDoc fresh(DocumentServices{prompt, dialogs, shares, file(QStringLiteral("Data.dat"))});
        ASSERT_TRUE(fresh.OnNewDocument(startup)) << c.what;
        const QString expected = c.opened ? file(QString::fromUtf8(c.opened)) : CAdrInputOutput::DefaultPcFaxPath();
        EXPECT_EQ(fresh.PcFaxPath(), expected) << c.what;
        EXPECT_TRUE(QFile::exists(expected)) << c.what;
    }
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST_F(DocumentTest, cancellingTheConnectionChoiceEndsStartUpWithoutAnyData) {
    test::SettingsFolder::raw().setValue(QStringLiteral("DestType"), -1);
    EXPECT_FALSE(doc->OnNewDocument({}));
    EXPECT_EQ(dialogs.methodDialogs, 1);
    EXPECT_EQ(doc->GetData(), nullptr);
    EXPECT_FALSE(doc->IsMachineConnected());
}

TEST_F(DocumentTest, goingOfflineAfterAFailedConnectKeepsOnlyThePcFaxBook) {
    writeBook(file(QStringLiteral("office.qad")), {QStringLiteral("Anna")});
    panel({QStringLiteral("power"), QStringLiteral("off")});
    test::SettingsFolder::raw().setValue(QStringLiteral("DestType"), -1);
    dialogs.methods = {MethodUsb, MethodOffline};
    start({MethodNotChosen, {}, file(QStringLiteral("office.qad")), {}});
    EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgUnableToConnect)});
    EXPECT_EQ(dialogs.cautions, 0);
    EXPECT_FALSE(doc->IsMachineConnected());
    EXPECT_FALSE(doc->IsDeviceAccessed());
    EXPECT_TRUE(data().Map<CAdrMemberAioFax>().IsEmpty());
    EXPECT_TRUE(data().Map<CAdrGroupAioFax>().IsEmpty());
    EXPECT_EQ(test::pcFaxNames(data()), QStringList{QStringLiteral("Anna")});
}

TEST_F(DocumentTest, aCancelledPasswordPromptAtStartUpOpensThePcFaxBookOffline) {
    const QString office = file(QStringLiteral("office.qad"));
    writeBook(office, {QStringLiteral("Anna")});
    panel({QStringLiteral("password"), QStringLiteral("set"), QStringLiteral("4711")});
    ASSERT_NO_FATAL_FAILURE(start({MethodNotChosen, {}, office, {}}));
    EXPECT_EQ(libraryPrompt.kinds.size(), 1u) << "the password was asked for";
    EXPECT_EQ(test::pcFaxNames(data()), QStringList{QStringLiteral("Anna")});
    EXPECT_EQ(doc->PcFaxPath(), office);
    EXPECT_TRUE(data().Map<CAdrMemberAioFax>().IsEmpty());
    EXPECT_FALSE(doc->IsMachineConnected());
    EXPECT_TRUE(doc->IsEnabled(CLinquaraDoc::Command::CheckForUpdate)) << "the machine can be tried again";
    EXPECT_EQ(dialogs.methodDialogs, 0);
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST_F(DocumentTest, aMachineWithoutFaxSlotsIsConnectedAtStartUp) {
    panel({QStringLiteral("reset")});
    panel({QStringLiteral("capacity"), QStringLiteral("0"), QStringLiteral("6")});
    ASSERT_NO_FATAL_FAILURE(start());
    EXPECT_TRUE(doc->IsMachineConnected());
    EXPECT_TRUE(doc->IsEnabled(CLinquaraDoc::Command::SaveMachine));
    EXPECT_TRUE(data().Map<CAdrMemberAioFax>().IsEmpty());
    EXPECT_EQ(dialogs.methodDialogs, 0) << "no retry";
    EXPECT_TRUE(prompt.shown.isEmpty()) << prompt.shown.join(QLatin1Char('|')).toStdString();

    doc->OnCheckForUpdate();
    EXPECT_TRUE(doc->IsMachineConnected());
    EXPECT_TRUE(prompt.shown.isEmpty()) << prompt.shown.join(QLatin1Char('|')).toStdString();
}

TEST_F(DocumentTest, commandsAreEnabledByTheConnection) {
    using C = CLinquaraDoc::Command;
    struct Case {
        C command;
        bool online;
        bool offline;
    };
    const Case cases[] = {
        {C::CheckForUpdate, true, false}, {C::NewPcFax, true, true},     {C::OpenPcFax, true, true},
        {C::Backup, true, false},         {C::Restore, true, false},     {C::SaveAll, true, true},
        {C::SaveMachine, true, false},    {C::SavePcFax, true, true},    {C::SavePcFaxAs, true, true},
        {C::Undo, false, false},          {C::Redo, false, false},
    };
    start();
    for (const Case &c : cases) EXPECT_EQ(doc->IsEnabled(c.command), c.online) << int(c.command);

    // The offline method named on the command line never touches the machine.
    CLinquaraDoc offline(DocumentServices{prompt, dialogs, shares, file(QStringLiteral("Data.dat"))});
    ASSERT_TRUE(offline.OnNewDocument({MethodOffline, {}, {}, {}}));
    EXPECT_EQ(dialogs.methodDialogs, 0);
    for (const Case &c : cases) EXPECT_EQ(offline.IsEnabled(c.command), c.offline) << int(c.command);
}

TEST_F(DocumentTest, undoAndRedoFollowTheHistoryAndLeaveTheFlags) {
    start();
    edit(test::pcFax(7, QStringLiteral("Temp")));
    EXPECT_TRUE(doc->IsEnabled(CLinquaraDoc::Command::Undo));
    int replaced = 0;
    QObject::connect(doc.get(), &CLinquaraDoc::dataReplaced, [&] { ++replaced; });
    doc->OnUndo();
    EXPECT_EQ(data().Map<CAdrMemberPcFax>().Lookup(7), nullptr);
    EXPECT_TRUE(doc->IsEnabled(CLinquaraDoc::Command::Redo));
    EXPECT_TRUE(doc->IsPcFaxModified());
    doc->OnRedo();
    EXPECT_NE(data().Map<CAdrMemberPcFax>().Lookup(7), nullptr);
    EXPECT_EQ(replaced, 2);
}

}  // namespace
