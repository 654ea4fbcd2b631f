// The PC fax address book commands of the document: new, open, save and
// save as, with the questions before unsaved changes are discarded.
#include "document_fixture.h"

#include <QDir>

namespace {

using test::DocumentTest;

const QString kFilter = QStringLiteral("Address Book Data for QV MF(*.qad)|*.qad|All Files (*.*)|*.*||");

TEST_F(DocumentTest, savingAnUnnamedBookGoesThroughSaveAsAndCancellingItStillLetsSaveAllReachTheMachine) {
    start();
    doc->OnNewPcFax();
    ASSERT_TRUE(doc->PcFaxPath().isEmpty());
    edit(test::pcFax(1, QStringLiteral("Anna")));
    renumber(1, QStringLiteral("+49 30 111"));

    EXPECT_EQ(doc->OnSavePcFax(), AdrIoCancelled);
    ASSERT_EQ(prompt.choices.size(), 1);
    EXPECT_EQ(prompt.choices[0].mode, FileChoice::Save);
    EXPECT_EQ(prompt.choices[0].defaultSuffix, QStringLiteral("qad"));
    EXPECT_EQ(prompt.choices[0].filter, kFilter);
    EXPECT_TRUE(doc->IsPcFaxModified());

    doc->OnSaveAll();
    EXPECT_EQ(prompt.choices.size(), 2) << "save all asks for the name too";
    EXPECT_TRUE(doc->IsPcFaxModified());
    EXPECT_FALSE(doc->IsMachineModified());
    EXPECT_EQ(shown().fax.at(1).number, QStringLiteral("+49 30 111"));
    EXPECT_EQ(test::faxPart(data()), test::bookOf(shown()));
    EXPECT_EQ(data().Map<CAdrMemberPcFax>().Lookup(1)->GetChangeMark(), 1u) << "the unsaved member stays marked";
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(1)->GetChangeMark(), 0u);
    EXPECT_TRUE(prompt.shown.isEmpty()) << "a cancelled dialog is no failure";
}

TEST_F(DocumentTest, saveAsNamesTheBookAndLaterSavesUpdateItWithoutAsking) {
    start();
    doc->OnNewPcFax();
    edit(test::pcFax(1, QStringLiteral("Anna")));
    edit(test::pcFax(2, QStringLiteral("Bernd")));
    std::vector<std::pair<quint32, quint32>> marks;  // member 1 before and after each step
    QObject::connect(doc.get(), &CLinquaraDoc::dataChanged, [&](const CAdrData &before, const CAdrData &after) {
        marks.emplace_back(before.Map<CAdrMemberPcFax>().Lookup(1)->GetChangeMark(),
                           after.Map<CAdrMemberPcFax>().Lookup(1)->GetChangeMark());
    });

    const QString named = file(QStringLiteral("named.qad"));
    prompt.files = {named};
    ASSERT_EQ(doc->OnSavePcFax(), AdrIoOk);
    EXPECT_EQ(doc->PcFaxPath(), named);
    EXPECT_EQ(namesInFile(named), (QStringList{QStringLiteral("Anna"), QStringLiteral("Bernd")}));
    EXPECT_FALSE(doc->IsPcFaxModified());
    EXPECT_FALSE(doc->IsEnabled(CLinquaraDoc::Command::Undo)) << "saved content cannot be undone";
    EXPECT_EQ(marks, (std::vector<std::pair<quint32, quint32>>{{1, 0}}));

    edit(test::pcFax(3, QStringLiteral("Cem")));
    ASSERT_EQ(doc->OnSavePcFax(), AdrIoOk);
    EXPECT_EQ(prompt.choices.size(), 1);
    EXPECT_EQ(namesInFile(named).size(), 3);

    const QString copy = file(QStringLiteral("copy.qad"));
    prompt.files = {copy};
    ASSERT_EQ(doc->OnSavePcFaxAs(), AdrIoOk);
    ASSERT_EQ(prompt.choices.size(), 2);
    EXPECT_EQ(prompt.choices[1].initialPath, named);
    EXPECT_EQ(doc->PcFaxPath(), copy);
    EXPECT_EQ(namesInFile(copy).size(), 3);
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST_F(DocumentTest, saveAllOfflineSavesThePcFaxBookWithoutAWordAboutTheMachine) {
    start({MethodOffline, {}, {}, {}});
    edit(test::pcFax(1, QStringLiteral("Anna")));
    const qvs::MachineState before = shown();
    doc->OnSaveAll();
    EXPECT_FALSE(doc->IsPcFaxModified());
    EXPECT_EQ(namesInFile(doc->PcFaxPath()), QStringList{QStringLiteral("Anna")});
    EXPECT_TRUE(prompt.shown.isEmpty());
    EXPECT_FALSE(doc->IsMachineConnected());
    EXPECT_EQ(shown(), before);
}

TEST_F(DocumentTest, aFailedSaveReportsItAndKeepsTheChanges) {
    start();
    doc->OnNewPcFax();
    const auto expectUnsaved = [&](const char *what) {
        const int snapshots = doc->History().GetSnapshotCount();
        EXPECT_EQ(doc->OnSavePcFax(), AdrIoWriteFailed) << what;
        EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgCannotWriteFile)}) << what;
        EXPECT_TRUE(doc->IsPcFaxModified()) << what;
        EXPECT_EQ(doc->History().GetSnapshotCount(), snapshots) << what;
        EXPECT_EQ(data().Map<CAdrMemberPcFax>().Lookup(1)->GetChangeMark(), 1u) << what;
        prompt.shown.clear();
    };

    edit(test::pcFax(1, QStringLiteral("Anna")));
    prompt.files = {file(QStringLiteral("missing/book.qad"))};
    expectUnsaved("save as into a folder that does not exist");
    EXPECT_TRUE(doc->PcFaxPath().isEmpty());

    const QString path = file(QStringLiteral("book.qad"));
    prompt.files = {path};
    ASSERT_EQ(doc->OnSavePcFaxAs(), AdrIoOk);
    edit(test::pcFax(1, QStringLiteral("Anna Neu")));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path));
    expectUnsaved("the open file has become a folder");
    EXPECT_EQ(doc->PcFaxPath(), path);
}

TEST_F(DocumentTest, aSaveStoppedByAnEntryTheFileCannotStoreNamesTheEntry) {
    start();
    doc->OnNewPcFax();
    const QString path = file(QStringLiteral("book.qad"));
    prompt.files = {path};
    edit(test::pcFax(1, QStringLiteral("Anna")));
    ASSERT_EQ(doc->OnSavePcFaxAs(), AdrIoOk);
    const auto expectNamed = [&](const QString &name) {
        prompt.shown.clear();
        EXPECT_EQ(doc->OnSavePcFax(), AdrIoWriteFailed) << name.toStdString();
        EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgCannotWriteFile) + u'\n' +
                                            lqa::formatText(lqa::ids::MsgEntryNotStorable, {name})});
        EXPECT_TRUE(doc->IsPcFaxModified());
        EXPECT_EQ(namesInFile(path), QStringList{QStringLiteral("Anna")}) << "the file as it was";
    };

    CAdrMemberPcFax ben = test::pcFax(2, QStringLiteral("Ben"));
    ben.SetCompany(u"Ink\u0003Co"_qs);
    edit(ben);
    expectNamed(QStringLiteral("Ben"));

    ben.SetCompany(u"Ink Co"_qs);
    ben.SetNote(u"ask\u0004Kim"_qs);
    edit(ben);
    expectNamed(QStringLiteral("Ben"));

    ben.SetNote(QString());
    edit(ben);
    edit(test::group<CAdrGroupPcFax>(1, {2}, u"Te\u0004am"_qs));
    expectNamed(u"Te\u0004am"_qs);
}

TEST_F(DocumentTest, aSaveThatFindsAStepOpenWritesTheFileButLeavesTheHistory) {
    start();
    edit(test::pcFax(1, QStringLiteral("Anna")));
    CAdrHistory &history = doc->History();
    const int snapshots = history.GetSnapshotCount();
    ASSERT_TRUE(history.Begin());
    EXPECT_EQ(doc->OnSavePcFax(), AdrIoOk);
    EXPECT_EQ(namesInFile(doc->PcFaxPath()), QStringList{QStringLiteral("Anna")});
    EXPECT_EQ(history.GetSnapshotCount(), snapshots);
    EXPECT_EQ(data().Map<CAdrMemberPcFax>().Lookup(1)->GetChangeMark(), 1u);
    EXPECT_TRUE(history.IsStepOpen()) << "the step belongs to whoever opened it";
    EXPECT_FALSE(history.Commit());
}

TEST_F(DocumentTest, answeringNoToDiscardingUnsavedChangesLeavesEverythingAsItWas) {
    struct Case {
        const char *what;
        int question;
        void (CLinquaraDoc::*command)();
    };
    const Case cases[] = {
        {"check for updated information", lqa::ids::MsgRetrieveMachineInfo, &CLinquaraDoc::OnCheckForUpdate},
        {"new PC fax file", lqa::ids::MsgCreateNewPcFaxFile, &CLinquaraDoc::OnNewPcFax},
        {"open PC fax file", lqa::ids::MsgOpenPcFaxFile, &CLinquaraDoc::OnOpenPcFax},
    };
    start();
    renumber(1, QStringLiteral("+49 30 111"));
    edit(test::pcFax(1, QStringLiteral("Anna")));
    panel({QStringLiteral("fax"), QStringLiteral("set"), QStringLiteral("5"), QStringLiteral("At The Panel"),
           QStringLiteral("777")});
    const CAdrData before = data();
    const int index = doc->History().GetCurrentIndex();
    const QString path = doc->PcFaxPath();
    prompt.files = {file(QStringLiteral("never.qad"))};

    for (const Case &c : cases) {
        prompt.shown.clear();
        prompt.answers = {PromptAnswer::No};
        (doc.get()->*c.command)();
        EXPECT_EQ(prompt.shown, QStringList{test::text(c.question)}) << c.what;
        EXPECT_EQ(data().EqualPerKind(before), (CAdrEquality{true, true, true, true, true})) << c.what;
        EXPECT_EQ(doc->History().GetCurrentIndex(), index) << c.what;
        EXPECT_EQ(doc->PcFaxPath(), path) << c.what;
        EXPECT_TRUE(doc->IsMachineModified()) << c.what;
        EXPECT_TRUE(doc->IsPcFaxModified()) << c.what;
        EXPECT_TRUE(prompt.choices.isEmpty()) << c.what;
    }
}

TEST_F(DocumentTest, openReplacesOnlyThePcFaxBookAndReportsAFileItCannotRead) {
    const QString office = file(QStringLiteral("office.qad"));
    const QString other = file(QStringLiteral("other.qad"));
    writeBook(office, {QStringLiteral("Anna")});
    writeBook(other, {QStringLiteral("Other")});
    start({MethodNotChosen, {}, office, {}});
    edit(test::pcFax(3, QStringLiteral("Local")));
    renumber(1, QStringLiteral("+49 30 111"));

    prompt.answers = {PromptAnswer::Yes};
    prompt.files = {other};
    doc->OnOpenPcFax();
    ASSERT_EQ(prompt.choices.size(), 1);
    EXPECT_EQ(prompt.choices[0].mode, FileChoice::Open);
    EXPECT_EQ(prompt.choices[0].filter, kFilter);
    EXPECT_EQ(doc->PcFaxPath(), other);
    EXPECT_EQ(test::pcFaxNames(data()), QStringList{QStringLiteral("Other")});
    EXPECT_FALSE(doc->IsPcFaxModified());
    EXPECT_TRUE(doc->IsMachineModified());
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(1)->GetFaxNumber(), QStringLiteral("+49 30 111"));

    const QString bad = file(QStringLiteral("bad.qad"));
    QFile garbage(bad);
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not an address book");
    garbage.close();
    prompt.shown.clear();
    prompt.files = {bad};
    doc->OnOpenPcFax();
    EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgCannotReadFile)});
    EXPECT_EQ(doc->PcFaxPath(), other);
    EXPECT_EQ(test::pcFaxNames(data()), QStringList{QStringLiteral("Other")});
}

TEST_F(DocumentTest, aFileHandedOverByASecondStartOpensAsTheOpenCommandWould) {
    struct Case {
        const char *what;
        const char *given;
        bool modified;
        QList<PromptAnswer> answers;
        const char *opened;  // the file open afterwards
        const char *firstName;
        QStringList shown;
    };
    const QStringList question{test::text(lqa::ids::MsgOpenPcFaxFile)};
    const Case cases[] = {
        {"unmodified: opened without a question", "other.qad", false, {}, "other.qad", "Other", {}},
        {"modified, No: left as it was", "other.qad", true, {PromptAnswer::No}, "office.qad", "Anna", question},
        {"modified, Yes: opened", "other.qad", true, {PromptAnswer::Yes}, "other.qad", "Other", question},
        {"unreadable: said so", "missing.qad", false, {}, "office.qad", "Anna",
         {test::text(lqa::ids::MsgCannotReadFile)}},
    };
    const QString office = file(QStringLiteral("office.qad"));
    writeBook(office, {QStringLiteral("Anna")});
    writeBook(file(QStringLiteral("other.qad")), {QStringLiteral("Other")});
    start({MethodNotChosen, {}, office, {}});
    for (const Case &c : cases) {
        doc->SetPcFaxModified(false);
        doc->OnOpenPcFaxFile(office);
        ASSERT_EQ(doc->PcFaxPath(), office) << c.what;
        doc->SetPcFaxModified(c.modified);
        prompt.shown.clear();
        prompt.answers = c.answers;
        doc->OnOpenPcFaxFile(file(QString::fromUtf8(c.given)));
        EXPECT_EQ(prompt.shown, c.shown) << c.what;
        EXPECT_EQ(doc->PcFaxPath(), file(QString::fromUtf8(c.opened))) << c.what;
        EXPECT_EQ(test::pcFaxNames(data()), QStringList{QString::fromUtf8(c.firstName)}) << c.what;
    }
    EXPECT_TRUE(prompt.choices.isEmpty()) << "no file dialog";
}

TEST_F(DocumentTest, newEmptiesThePcFaxBookAndLeavesTheMachineChanges) {
    const QString office = file(QStringLiteral("office.qad"));
    writeBook(office, {QStringLiteral("Anna")});
    start({MethodNotChosen, {}, office, {}});
    renumber(1, QStringLiteral("+49 30 111"));
    doc->OnNewPcFax();
    EXPECT_TRUE(prompt.shown.isEmpty()) << "nothing of the PC fax book was unsaved";
    EXPECT_TRUE(data().Map<CAdrMemberPcFax>().IsEmpty());
    EXPECT_TRUE(doc->PcFaxPath().isEmpty());
    EXPECT_TRUE(doc->IsMachineModified());
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(1)->GetFaxNumber(), QStringLiteral("+49 30 111"));
    EXPECT_EQ(namesInFile(office), QStringList{QStringLiteral("Anna")}) << "the old file is left alone";
}

}  // namespace
