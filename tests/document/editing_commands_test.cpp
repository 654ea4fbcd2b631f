// The document's editing commands against the machine stand-in's demo book
// (speed dials 1 to 12, group 1 {1, 2, 11}, group 2 {3, 5, 9, 10}), with
// scripted dialogs: new, edit, delete and adding members to a group.
#include "document_fixture.h"
#include "scripted_entry_editor.h"

#include "document/share_file.h"

namespace {

using test::aioFax;
using test::group;
using test::pcFax;

constexpr quint32 row(quint32 kind, quint16 id) { return kind << 16 | id; }

class EditingTest : public test::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc->SetEntryEditor(&editor);
        start();
    }

    void storeFax(quint16 first, quint16 last) {
        QList<CAdrMemberAioFax> entries;
        for (quint16 id = first; id <= last; ++id) entries.append(aioFax(id, QStringLiteral("Dial %1").arg(id)));
        storeAll(entries);
    }
    void setAssignment(qint32 mode) {
        EnvironmentRecord config = doc->Settings().Config();
        config.speedDialAssignment = mode;
        doc->Settings().WriteConfig(config);
    }
    [[nodiscard]] int step() const { return doc->History().GetCurrentIndex(); }
    [[nodiscard]] const CAdrGroupAioFax &faxGroup(quint16 id) const {
        return *data().Map<CAdrGroupAioFax>().Lookup(id);
    }

    test::ScriptedEntryEditor editor;
};

CAdrMemberAioEmail email(quint16 id, const QString &name) {
    CAdrMemberAioEmail entry = test::aioEmail(id, name.toLower() + QStringLiteral("@example.org"));
    entry.SetName(name);
    return entry;
}

TEST_F(EditingTest, aNewEntryGetsTheFreeIdOfItsKindsAssignmentOrTheMaximumMessage) {
    struct Case {
        const char *what;
        quint32 kind;
        qint32 assignment;
        quint16 fillFrom, fillTo;  // speed dials stored besides the demo book
        quint16 expectedId;        // 0: no ID left
    };
    const Case cases[] = {
        {"smallest free speed dial", AdrKindAioFax, 1, 20, 30, 13},
        {"after the largest speed dial", AdrKindAioFax, 2, 20, 30, 31},
        {"every speed dial used", AdrKindAioFax, 1, 13, 99, 0},
        {"largest with 99 in use, lower ones free", AdrKindAioFax, 2, 99, 99, 0},
        {"fax group after the largest", AdrKindAioFaxGroup, 2, 20, 20, 3},
        {"PC fax member ignores the assignment", AdrKindPcFax, 2, 20, 20, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        prompt.shown.clear();
        editor.opened = 0;
        setAssignment(c.assignment);
        storeFax(c.fillFrom, c.fillTo);
        const int before = step();

        doc->OnNewEntry(c.kind);
        if (c.expectedId == 0) {
            EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgMaxDataExceeded)});
            EXPECT_EQ(editor.opened, 0) << "no dialog without an ID";
        } else {
            EXPECT_TRUE(prompt.shown.isEmpty());
            EXPECT_EQ(editor.opened, 1);
            EXPECT_EQ(editor.offeredId, c.expectedId);
        }
        EXPECT_EQ(step(), before) << "a cancelled or refused new entry leaves no step";
        doc->OnUndo();
    }
}

TEST_F(EditingTest, aNewMemberIsStoredMarkedWithTheGroupsChosenForIt) {
    editor.aioFax = [](CAdrMemberAioFax &entry, QList<quint16> &groups) {
        entry.SetName(QStringLiteral("Branch"));
        entry.SetFaxNumber(QStringLiteral("0211 55"));
        groups = {2};
        return true;
    };
    const int before = step();
    doc->OnNewEntry(AdrKindAioFax);

    const CAdrMemberAioFax *added = data().Map<CAdrMemberAioFax>().Lookup(13);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->GetName(), QStringLiteral("Branch"));
    EXPECT_EQ(added->GetChangeMark(), 1u);
    EXPECT_TRUE(faxGroup(2).HasMember(13));
    EXPECT_EQ(faxGroup(2).GetChangeMark(), 1u);
    EXPECT_EQ(faxGroup(1).GetChangeMark(), 0u);
    EXPECT_TRUE(doc->IsMachineModified());
    EXPECT_FALSE(doc->IsPcFaxModified());
    EXPECT_EQ(step(), before + 1);
}

TEST_F(EditingTest, movingAMemberFromOneGroupToAnotherMarksBothGroups) {
    storeAll(QList{group<CAdrGroupAioFax>(3, {4}, QStringLiteral("Untouched"))});
    editor.aioFax = [](CAdrMemberAioFax &, QList<quint16> &groups) {
        groups = {2};
        return true;
    };
    const int before = step();
    doc->OnEdit(row(AdrKindAioFax, 1));

    EXPECT_EQ(editor.offeredGroups, (QList<quint16>{1}));
    EXPECT_FALSE(faxGroup(1).HasMember(1));
    EXPECT_TRUE(faxGroup(2).HasMember(1));
    EXPECT_EQ(faxGroup(1).GetChangeMark(), 1u);
    EXPECT_EQ(faxGroup(2).GetChangeMark(), 1u);
    EXPECT_EQ(faxGroup(3).GetChangeMark(), 0u);
    EXPECT_EQ(step(), before + 1);
    EXPECT_TRUE(doc->IsMachineModified());

    doc->OnUndo();
    EXPECT_TRUE(faxGroup(1).HasMember(1));
    EXPECT_FALSE(faxGroup(2).HasMember(1));
}

TEST_F(EditingTest, anEditThatChangesNothingOrIsCancelledLeavesNoStep) {
    storeAll(QList{pcFax(4, QStringLiteral("Kept"))});
    storeAll(QList{group<CAdrGroupPcFax>(2, {4})});
    storeAll(QList{email(3, QStringLiteral("Ada"))});
    storeAll(QList{group<CAdrGroupAioEmail>(1, {3})});
    CAdrShareData record = test::shareRecord(2, QStringLiteral("/srv/scans"));
    record.autoShare = 1;
    CAdrHistory &history = doc->History();
    ASSERT_TRUE(history.Begin());
    history.StoreServer(test::server(2), &record);
    ASSERT_TRUE(history.Commit());
    doc->SetMachineModified(false);
    struct Case {
        const char *what;
        quint32 row;
        bool ok;
    };
    const Case cases[] = {
        {"fax member, OK", row(AdrKindAioFax, 5), true},
        {"fax member, cancelled", row(AdrKindAioFax, 5), false},
        {"fax group, OK", row(AdrKindAioFaxGroup, 2), true},
        {"PC fax member, OK", row(AdrKindPcFax, 4), true},
        {"PC fax group, OK", row(AdrKindPcFaxGroup, 2), true},
        {"email member, OK", row(AdrKindAioEmail, 3), true},
        {"email group, OK", row(AdrKindAioEmailGroup, 1), true},
        {"server with its shared folder, OK", row(AdrKindServer, 2), true},
        {"server, cancelled", row(AdrKindServer, 2), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        editor.aioFax = [&](CAdrMemberAioFax &, QList<quint16> &) { return c.ok; };
        editor.pcFax = [&](CAdrMemberPcFax &, QList<quint16> &) { return c.ok; };
        editor.aioFaxGroup = [&](CAdrGroupAioFax &) { return c.ok; };
        editor.pcFaxGroup = [&](CAdrGroupPcFax &) { return c.ok; };
        editor.aioEmail = [&](CAdrMemberAioEmail &) { return c.ok; };
        editor.aioEmailGroup = [&](CAdrGroupAioEmail &) { return c.ok; };
        editor.server = [&](CAdrMemberAioServer &, ServerShareSettings &) { return c.ok; };
        const int before = step();
        const int opened = editor.opened;
        doc->OnEdit(c.row);
        EXPECT_EQ(editor.opened, opened + 1);
        EXPECT_EQ(step(), before);
        EXPECT_FALSE(doc->IsMachineModified());
        EXPECT_FALSE(doc->IsPcFaxModified());
    }
}

TEST_F(EditingTest, aNewSpeedDialNumberTakesTheChosenGroupsAndLeavesTheOldOnes) {
    // 7 exists: the dialog has asked to overwrite it.
    editor.aioFax = [](CAdrMemberAioFax &entry, QList<quint16> &groups) {
        entry.SetID(7);
        groups = {1};
        return true;
    };
    const QString name = data().Map<CAdrMemberAioFax>().Lookup(5)->GetName();
    const int before = step();
    doc->OnEdit(row(AdrKindAioFax, 5));

    EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(5), nullptr);
    ASSERT_NE(data().Map<CAdrMemberAioFax>().Lookup(7), nullptr);
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(7)->GetName(), name);
    EXPECT_EQ(faxGroup(2).GetMemberIDs(), (QList<quint16>{3, 9, 10}));
    EXPECT_EQ(faxGroup(1).GetMemberIDs(), (QList<quint16>{1, 2, 7, 11}));
    EXPECT_EQ(step(), before + 1);
}

TEST_F(EditingTest, aNewPcFaxNumberKeepsTheEntryUnderItsOldNumberToo) {
    storeAll(QList{pcFax(4, QStringLiteral("Original"))});
    editor.pcFax = [](CAdrMemberPcFax &entry, QList<quint16> &) {
        entry.SetID(9);
        return true;
    };
    doc->OnEdit(row(AdrKindPcFax, 4));
    EXPECT_NE(data().Map<CAdrMemberPcFax>().Lookup(4), nullptr);
    ASSERT_NE(data().Map<CAdrMemberPcFax>().Lookup(9), nullptr);
    EXPECT_NE(data().Map<CAdrMemberPcFax>().Lookup(9)->GetUpdatedOn(), 0) << "an edited PC fax entry shows when";
    EXPECT_TRUE(doc->IsPcFaxModified());
    EXPECT_FALSE(doc->IsMachineModified());
}

// Email members have no group choice in their dialog: the groups that held
// the old address number hold the new one.
TEST_F(EditingTest, anEmailAddressTakesItsGroupsAlongToItsNewNumber) {
    struct Case {
        const char *what;
        quint16 edited;  // 0: a new address
        quint16 newId;
        qint32 assignment;
        QList<quint16> group1, group2, group3;  // members afterwards
        QList<quint16> markedGroups;
    };
    const Case cases[] = {
        {"new address, smallest free ID", 0, 1, 1, {3, 4}, {4}, {3}, {}},
        {"new address, after the largest", 0, 5, 2, {3, 4}, {4}, {3}, {}},
        {"renumbered to a free ID", 3, 6, 1, {4, 6}, {4}, {6}, {1, 3}},
        {"renumbered onto an existing address", 3, 4, 1, {4}, {}, {4}, {1, 2, 3}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        storeAll(QList{email(3, QStringLiteral("Ada")), email(4, QStringLiteral("Bert"))});
        storeAll(QList{group<CAdrGroupAioEmail>(1, {3, 4}), group<CAdrGroupAioEmail>(2, {4}),
                       group<CAdrGroupAioEmail>(3, {3})});
        doc->SetMachineModified(false);
        setAssignment(c.assignment);
        editor.aioEmail = [&](CAdrMemberAioEmail &entry) {
            entry.SetID(c.newId);
            entry.SetEmailAddress(QStringLiteral("new@example.org"));
            return true;
        };
        const int before = step();
        if (c.edited == 0)
            doc->OnNewEntry(AdrKindAioEmail);
        else
            doc->OnEdit(row(AdrKindAioEmail, c.edited));

        if (c.edited == 0) {
            EXPECT_EQ(editor.offeredId, c.newId);
        }
        EXPECT_EQ(step(), before + 1);
        EXPECT_TRUE(doc->IsMachineModified());
        const auto &emails = data().Map<CAdrMemberAioEmail>();
        ASSERT_NE(emails.Lookup(c.newId), nullptr);
        EXPECT_EQ(emails.Lookup(c.newId)->GetEmailAddress(), QStringLiteral("new@example.org"));
        EXPECT_EQ(emails.Lookup(c.newId)->GetChangeMark(), 1u);
        if (c.edited != 0) {
            EXPECT_EQ(emails.Lookup(c.edited), nullptr) << "the old number goes";
        }
        const auto &groups = data().Map<CAdrGroupAioEmail>();
        EXPECT_EQ(groups.Lookup(1)->GetMemberIDs(), c.group1);
        EXPECT_EQ(groups.Lookup(2)->GetMemberIDs(), c.group2);
        EXPECT_EQ(groups.Lookup(3)->GetMemberIDs(), c.group3);
        for (quint16 id : {1, 2, 3})
            EXPECT_EQ(groups.Lookup(id)->GetChangeMark(), c.markedGroups.contains(id) ? 1u : 0u) << id;

        doc->OnUndo();
        EXPECT_EQ(data().Map<CAdrMemberAioEmail>().GetCount(), 2);
        EXPECT_EQ(data().Map<CAdrGroupAioEmail>().Lookup(1)->GetMemberIDs(), (QList<quint16>{3, 4}));
    }
}

TEST_F(EditingTest, aRenumberedEmailGroupLeavesItsOldNumberAndMarksItsMembers) {
    storeAll(QList{email(1, QStringLiteral("Ada")), email(2, QStringLiteral("Bert")),
                   email(3, QStringLiteral("Cleo")), email(4, QStringLiteral("Dora"))});
    storeAll(QList{group<CAdrGroupAioEmail>(2, {1, 2})});
    editor.aioEmailGroup = [](CAdrGroupAioEmail &g) {
        g.SetID(7);
        g.RemoveMember(1);
        g.AddMember(3);
        return true;
    };
    const int before = step();
    doc->OnEdit(row(AdrKindAioEmailGroup, 2));

    EXPECT_EQ(step(), before + 1);
    EXPECT_EQ(data().Map<CAdrGroupAioEmail>().Lookup(2), nullptr);
    ASSERT_NE(data().Map<CAdrGroupAioEmail>().Lookup(7), nullptr);
    EXPECT_EQ(data().Map<CAdrGroupAioEmail>().Lookup(7)->GetMemberIDs(), (QList<quint16>{2, 3}));
    const auto &emails = data().Map<CAdrMemberAioEmail>();
    // The old group's deletion marks its members as a deletion does.
    for (quint16 id : {1, 2, 3}) EXPECT_EQ(emails.Lookup(id)->GetChangeMark(), 1u) << id;
    EXPECT_EQ(emails.Lookup(4)->GetChangeMark(), 0u);
    EXPECT_TRUE(doc->IsMachineModified());
    EXPECT_FALSE(doc->IsPcFaxModified());
}

TEST_F(EditingTest, aServerIsStoredUnderTheNumberItComesBackWithTogetherWithItsSharedFolder) {
    CAdrShareData record = test::shareRecord(2, QStringLiteral("/srv/scans"));
    record.autoShare = 1;
    record.shareName = QStringLiteral("Scans");
    CAdrHistory &history = doc->History();
    ASSERT_TRUE(history.Begin());
    history.StoreServer(test::server(2, QStringLiteral("Scans")), &record);
    ASSERT_TRUE(history.Commit());
    struct Case {
        const char *what;
        quint16 newId;
        QString shareName;  // of the record the dialog hands back; empty: none
    };
    const Case cases[] = {
        {"only the shared folder changed", 2, QStringLiteral("Scans2")},
        {"renumbered with its folder", 4, QStringLiteral("Scans")},
        {"renumbered, Auto Share given up", 5, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        editor.server = [&](CAdrMemberAioServer &entry, ServerShareSettings &share) {
            EXPECT_EQ(share.record.localFolder, QStringLiteral("/srv/scans"));
            entry.SetID(c.newId);
            share.record = CAdrShareData{};
            if (!c.shareName.isEmpty()) {
                share.record = record;
                share.record.serverId = c.newId;
                share.record.shareName = c.shareName;
            }
            return true;
        };
        const int before = step();
        doc->OnEdit(row(AdrKindServer, 2));

        EXPECT_EQ(step(), before + 1);
        ASSERT_NE(data().Map<CAdrMemberAioServer>().Lookup(c.newId), nullptr);
        EXPECT_EQ(data().Map<CAdrMemberAioServer>().Lookup(c.newId)->GetChangeMark(), 1u);
        const CAdrShareData *stored = data().ShareData().Lookup(c.newId);
        if (c.shareName.isEmpty()) {
            EXPECT_EQ(stored, nullptr);
        } else {
            ASSERT_NE(stored, nullptr);
            EXPECT_EQ(stored->shareName, c.shareName);
        }
        // Nothing is deleted under the old number.
        ASSERT_NE(data().Map<CAdrMemberAioServer>().Lookup(2), nullptr);
        if (c.newId != 2) {
            EXPECT_EQ(data().ShareData().Lookup(2)->shareName, QStringLiteral("Scans"));
        }
        doc->OnUndo();
    }
}

TEST_F(EditingTest, editingAGroupMarksTheMembersThatJoinedOrLeftAndMovesARenumberedGroup) {
    editor.aioFaxGroup = [](CAdrGroupAioFax &g) {
        g.SetID(4);
        g.RemoveMember(2);
        g.AddMember(12);
        return true;
    };
    doc->OnEdit(row(AdrKindAioFaxGroup, 1));

    EXPECT_EQ(data().Map<CAdrGroupAioFax>().Lookup(1), nullptr);
    ASSERT_NE(data().Map<CAdrGroupAioFax>().Lookup(4), nullptr);
    EXPECT_EQ(faxGroup(4).GetMemberIDs(), (QList<quint16>{1, 11, 12}));
    for (quint16 id : {1, 2, 11, 12})
        EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(id)->GetChangeMark(), 1u) << id;
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(3)->GetChangeMark(), 0u);
}

TEST_F(EditingTest, deletingAsksFirstAndACancelChangesNothing) {
    const int before = step();
    EXPECT_TRUE(doc->OnDelete({row(AdrKindAioFax, 1)}).isEmpty());
    EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgDeleteSelected)});
    EXPECT_NE(data().Map<CAdrMemberAioFax>().Lookup(1), nullptr);
    EXPECT_EQ(step(), before);
}

TEST_F(EditingTest, deletingTheOnlyMemberOfAGroupLeavesItEmptyAndTheMachineSaveRefusesIt) {
    storeAll(QList{group<CAdrGroupAioFax>(3, {12}, QStringLiteral("Front Desk"))});
    prompt.answers = {PromptAnswer::Ok};
    const quint32 noKind = 7;  // a value naming no kind is skipped
    EXPECT_EQ(doc->OnDelete({noKind, row(AdrKindAioFax, 12)}), (QList<quint32>{row(AdrKindAioFax, 12)}));
    ASSERT_NE(data().Map<CAdrGroupAioFax>().Lookup(3), nullptr);
    EXPECT_EQ(faxGroup(3).CountMembers(), 0);
    EXPECT_EQ(faxGroup(3).GetChangeMark(), 1u);

    prompt.shown.clear();
    const qvs::MachineState atMachine = shown();
    EXPECT_EQ(doc->OnSaveMachine(), AdrIoEmptyFaxGroup);
    EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgGroupWithoutMember)});
    EXPECT_EQ(shown(), atMachine);
}

TEST_F(EditingTest, deletingAGroupMarksItsMembersAndDeletesInListOrder) {
    prompt.answers = {PromptAnswer::Ok};
    const QList<quint32> rows{row(AdrKindAioFaxGroup, 2), row(AdrKindAioFax, 3), row(AdrKindAioFax, 4)};
    EXPECT_EQ(doc->OnDelete(rows), rows);
    EXPECT_EQ(data().Map<CAdrGroupAioFax>().Lookup(2), nullptr);
    for (quint16 id : {5, 9, 10}) EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(id)->GetChangeMark(), 1u) << id;
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(3), nullptr);
    EXPECT_EQ(data().Map<CAdrMemberAioFax>().Lookup(1)->GetChangeMark(), 0u);
}

TEST_F(EditingTest, deletingOnlyPcFaxEntriesLeavesTheMachineFlagAsItWas) {
    for (bool machineModified : {false, true}) {
        SCOPED_TRACE(machineModified);
        storeAll(QList{pcFax(1, QStringLiteral("One")), pcFax(2, QStringLiteral("Two"))});
        storeAll(QList{group<CAdrGroupPcFax>(1, {1, 2})});
        doc->SetMachineModified(machineModified);
        doc->SetPcFaxModified(false);
        prompt.answers = {PromptAnswer::Ok};
        EXPECT_EQ(doc->OnDelete({row(AdrKindPcFax, 1), row(AdrKindPcFaxGroup, 1)}).size(), 2);
        EXPECT_EQ(doc->IsMachineModified(), machineModified);
        EXPECT_TRUE(doc->IsPcFaxModified());
        EXPECT_EQ(data().Map<CAdrMemberPcFax>().Lookup(2)->GetChangeMark(), 1u);
    }
}

TEST_F(EditingTest, deletingASharedServerAsksWhetherTheShareGoesToo) {
    struct Case {
        PromptAnswer answer;
        bool deleted;
        QList<quint16> keptRecords;
    };
    const Case cases[] = {
        {PromptAnswer::Yes, true, {}},
        {PromptAnswer::No, true, {41}},
        {PromptAnswer::Cancel, false, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        CAdrShareData record = test::shareRecord(3, QStringLiteral("/srv/scans"));
        record.shareName = QStringLiteral("Scans");
        record.isShared = 1;
        record.recordId = 41;
        CAdrHistory &history = doc->History();
        ASSERT_TRUE(history.Begin());
        history.StoreServer(test::server(3), &record);
        ASSERT_TRUE(history.Commit());
        prompt.shown.clear();
        prompt.answers = {PromptAnswer::Ok, c.answer};
        const QList<quint16> keptBefore = doc->History().GetCurrentTable()->GetKeptRecords();

        const QList<quint32> deleted = doc->OnDelete({row(AdrKindServer, 3)});
        ASSERT_EQ(prompt.shown.size(), 2);
        EXPECT_EQ(prompt.shown[1], lqa::formatText(lqa::ids::MsgDeleteSharedServer,
                                                   {QStringLiteral("/srv/scans"), QStringLiteral("Scans")}));
        EXPECT_EQ(deleted.size(), c.deleted ? 1 : 0);
        EXPECT_EQ(data().Map<CAdrMemberAioServer>().Lookup(3) == nullptr, c.deleted);
        EXPECT_EQ(data().ShareData().Lookup(3) == nullptr, c.deleted);
        EXPECT_EQ(doc->History().GetCurrentTable()->GetKeptRecords(), keptBefore + c.keptRecords);
    }
}

TEST_F(EditingTest, addingMembersRefusesWhatDoesNotFitWithTheMessageForOneOrMany) {
    QList<CAdrMemberPcFax> members;
    QList<quint16> thirty;
    for (quint16 id = 1; id <= 32; ++id) {
        members.append(pcFax(id, QStringLiteral("M%1").arg(id)));
        if (id <= 28) thirty.append(id);
    }
    storeAll(members);
    CAdrGroupPcFax full = group<CAdrGroupPcFax>(1, {});
    for (quint16 id : thirty) full.AddMember(id);
    storeAll(QList{full});
    struct Case {
        QList<quint16> dropped;
        int message;  // 0: added
    };
    const Case cases[] = {
        {{29, 30, 31}, lqa::ids::MsgMaxDataExceeded},
        {{1, 2, 29, 30, 31}, lqa::ids::MsgMaxDataExceeded},
        {{1, 29, 29, 30}, 0},  // members already in, and a repeat, take no place
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.dropped.size());
        prompt.shown.clear();
        const int before = step();
        EXPECT_EQ(doc->AddMembers(AdrKindPcFaxGroup, 1, c.dropped), c.message == 0);
        if (c.message != 0) {
            EXPECT_EQ(prompt.shown, QStringList{test::text(c.message)});
            EXPECT_EQ(step(), before);
        } else {
            EXPECT_TRUE(prompt.shown.isEmpty());
            EXPECT_EQ(step(), before + 1);
        }
    }
    const CAdrGroupPcFax &grown = *data().Map<CAdrGroupPcFax>().Lookup(1);
    EXPECT_EQ(grown.CountMembers(), 30);
    EXPECT_NE(grown.GetUpdatedOn(), 0);
    EXPECT_EQ(data().Map<CAdrMemberPcFax>().Lookup(29)->GetChangeMark(), 1u);
    EXPECT_EQ(data().Map<CAdrMemberPcFax>().Lookup(1)->GetChangeMark(), 0u);

    prompt.shown.clear();
    EXPECT_FALSE(doc->AddMembers(AdrKindPcFaxGroup, 1, {31}));
    EXPECT_EQ(prompt.shown, QStringList{test::text(lqa::ids::MsgCannotAddMember)});
    const int before = step();
    EXPECT_TRUE(doc->AddMembers(AdrKindPcFaxGroup, 1, {1, 2}));
    EXPECT_EQ(step(), before) << "nothing new to add is no step";
}

// An account deleted from the server dialog cannot come back by Cancel: the
// document forgets it at once and its shared-folder file says so too.
TEST_F(EditingTest, aScanServiceUserDeletedInTheServerDialogStaysDeletedWhateverTheDialogEndsWith) {
    CAdrHistory &history = doc->History();
    ASSERT_TRUE(history.Begin());
    history.StoreServer(test::server(2), nullptr);
    ASSERT_TRUE(history.Commit());
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        const ScanUserState made{1, QStringLiteral("scanuser"), QStringLiteral("pass")};
        doc->SharedFolder().ScanUser() = made;
        ASSERT_TRUE(doc->SharedFolder().SaveFile(history.GetShareRecords()));
        editor.server = [&](CAdrMemberAioServer &, ServerShareSettings &share) {
            EXPECT_EQ(share.scanUser, made);
            share.scanUser = ScanUserState{};
            share.scanUserDeleted = true;
            return ok;
        };
        const int before = step();
        doc->OnEdit(row(AdrKindServer, 2));

        EXPECT_EQ(step(), before) << "the entry itself did not change";
        EXPECT_EQ(doc->SharedFolder().ScanUser(), ScanUserState{});
        ScanUserState inFile = made;
        CAdrArray<CAdrShareData> records;
        ASSERT_EQ(CShareFile::Read(doc->SharedFolder().FilePath(), &inFile, &records), CShareFile::ReadResult::Read);
        EXPECT_EQ(inFile, ScanUserState{});
    }
}

}  // namespace
