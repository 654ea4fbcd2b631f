// The machine commands of the document against the machine stand-in: save
// machine and save all, check for updated information, back up and restore.
#include "document_fixture.h"

namespace {

using test::DocumentTest;

QString restoreQuestion(int added, int changed, int removed) {
    return lqa::formatText(lqa::ids::MsgConfirmRestore,
                           {QString::number(added), QString::number(changed), QString::number(removed)});
}

TEST_F(DocumentTest, saveMachineWritesTheChangesAndKeepsWhatTheMachineDoesNotHold) {
    start();
    renumber(1, QStringLiteral("+49 30 111"));
    edit(test::aioFax(40, QStringLiteral("New Branch"), QStringLiteral("0211 55")));
    edit(test::aioEmail(1, QStringLiteral("desk@example.org")));
    int flagChanges = 0;
    QObject::connect(doc.get(), &CLinquaraDoc::flagsChanged, [&] { ++flagChanges; });

    ASSERT_EQ(doc->OnSaveMachine(), AdrIoOk);
    EXPECT_EQ(test::faxPart(data()), test::bookOf(shown()));
    EXPECT_EQ(shown().fax.at(40).name, QStringLiteral("New Branch"));
    ASSERT_NE(data().Map<CAdrMemberAioEmail>().Lookup(1), nullptr) << "the machine's answer holds no email part";
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(40)->GetChangeMark(), 0u);
    EXPECT_FALSE(doc->IsMachineModified());
    EXPECT_EQ(flagChanges, 1);
    EXPECT_FALSE(doc->IsEnabled(CLinquaraDoc::Command::Undo));
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST_F(DocumentTest, aDelayedStartSlotShowsItsMessageOnceAndKeepsTheFaxChangesToSave) {
    struct Case {
        const char *what;
        void (*save)(CLinquaraDoc &);
    };
    const Case cases[] = {
        {"save machine", [](CLinquaraDoc &d) { EXPECT_EQ(d.OnSaveMachine(), AdrIoPartlyWritten); }},
        {"save all", [](CLinquaraDoc &d) { d.OnSaveAll(); }},
    };
    start();
    panel({QStringLiteral("delayed"), QStringLiteral("3")});
    const QString atMachine = shown().fax.at(3).number;
    for (const Case &c : cases) {
        prompt.shown.clear();
        renumber(3, QStringLiteral("000 %1").arg(QString::fromUtf8(c.what)));
        c.save(*doc);
        EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgDelayedStart)}) << c.what;
        const CAdrMemberAioFax &kept = *data().Map<CAdrMemberAioFax>().Lookup(3);
        EXPECT_EQ(kept.GetFaxNumber(), QStringLiteral("000 %1").arg(QString::fromUtf8(c.what))) << c.what;
        EXPECT_EQ(kept.GetChangeMark(), 1u) << c.what;
        EXPECT_TRUE(doc->IsMachineModified()) << c.what;
        EXPECT_EQ(shown().fax.at(3).number, atMachine) << c.what;
    }
}

TEST_F(DocumentTest, withoutAMachineBaseSaveMachineReadsInsteadOfOverwriting) {
    // Connected without a read: nothing to tell the machine's changes from ours.
    test::SettingsFolder::raw().setValue(QStringLiteral("DebugFlag"), 1);
    start();
    ASSERT_TRUE(doc->IsMachineConnected());
    ASSERT_TRUE(data().Map<CAdrMemberAioFax>().IsEmpty());
    const qvs::MachineState before = shown();
    edit(test::aioFax(40, QStringLiteral("New Branch")));

    EXPECT_EQ(doc->OnSaveMachine(), AdrIoOk);
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(test::faxPart(data()), test::bookOf(before));
}

TEST_F(DocumentTest, aChangeMadeAtTheMachineMeanwhileIsOnlyOverwrittenWhenThePersonAgrees) {
    start();
    renumber(1, QStringLiteral("+49 30 111"));
    panel({QStringLiteral("fax"), QStringLiteral("set"), QStringLiteral("5"), QStringLiteral("At The Panel"),
           QStringLiteral("777")});
    const qvs::MachineState atMachine = shown();
    const int index = doc->History().GetCurrentIndex();

    libraryPrompt.answers = {abif::MessageAnswer::Cancel};
    EXPECT_EQ(doc->OnSaveMachine(), AdrIoCancelled);
    EXPECT_TRUE(prompt.shown.isEmpty()) << "a cancel is no failure";
    EXPECT_EQ(shown(), atMachine);
    EXPECT_TRUE(doc->IsMachineModified());
    EXPECT_EQ(doc->History().GetCurrentIndex(), index);

    libraryPrompt.answers = {abif::MessageAnswer::Ok};
    EXPECT_EQ(doc->OnSaveMachine(), AdrIoOk);
    EXPECT_EQ(shown().fax.at(1).number, QStringLiteral("+49 30 111"));
    EXPECT_FALSE(doc->IsMachineModified());
}

TEST_F(DocumentTest, aFaxGroupWithoutMembersIsReportedAndNothingIsSent) {
    start();
    edit(test::group<CAdrGroupAioFax>(6, {}, QStringLiteral("Nobody")));
    const qvs::MachineState before = shown();
    const int index = doc->History().GetCurrentIndex();

    EXPECT_EQ(doc->OnSaveMachine(), AdrIoEmptyFaxGroup);
    EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgGroupWithoutMember)});
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(doc->History().GetCurrentIndex(), index);
    EXPECT_TRUE(doc->IsMachineModified());
    EXPECT_NE(data().Map<CAdrGroupAioFax>().Lookup(6), nullptr);
}

TEST_F(DocumentTest, checkForUpdatedInformationTakesTheMachineAsItIsNow) {
    start();
    edit(test::aioEmail(1, QStringLiteral("desk@example.org")));
    ASSERT_EQ(doc->OnSaveMachine(), AdrIoOk);
    renumber(1, QStringLiteral("+49 30 111"));
    panel({QStringLiteral("fax"), QStringLiteral("set"), QStringLiteral("5"), QStringLiteral("At The Panel"),
           QStringLiteral("777")});
    prompt.answers = {PromptAnswer::Yes};
    doc->OnCheckForUpdate();
    EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgRetrieveMachineInfo)});
    EXPECT_EQ(test::faxPart(data()), test::bookOf(shown()));
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(5)->GetName(), QStringLiteral("At The Panel"));
    EXPECT_NE(data().Map<CAdrMemberAioEmail>().Lookup(1), nullptr) << "the machine gives its fax part only";
    EXPECT_FALSE(doc->IsMachineModified());
    EXPECT_FALSE(doc->IsEnabled(CLinquaraDoc::Command::Undo)) << "discarded changes cannot come back";
}

TEST_F(DocumentTest, checkForUpdatedInformationWithTheMachineOffShowsTheCautionAndGoesOffline) {
    start();
    const CAdrData before = data();
    panel({QStringLiteral("power"), QStringLiteral("off")});
    doc->OnCheckForUpdate();
    EXPECT_EQ(dialogs.cautions, 1);
    EXPECT_TRUE(prompt.shown.isEmpty());
    EXPECT_FALSE(doc->IsMachineConnected());
    EXPECT_FALSE(doc->IsEnabled(CLinquaraDoc::Command::SaveMachine));
    EXPECT_EQ(test::faxPart(data()), test::faxPart(before));
    EXPECT_EQ(doc->History().GetSnapshotCount(), 1);
}

TEST_F(DocumentTest, threeWrongPasswordsSayTheyWereNotAcceptedAndKeepTheMachineBook) {
    const QStringList wrong{QStringLiteral("1111"), QStringLiteral("2222"), QStringLiteral("3333")};
    const QString notAccepted = test::text(lqa::ids::MsgPasswordNotAccepted);
    start();
    renumber(1, QStringLiteral("+49 30 999"));
    const test::Book edited = test::faxPart(data());
    const QString before = shown().fax.at(1).number;
    panel({QStringLiteral("password"), QStringLiteral("set"), QStringLiteral("4711")});

    libraryPrompt.passwords.assign(wrong.begin(), wrong.end());
    prompt.answers = {PromptAnswer::Yes};
    doc->OnCheckForUpdate();
    EXPECT_EQ(prompt.shown, (QStringList{test::text(lqa::ids::MsgRetrieveMachineInfo), notAccepted}));

    prompt.shown.clear();
    libraryPrompt.passwords.assign(wrong.begin(), wrong.end());
    doc->OnSaveMachine();
    EXPECT_EQ(prompt.shown, QStringList{notAccepted});

    EXPECT_EQ(libraryPrompt.kinds.size(), 6u);
    EXPECT_EQ(test::faxPart(data()), edited);
    EXPECT_TRUE(doc->IsMachineModified());
    EXPECT_TRUE(doc->IsMachineConnected()) << "the machine answered; only the password was wrong";
    EXPECT_EQ(shown().fax.at(1).number, before);
}

TEST_F(DocumentTest, aMachineFailureOnSaveIsReportedByItsCodeAndChangesNothing) {
    struct Case {
        const char *what;
        QStringList panelArgs;
        quint16 code;
        int message;
    };
    const Case cases[] = {
        {"switched off", {"power", "off"}, AdrIoWriteFailed, lqa::ids::MsgUnableToConnect},
        {"bad checksum", {"fault", "bad-checksum"}, AdrIoChecksumFailed, lqa::ids::MsgDataCorrupted},
    };
    start();
    renumber(1, QStringLiteral("+49 30 111"));
    const CAdrData before = data();
    for (const Case &c : cases) {
        panel({QStringLiteral("power"), QStringLiteral("on")});
        panel({QStringLiteral("fault"), QStringLiteral("none")});
        const qvs::MachineState atMachine = shown();
        panel(c.panelArgs);
        prompt.shown.clear();
        EXPECT_EQ(doc->OnSaveMachine(), c.code) << c.what;
        EXPECT_EQ(prompt.shown, QStringList{test::text(c.message)}) << c.what;
        EXPECT_EQ(data().EqualPerKind(before), (CAdrEquality{true, true, true, true, true})) << c.what;
        EXPECT_TRUE(doc->IsMachineModified()) << c.what;
        EXPECT_TRUE(doc->IsMachineConnected()) << c.what;
        panel({QStringLiteral("power"), QStringLiteral("on")});
        panel({QStringLiteral("fault"), QStringLiteral("none")});
        EXPECT_EQ(shown(), atMachine) << c.what;
    }
}

TEST_F(DocumentTest, savingTheMachineSharesTheFolderOfANewServerAndRemembersIt) {
    start();
    CAdrMemberAioServer server = test::server(1, QStringLiteral("scans"));
    server.SetHostName(QStringLiteral("OFFICE-PC"));
    server.SetFolderPath(QStringLiteral("scans"));
    server.SetLoginName(QStringLiteral("alice"));
    CAdrShareData record = test::shareRecord(1, home.filePath(QStringLiteral("scans")));
    record.autoShare = 1;
    record.hostName = server.GetHostName();
    record.shareName = server.GetShareName();
    record.serverPath = server.GetFolderPath();
    record.loginName = server.GetLoginName();
    CAdrHistory &history = doc->History();
    ASSERT_TRUE(history.Begin());
    history.StoreServer(server, &record);
    ASSERT_TRUE(history.Commit());
    doc->SetMachineModified(true);

    ASSERT_EQ(doc->OnSaveMachine(), AdrIoOk);
    EXPECT_TRUE(shares.isShared(QStringLiteral("scans")));
    ASSERT_NE(data().ShareData().Lookup(1), nullptr);
    EXPECT_EQ(data().ShareData().Lookup(1)->isShared, 1);
    ASSERT_EQ(history.GetShareRecords().size(), 1u);

    CLinquaraDoc next(DocumentServices{prompt, dialogs, shares, file(QStringLiteral("Data.dat"))});
    ASSERT_TRUE(next.OnNewDocument({}));
    ASSERT_EQ(next.History().GetShareRecords().size(), 1u) << "the record file was written";
    EXPECT_EQ(next.History().GetShareRecords()[0].shareName, QStringLiteral("scans"));
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST_F(DocumentTest, backupThenRestoreBringsTheFaxPartBackAsAnUndoableChange) {
    start();
    edit(test::aioEmail(1, QStringLiteral("desk@example.org")));
    const test::Book backedUp = test::faxPart(data());
    const QString backup = file(QStringLiteral("machine.qbk"));
    prompt.files = {backup};
    prompt.answers = {PromptAnswer::No};  // do not save the email entry first
    doc->OnBackup();
    EXPECT_EQ(prompt.shown, (QStringList{test::text(lqa::ids::MsgOverwriteMachine),
                                         test::text(lqa::ids::MsgBackupCompleted)}));

    renumber(1, QStringLiteral("+49 30 111"));
    edit(test::aioFax(40, QStringLiteral("New Branch")));
    ASSERT_EQ(doc->OnSaveMachine(), AdrIoOk);
    ASSERT_FALSE(doc->IsMachineModified());
    const CAdrData saved = data();

    prompt.shown.clear();
    prompt.files = {backup};
    prompt.answers = {PromptAnswer::Yes};
    doc->OnRestore();
    // Against the machine: speed dial 1 goes back, 40 goes.
    EXPECT_EQ(prompt.shown, (QStringList{restoreQuestion(0, 1, 1), test::text(lqa::ids::MsgRestoreCompleted)}));
    EXPECT_EQ(test::faxPart(data()), backedUp);
    EXPECT_TRUE(doc->IsMachineModified());
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(1)->GetChangeMark(), 1u);
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(2)->GetChangeMark(), 0u);
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(40), nullptr);
    EXPECT_NE(data().Map<CAdrMemberAioEmail>().Lookup(1), nullptr) << "a backup gives back the fax part only";

    doc->OnUndo();
    EXPECT_EQ(test::faxPart(data()), test::faxPart(saved));
}

// Entries the machine lost since the last read are no change to the editor's
// book, but are one to the machine's: the restore marks them and the next
// save writes them back.
TEST_F(DocumentTest, aRestoreAfterEntriesWereRemovedAtTheMachineIsWrittenByTheNextSave) {
    start();
    const qvs::MachineState original = shown();
    const QString backup = file(QStringLiteral("machine.qbk"));
    prompt.files = {backup};
    doc->OnBackup();
    panel({QStringLiteral("fax"), QStringLiteral("remove"), QStringLiteral("1")});
    panel({QStringLiteral("fax"), QStringLiteral("set"), QStringLiteral("50"), QStringLiteral("At The Panel"),
           QStringLiteral("777")});

    prompt.shown.clear();
    prompt.files = {backup};
    prompt.answers = {PromptAnswer::Yes};
    doc->OnRestore();
    EXPECT_EQ(prompt.shown, (QStringList{restoreQuestion(1, 0, 1), test::text(lqa::ids::MsgRestoreCompleted)}));
    EXPECT_TRUE(doc->IsMachineModified());
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(1)->GetChangeMark(), 1u);
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(2)->GetChangeMark(), 0u);

    libraryPrompt.messages.clear();
    ASSERT_EQ(doc->OnSaveMachine(), AdrIoOk);
    EXPECT_TRUE(libraryPrompt.messages.empty()) << "the machine's changes were seen at the restore";
    EXPECT_EQ(test::bookOf(shown()), test::bookOf(original));
    EXPECT_FALSE(doc->IsMachineModified());
}

TEST_F(DocumentTest, aRestoreDeclinedAtItsQuestionChangesNothing) {
    start();
    const QString backup = file(QStringLiteral("machine.qbk"));
    prompt.files = {backup};
    doc->OnBackup();
    panel({QStringLiteral("fax"), QStringLiteral("set"), QStringLiteral("2"), QStringLiteral("At The Panel"),
           QStringLiteral("777")});
    const int index = doc->History().GetCurrentIndex();
    const test::Book before = test::faxPart(data());

    prompt.shown.clear();
    prompt.files = {backup};
    prompt.answers = {PromptAnswer::No};
    doc->OnRestore();
    EXPECT_EQ(prompt.shown, QStringList{restoreQuestion(0, 1, 0)});
    EXPECT_EQ(doc->History().GetCurrentIndex(), index);
    EXPECT_EQ(test::faxPart(data()), before);
    EXPECT_FALSE(doc->IsMachineModified());

    // The change at the machine is still noticed by the next save.
    renumber(3, QStringLiteral("+49 30 111"));
    libraryPrompt.messages.clear();
    libraryPrompt.answers = {abif::MessageAnswer::Cancel};
    EXPECT_EQ(doc->OnSaveMachine(), AdrIoCancelled);
    EXPECT_EQ(libraryPrompt.messages.size(), 1u);
}

TEST_F(DocumentTest, aRestoreWhenTheMachineCannotBeReadReportsItAndChangesNothing) {
    start();
    const QString backup = file(QStringLiteral("machine.qbk"));
    prompt.files = {backup};
    doc->OnBackup();
    renumber(1, QStringLiteral("+49 30 111"));
    const int index = doc->History().GetCurrentIndex();
    panel({QStringLiteral("power"), QStringLiteral("off")});

    prompt.shown.clear();
    prompt.files = {backup};
    doc->OnRestore();
    EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgUnableToConnect)});
    EXPECT_EQ(doc->History().GetCurrentIndex(), index);
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(1)->GetFaxNumber(), QStringLiteral("+49 30 111"));
}

// One read of a machine without fax slots must not leave later reads without
// their fax part, nor let a later save write the machine's book away.
TEST_F(DocumentTest, aReadOfAMachineWithoutFaxSlotsDoesNotEraseTheBookAtALaterSave) {
    start();
    const qvs::MachineState demo = shown();
    panel({QStringLiteral("reset")});
    panel({QStringLiteral("capacity"), QStringLiteral("0"), QStringLiteral("6")});
    doc->OnCheckForUpdate();
    panel({QStringLiteral("demo")});
    doc->OnCheckForUpdate();
    ASSERT_TRUE(doc->IsMachineConnected());
    EXPECT_EQ(test::faxPart(data()), test::bookOf(demo));

    edit(test::aioEmail(1, QStringLiteral("desk@example.org")));
    ASSERT_EQ(doc->OnSaveMachine(), AdrIoOk);
    EXPECT_EQ(shown().fax.size(), 12u);
    EXPECT_EQ(shown().groups.size(), 2u);
    EXPECT_EQ(test::bookOf(shown()), test::bookOf(demo));
}

// Started offline with a device address: Save All saves the PC fax book and
// leaves the machine, and the shared-folder file of other runs, alone.
TEST_F(DocumentTest, saveAllOfflineNeitherReadsTheMachineNorRewritesTheSharedFolderFile) {
    const QString recordFile = file(QStringLiteral("Data.dat"));
    {
        CAdrShareData record = test::shareRecord(1, home.filePath(QStringLiteral("scans")));
        record.hostName = QStringLiteral("OFFICE-PC");
        record.shareName = QStringLiteral("scans");
        ASSERT_TRUE(CShareFile::Write(recordFile, ScanUserState{}, {record}));
    }
    QFile kept(recordFile);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    const QByteArray before = kept.readAll();
    kept.close();
    writeBook(file(QStringLiteral("office.qad")), {QStringLiteral("Anna")});
    start({MethodOffline, QStringLiteral("192.0.2.7"), file(QStringLiteral("office.qad")), {}});
    ASSERT_FALSE(doc->IsMachineConnected());
    edit(test::pcFax(2, QStringLiteral("Ben")));

    doc->OnSaveAll();
    EXPECT_TRUE(prompt.shown.isEmpty());
    EXPECT_FALSE(doc->IsPcFaxModified());
    EXPECT_EQ(namesInFile(file(QStringLiteral("office.qad"))), (QStringList{QStringLiteral("Anna"), QStringLiteral("Ben")}));
    EXPECT_FALSE(doc->IsMachineConnected());
    EXPECT_FALSE(doc->IsDeviceAccessed());
    EXPECT_TRUE(data().Map<CAdrMemberAioFax>().IsEmpty());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), before);
}

TEST_F(DocumentTest, saveAllLeavesTheMachineAloneWhileTheSettingsSwitchConnectingOff) {
    start();
    renumber(1, QStringLiteral("+49 30 111"));
    EnvironmentRecord config = doc->Settings().Config();
    config.connect = 0;
    doc->Settings().WriteConfig(config);
    const qvs::MachineState atMachine = shown();

    doc->OnSaveAll();
    EXPECT_EQ(shown(), atMachine);
    EXPECT_TRUE(doc->IsMachineModified());
}

TEST_F(DocumentTest, backingUpWithUnsavedMachineChangesCanSaveThemFirst) {
    start();
    renumber(1, QStringLiteral("+49 30 111"));
    prompt.answers = {PromptAnswer::Yes};
    prompt.files = {file(QStringLiteral("machine.qbk"))};
    doc->OnBackup();
    EXPECT_EQ(shown().fax.at(1).number, QStringLiteral("+49 30 111"));
    EXPECT_FALSE(doc->IsMachineModified());
    EXPECT_EQ(prompt.shown.last(), test::text(lqa::ids::MsgBackupCompleted));
    EXPECT_EQ(prompt.choices.last().defaultSuffix, QStringLiteral("qbk"));
}

TEST_F(DocumentTest, aFileThatIsNoBackupFailsTheRestoreAndChangesNothing) {
    start();
    const QString other = file(QStringLiteral("other.qbk"));
    QFile garbage(other);
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("nothing of ours");
    garbage.close();
    prompt.files = {other};
    doc->OnRestore();
    EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgCannotReadFile)});
    EXPECT_FALSE(doc->IsMachineModified());
    EXPECT_EQ(doc->History().GetSnapshotCount(), 1);

    prompt.shown.clear();
    doc->OnRestore();  // no file chosen
    EXPECT_TRUE(prompt.shown.isEmpty());
}

}  // namespace
