// The machine through the bridge: read into a data set, update, certify,
// back up and restore, against the machine stand-in.
#include "devops/device_fixture.h"
#include "document/adr_input_output.h"
#include "support/scripted_prompt.h"

#include <gtest/gtest.h>

namespace {

using test::code;

// The data set's machine fax part in the machine's own terms.
test::Book faxPart(const CAdrData &data) {
    test::Book book;
    data.Map<CAdrMemberAioFax>().ForEach(
        [&](const CAdrMemberAioFax &m) { book.fax[m.GetID()] = {m.GetName(), m.GetFaxNumber()}; });
    data.Map<CAdrGroupAioFax>().ForEach([&](const CAdrGroupAioFax &g) {
        qvs::GroupSlot slot{g.GetName(), {}};
        for (quint16 id : g.GetMemberIDs()) slot.members.push_back(id);
        book.groups[g.GetID()] = slot;
    });
    return book;
}

class MachineBridge : public test::DeviceTest {
protected:
    void SetUp() override {
        test::DeviceTest::SetUp();
        io.SetDestinationDevice(0, QString());
    }

    ScriptedPrompt prompt;
    test::PromptScript libraryPrompt;
    CAdrInputOutput io{prompt};
};

TEST_F(MachineBridge, readEditUpdateAndReadBackGiveTheSameBook) {
    CAdrData data;
    ASSERT_EQ(io.ReadMachine(data), AdrIoOk);
    ASSERT_FALSE(data.Map<CAdrMemberAioFax>().IsEmpty());
    EXPECT_EQ(faxPart(data), test::bookOf(shown()));

    CAdrMemberAioFax changed = *data.Map<CAdrMemberAioFax>().Lookup(1);
    changed.SetFaxNumber(QStringLiteral("+49 30 1234"));
    data.StoreCopy(changed);
    CAdrMemberAioFax added;
    added.SetID(60);
    added.SetName(QStringLiteral("Neue Filiale"));
    added.SetFaxNumber(QStringLiteral("0211 55"));
    data.StoreCopy(added);
    const quint16 removed = data.Map<CAdrMemberAioFax>().Lookup(12) ? 12 : 2;
    data.Map<CAdrMemberAioFax>().RemoveKey(removed);
    data.Map<CAdrGroupAioFax>().ForEach([&](const CAdrGroupAioFax &g) {
        CAdrGroupAioFax copy = g;
        copy.RemoveMember(removed);
        if (copy.CountMembers() == 0) copy.AddMember(60);
        data.StoreCopy(copy);
    });
    const test::Book edited = faxPart(data);

    ASSERT_EQ(io.UpdateMachine(data), AdrIoOk);
    EXPECT_EQ(test::bookOf(shown()), edited);
    EXPECT_EQ(faxPart(data), edited);

    CAdrInputOutput fresh(prompt);
    CAdrData readBack;
    ASSERT_EQ(fresh.ReadMachine(readBack), AdrIoOk);
    EXPECT_EQ(faxPart(readBack), edited);
}

TEST_F(MachineBridge, aPasswordProtectedMachineIsReadAndWrittenAfterCertification) {
    panel({"password", "set", "4711"});
    libraryPrompt.passwords = {QStringLiteral("4711")};
    CAdrData data;
    ASSERT_EQ(io.ReadMachine(data), AdrIoOk);
    EXPECT_EQ(faxPart(data), test::bookOf(shown()));
    EXPECT_EQ(libraryPrompt.kinds.size(), 1u);

    // The accepted password is kept for the update: no second prompt.
    data.Map<CAdrMemberAioFax>().RemoveKey(3);
    data.Map<CAdrGroupAioFax>().ForEach([&](const CAdrGroupAioFax &g) {
        CAdrGroupAioFax copy = g;
        copy.RemoveMember(3);
        if (copy.CountMembers() == 0)
            data.Map<CAdrGroupAioFax>().RemoveKey(g.GetID());
        else
            data.StoreCopy(copy);
    });
    ASSERT_EQ(io.UpdateMachine(data), AdrIoOk);
    EXPECT_EQ(libraryPrompt.kinds.size(), 1u);
    EXPECT_EQ(test::bookOf(shown()), faxPart(data));
}

TEST_F(MachineBridge, threeWrongPasswordsFailTheRead) {
    panel({"password", "set", "4711"});
    libraryPrompt.passwords = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    CAdrData data;
    CAdrMemberAioFax kept;
    kept.SetID(7);
    data.StoreCopy(kept);
    EXPECT_EQ(io.ReadMachine(data), AdrIoPasswordFailed);
    EXPECT_EQ(data.Map<CAdrMemberAioFax>().GetCount(), 1) << "the data set is left alone";
}

TEST_F(MachineBridge, aPoweredOffMachineFailsAtTheStatus) {
    panel({"power", "off"});
    CAdrData data;
    EXPECT_EQ(io.ReadMachine(data), AdrIoStatusFailed);
}

TEST_F(MachineBridge, aMachineWithoutFaxSlotsReportsItAndNeverBringsFaxEntriesBack) {
    panel({"reset"});
    panel({"capacity", "0", "6"});
    CAdrData data;
    CAdrMemberAioFax stale;
    stale.SetID(7);
    data.StoreCopy(stale);
    EXPECT_EQ(io.ReadMachine(data), AdrIoNoFaxSlots);
    EXPECT_FALSE(io.IsFaxAvailable());
    EXPECT_TRUE(data.Map<CAdrMemberAioFax>().IsEmpty());
}

TEST_F(MachineBridge, aReadOfAMachineWithoutFaxSlotsDoesNotHideTheFaxPartOfLaterReads) {
    const qvs::MachineState demo = shown();
    panel({"reset"});
    panel({"capacity", "0", "6"});
    CAdrData data;
    ASSERT_EQ(io.ReadMachine(data), AdrIoNoFaxSlots);
    panel({"demo"});

    ASSERT_EQ(io.ReadMachine(data), AdrIoOk);
    EXPECT_TRUE(io.IsFaxAvailable());
    EXPECT_EQ(faxPart(data), test::bookOf(demo));
    ASSERT_EQ(io.UpdateMachine(data), AdrIoOk);
    EXPECT_EQ(shown(), demo) << "an unchanged book writes nothing away";
}

TEST_F(MachineBridge, aReadForComparisonBecomesTheBaseOnlyWhenAdopted) {
    CAdrData data;
    ASSERT_EQ(io.ReadMachine(data), AdrIoOk);
    panel({"fax", "remove", "1"});
    CAdrData atMachine;
    AbifContainer read;
    ASSERT_EQ(io.PeekMachine(atMachine, read), AdrIoOk);
    ASSERT_TRUE(read);
    EXPECT_EQ(faxPart(atMachine), test::bookOf(shown()));

    // Still against the first read: the removal at the machine is noticed.
    CAdrData mine = data;
    CAdrMemberAioFax renamed = *mine.Map<CAdrMemberAioFax>().Lookup(2);
    renamed.SetName(QStringLiteral("Mine"));
    mine.StoreCopy(renamed);
    libraryPrompt.answers = {abif::MessageAnswer::Cancel};
    EXPECT_EQ(io.UpdateMachine(mine), AdrIoCancelled);
    EXPECT_EQ(libraryPrompt.messages.size(), 1u);

    // Against the adopted read: the book as it was read first goes back
    // without a question.
    io.AdoptMachineBase(std::move(read));
    libraryPrompt.messages.clear();
    ASSERT_EQ(io.UpdateMachine(data), AdrIoOk);
    EXPECT_TRUE(libraryPrompt.messages.empty());
    EXPECT_EQ(test::bookOf(shown()), faxPart(data));
}

TEST_F(MachineBridge, aFaxGroupWithoutMembersStopsTheUpdateBeforeAnythingIsSent) {
    CAdrData data;
    ASSERT_EQ(io.ReadMachine(data), AdrIoOk);
    const qvs::MachineState before = shown();
    data.Map<CAdrMemberAioFax>().RemoveKey(1);
    CAdrGroupAioFax empty;
    empty.SetID(6);
    empty.SetName(QStringLiteral("Nobody"));
    data.StoreCopy(empty);
    EXPECT_EQ(io.UpdateMachine(data), AdrIoEmptyFaxGroup);
    EXPECT_EQ(shown(), before);
}

TEST_F(MachineBridge, aDelayedStartSlotEndsTheUpdateWithItsWarningAndStaysUnchanged) {
    CAdrData data;
    ASSERT_EQ(io.ReadMachine(data), AdrIoOk);
    const CAdrMemberAioFax original = *data.Map<CAdrMemberAioFax>().Lookup(3);
    panel({"delayed", "3"});
    CAdrMemberAioFax changed = original;
    changed.SetFaxNumber(QStringLiteral("000"));
    data.StoreCopy(changed);
    EXPECT_EQ(io.UpdateMachine(data), AdrIoPartlyWritten);
    EXPECT_EQ(*data.Map<CAdrMemberAioFax>().Lookup(3), original);
    EXPECT_EQ(faxPart(data), test::bookOf(shown()));
}

TEST_F(MachineBridge, aChangeAtTheMachineIsOnlyOverwrittenWhenThePersonAgrees) {
    CAdrData data;
    ASSERT_EQ(io.ReadMachine(data), AdrIoOk);
    panel({"fax", "set", "5", "Changed At The Panel", "1"});
    const qvs::MachineState atMachine = shown();
    CAdrMemberAioFax mine = *data.Map<CAdrMemberAioFax>().Lookup(1);
    mine.SetName(QStringLiteral("Mine"));
    data.StoreCopy(mine);
    const CAdrData edited = data;

    libraryPrompt.answers = {abif::MessageAnswer::Cancel};
    EXPECT_EQ(io.UpdateMachine(data), AdrIoCancelled);
    EXPECT_EQ(shown(), atMachine);
    EXPECT_EQ(libraryPrompt.messages, std::vector<QString>{QStringLiteral("The machine will be overwritten. Are you sure?")});

    libraryPrompt.answers = {abif::MessageAnswer::Ok};
    EXPECT_EQ(io.UpdateMachine(data), AdrIoOk);
    EXPECT_EQ(test::bookOf(shown()), faxPart(edited));
}

TEST_F(MachineBridge, backupThenRestoreGivesTheSameFaxPartAndNoEmailGroupsOrMessage) {
    CAdrData data;
    ASSERT_EQ(io.ReadMachine(data), AdrIoOk);
    CAdrMemberAioEmail mail;
    mail.SetID(1);
    mail.SetEmailAddress(QStringLiteral("desk@example.org"));
    data.StoreCopy(mail);
    CAdrGroupAioEmail mailGroup;
    mailGroup.SetID(1);
    mailGroup.AddMember(1);
    data.StoreCopy(mailGroup);
    data.SubComm() = {QStringLiteral("Subject"), QStringLiteral("Body")};
    const test::Book saved = faxPart(data);

    const QString path = folder.filePath(QStringLiteral("machine.qbk"));
    prompt.files = {path};
    ASSERT_EQ(io.BackupMachineBook(data), AdrIoOk);
    ASSERT_EQ(prompt.choices.size(), 1);
    EXPECT_EQ(prompt.choices[0].mode, FileChoice::Save);
    EXPECT_EQ(prompt.choices[0].defaultSuffix, QStringLiteral("qbk"));
    EXPECT_EQ(prompt.choices[0].filter, QStringLiteral("Backup File for QV MF(*.qbk)|*.qbk|All Files (*.*)|*.*||"));

    CAdrData restored;
    prompt.files = {path};
    ASSERT_EQ(io.RestoreMachineBook(restored), AdrIoOk);
    EXPECT_EQ(prompt.choices[1].mode, FileChoice::Open);
    EXPECT_EQ(faxPart(restored), saved);
    EXPECT_TRUE(restored.Map<CAdrGroupAioEmail>().IsEmpty());
    EXPECT_EQ(restored.SubComm(), CAdrSubComm{});
}

TEST_F(MachineBridge, cancellingTheFileChoiceCancelsBackupAndRestore) {
    CAdrData data;
    ASSERT_EQ(io.ReadMachine(data), AdrIoOk);
    const CAdrData before = data;
    EXPECT_EQ(io.BackupMachineBook(data), AdrIoCancelled);
    EXPECT_EQ(io.RestoreMachineBook(data), AdrIoCancelled);
    EXPECT_EQ(faxPart(data), faxPart(before));
}

TEST_F(MachineBridge, aFileThatIsNoBackupFailsTheRestoreAndLeavesTheData) {
    CAdrData data;
    ASSERT_EQ(io.ReadMachine(data), AdrIoOk);
    const QString path = folder.filePath(QStringLiteral("other.qbk"));
    QFile other(path);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("@PJL nothing of ours\n");
    other.close();
    const test::Book before = faxPart(data);
    prompt.files = {path};
    EXPECT_EQ(io.RestoreMachineBook(data), AdrIoReadFailed);
    EXPECT_EQ(faxPart(data), before);
}

}  // namespace
