// The member and group dialogs, offscreen: what OK checks, in which order,
// with which message, and what reaches the entry.
#include "dialog_fixture.h"
#include "dialogs/field_rules.h"
#include "dialogs/group_dialog.h"
#include "dialogs/member_dialogs.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

namespace {

using namespace lqa::ids;
using test::text;

class FaxMemberDialogTest : public ::testing::Test {
protected:
    CAdrData data = test::bookData();
    ScriptedPrompt prompt;
    CAdrMemberAioFax entry = test::aioFax(5, QString(), QString());
    QList<quint16> groups;
    CDlgAioFaxMember dialog{entry, groups, data, prompt};

    void fill(const QString &id, const QString &name, const QString &fax) {
        if (id != dialog.IdField()->text()) {
            dialog.SpecifyIdBox()->setChecked(true);
            dialog.IdField()->setText(id);
        }
        dialog.NameField()->setText(name);
        dialog.FaxField()->setText(fax);
    }
};

TEST_F(FaxMemberDialogTest, emptyRequiredFieldsAreListedInOneMessage) {
    EXPECT_FALSE(test::pressOk(dialog));
    EXPECT_EQ(prompt.shown, QStringList{QStringLiteral("Fill in\n\nName\nFax Number")});
    EXPECT_EQ(dialog.focusWidget(), dialog.NameField());
    EXPECT_EQ(entry, test::aioFax(5, QString(), QString()));
}

// Fill-in before range before characters, fields in table order: the first
// failure is the only message.
TEST_F(FaxMemberDialogTest, theFirstFailingCheckSpeaks) {
    const QString range = RangeErrorText(99);
    const QString badName = CharacterErrorText(FieldName, RulePrintable);
    const QString badFax = CharacterErrorText(FieldFaxNumber, RuleFaxNumber);
    const struct {
        const char *id;
        const char16_t *name;
        const char *fax;
        QString message;
        const char *focus;
    } cases[] = {
        {"", u"Ann", "", FillInText({text(FieldSpeedDialNumber), text(FieldFaxNumber)}), "id"},
        {"0", u"Ann", "0312", range, "id"},
        {"100", u"Caf\u00e9", "03 12", range, "id"},
        {"7", u"Caf\u00e9", "03 12", badName, "name"},
        {"7", u"Ann\u0080", "0312", badName, "name"},
        {"7", u"Ann", "03 1234", badFax, "fax"},
        {"7", u"Ann", "03-1234a", badFax, "fax"},
    };
    for (const auto &c : cases) {
        prompt.shown.clear();
        fill(QString::fromLatin1(c.id), QString::fromUtf16(c.name), QString::fromLatin1(c.fax));
        EXPECT_FALSE(test::pressOk(dialog)) << c.id;
        EXPECT_EQ(prompt.shown, QStringList{c.message}) << c.id;
        QWidget *focus = QByteArray(c.focus) == "id"     ? static_cast<QWidget *>(dialog.IdField())
                         : QByteArray(c.focus) == "name" ? dialog.NameField()
                                                         : dialog.FaxField();
        EXPECT_EQ(dialog.focusWidget(), focus) << c.id;
    }
    EXPECT_EQ(entry.GetID(), 5);
    EXPECT_TRUE(entry.GetName().isEmpty());
}

TEST_F(FaxMemberDialogTest, aValidEntryIsCopiedWithItsNumberAndSymbols) {
    fill(QStringLiteral("099"), QStringLiteral("Night Desk ~#1"), QStringLiteral("*03-1234#:=5"));
    EXPECT_TRUE(test::pressOk(dialog));
    EXPECT_TRUE(prompt.shown.isEmpty()) << prompt.shown.join(u'|').toStdString();
    EXPECT_EQ(entry, test::aioFax(99, QStringLiteral("Night Desk ~#1"), QStringLiteral("*03-1234#:=5")));
}

TEST_F(FaxMemberDialogTest, theIdFieldIsUnlockedByItsBoxAndRestoredWhenCleared) {
    EXPECT_EQ(dialog.IdField()->text(), QStringLiteral("005"));
    EXPECT_FALSE(dialog.IdField()->isEnabled());
    dialog.SpecifyIdBox()->setChecked(true);
    EXPECT_TRUE(dialog.IdField()->isEnabled());
    dialog.IdField()->setText(QStringLiteral("42"));
    dialog.SpecifyIdBox()->setChecked(false);
    EXPECT_EQ(dialog.IdField()->text(), QStringLiteral("005"));
    EXPECT_FALSE(dialog.IdField()->isEnabled());
}

TEST_F(FaxMemberDialogTest, theTitleFollowsEveryKeystroke) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Speed Dial - 005 : "));
    QTest::keyClicks(dialog.NameField(), QStringLiteral("Jo"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Speed Dial - 005 : Jo"));
    dialog.SpecifyIdBox()->setChecked(true);
    dialog.IdField()->clear();
    QTest::keyClicks(dialog.IdField(), QStringLiteral("7"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Speed Dial - 007 : Jo"));
}

TEST_F(FaxMemberDialogTest, fieldsRefuseInputBeyondTheirLimit) {
    QSignalSpy refused(dialog.NameField(), &CDlgCtrlEdit::inputRefused);
    QTest::keyClicks(dialog.NameField(), QString(33, u'x'));
    EXPECT_EQ(dialog.NameField()->text(), QString(32, u'x'));
    ASSERT_TRUE(refused.wait(1000) || refused.count() > 0);
    EXPECT_EQ(refused.first().first().toString(), QStringLiteral("Please enter no more than 32 characters."));

    // The ID takes digits only, and no more than three of them.
    dialog.SpecifyIdBox()->setChecked(true);
    dialog.IdField()->clear();
    QTest::keyClicks(dialog.IdField(), QStringLiteral("1a2345"));
    EXPECT_EQ(dialog.IdField()->text(), QStringLiteral("123"));
}

TEST_F(FaxMemberDialogTest, aDuplicateIsSavedOnlyWhenConfirmed) {
    fill(QStringLiteral("005"), QStringLiteral("Head Office"), QStringLiteral("0311112222"));
    prompt.answers = {PromptAnswer::No};
    EXPECT_FALSE(test::pressOk(dialog));
    EXPECT_EQ(prompt.shown, QStringList{text(MsgDuplicateFax)});
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(test::pressOk(dialog));
    EXPECT_EQ(entry.GetName(), QStringLiteral("Head Office"));
}

// Declining to overwrite must not leave the new values in the entry, or a
// later Cancel would hand them to the document anyway.
TEST_F(FaxMemberDialogTest, declinedOverwriteLeavesTheEntryAsItCame) {
    fill(QStringLiteral("2"), QStringLiteral("Night Desk"), QStringLiteral("0399"));
    prompt.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(test::pressOk(dialog));
    EXPECT_EQ(prompt.shown, QStringList{text(MsgOverwriteId)});
    EXPECT_EQ(entry, test::aioFax(5, QString(), QString()));
    prompt.answers = {PromptAnswer::Ok};
    EXPECT_TRUE(test::pressOk(dialog));
    EXPECT_EQ(entry, test::aioFax(2, QStringLiteral("Night Desk"), QStringLiteral("0399")));
}

TEST(MemberGroupsTest, theGroupListShowsTheMembersGroupsAndIsOffWithoutGroups) {
    CAdrData data = test::bookData();
    ScriptedPrompt prompt;
    CAdrMemberAioFax entry = *data.Map<CAdrMemberAioFax>().Lookup(1);
    QList<quint16> groups{1};
    CDlgAioFaxMember dialog(entry, groups, data, prompt);
    ASSERT_EQ(dialog.Groups()->List()->topLevelItemCount(), 1);
    EXPECT_EQ(dialog.Groups()->List()->topLevelItem(0)->text(1), QStringLiteral("Sites"));
    EXPECT_TRUE(dialog.Groups()->MembershipButton()->isEnabled());

    data.Map<CAdrGroupAioFax>().RemoveAll();
    QList<quint16> none;
    CDlgAioFaxMember lonely(entry, none, data, prompt);
    EXPECT_FALSE(lonely.Groups()->List()->isEnabled());
    EXPECT_FALSE(lonely.Groups()->MembershipButton()->isEnabled());
}

TEST(MemberGroupsTest, groupsChosenInTheMembershipDialogComeBackOnOk) {
    CAdrData data = test::bookData();
    data.StoreCopy(test::group<CAdrGroupPcFax>(7, {}, QStringLiteral("Printers")));
    ScriptedPrompt prompt;
    CAdrMemberPcFax entry = *data.Map<CAdrMemberPcFax>().Lookup(10);
    QList<quint16> groups{4};
    CDlgPcFaxMember dialog(entry, groups, data, prompt);
    test::whenShown([](QDialog &shown) {
        auto &membership = dynamic_cast<CDlgAioPcEditMember &>(shown);
        ASSERT_EQ(membership.SelectableList()->topLevelItemCount(), 1);
        membership.SelectableList()->topLevelItem(0)->setSelected(true);
        membership.AddButton()->click();
        membership.accept();
    });
    dialog.Groups()->MembershipButton()->click();
    EXPECT_EQ(groups, QList<quint16>{4}) << "nothing written before OK";
    EXPECT_TRUE(test::pressOk(dialog));
    EXPECT_EQ(groups, (QList<quint16>{4, 7}));
}

// The member's own place in a full group does not count against it: taking
// the group out and back in again is no overfill.
TEST(MemberGroupsTest, aMemberMayRejoinAFullGroupItBelongsTo) {
    CAdrData data = test::bookData();
    CAdrGroupPcFax full = *data.Map<CAdrGroupPcFax>().Lookup(4);
    for (quint16 id = 100; full.GetFreeMemberCount() > 0; ++id) {
        data.StoreCopy(test::pcFax(id));
        full.AddMember(id);
    }
    data.StoreCopy(full);
    ScriptedPrompt prompt;
    CAdrMemberPcFax entry = *data.Map<CAdrMemberPcFax>().Lookup(10);
    QList<quint16> groups{4};
    CDlgPcFaxMember dialog(entry, groups, data, prompt);
    test::whenShown([](QDialog &shown) {
        auto &membership = dynamic_cast<CDlgAioPcEditMember &>(shown);
        membership.ChosenList()->topLevelItem(0)->setSelected(true);
        membership.DeleteButton()->click();
        membership.SelectableList()->topLevelItem(0)->setSelected(true);
        EXPECT_TRUE(membership.AddSelected());
        membership.accept();
    });
    dialog.Groups()->MembershipButton()->click();
    EXPECT_TRUE(prompt.shown.isEmpty()) << prompt.shown.join(u'|').toStdString();
    EXPECT_EQ(dialog.Groups()->ChosenIds(), QList<quint16>{4});
}

TEST(PcFaxMemberDialogTest, savesEveryFieldAndKeepsItsId) {
    CAdrData data = test::bookData();
    ScriptedPrompt prompt;
    CAdrMemberPcFax entry = test::pcFax(11, QString());
    QList<quint16> groups;
    CDlgPcFaxMember dialog(entry, groups, data, prompt);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("PC Fax Speed Dial - "));
    QTest::keyClicks(dialog.NameField(), QStringLiteral("Ink Co"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("PC Fax Speed Dial - Ink Co"));
    dialog.FaxField()->setText(QStringLiteral("0312"));
    dialog.CompanyField()->setText(QStringLiteral("Ink Company Ltd."));
    dialog.NoteField()->setPlainText(QStringLiteral("Mornings only.\nAsk for Kim."));
    EXPECT_TRUE(test::pressOk(dialog));
    EXPECT_EQ(entry.GetID(), 11);
    EXPECT_EQ(entry.GetCompany(), QStringLiteral("Ink Company Ltd."));
    EXPECT_EQ(entry.GetNote(), QStringLiteral("Mornings only.\nAsk for Kim."));
}

TEST(PcFaxMemberDialogTest, theNoteRefusesTextBeyondItsLimit) {
    CAdrData data;
    ScriptedPrompt prompt;
    CAdrMemberPcFax entry = test::pcFax(1);
    QList<quint16> groups;
    CDlgPcFaxMember dialog(entry, groups, data, prompt);
    QSignalSpy refused(dialog.NoteField(), &CDlgCtrlNote::inputRefused);
    dialog.NoteField()->setPlainText(QString(254, u'n'));
    EXPECT_EQ(refused.count(), 0);
    QTest::keyClicks(dialog.NoteField(), QStringLiteral("x"));
    EXPECT_EQ(dialog.NoteField()->toPlainText(), QString(254, u'n'));
    EXPECT_EQ(refused.count(), 1);
}

TEST(PcFaxMemberDialogTest, controlCharactersInCompanyOrNoteAreRefusedNamingTheField) {
    const QString badCompany = CharacterErrorText(FieldCompany, RuleNoControlCharacters);
    const QString badNote = CharacterErrorText(FieldNote, RuleNoControlCharacters);
    const struct {
        const char16_t *company;
        const char16_t *note;
        QString message;  // empty: accepted
    } cases[] = {
        {u"Ink\u0003Co", u"", badCompany},
        {u"Ink\u0004Co", u"", badCompany},
        {u"Ink\tCo", u"", badCompany},
        {u"Ink\u0085Co", u"", badCompany},
        {u"", u"ask\u0004Kim", badNote},
        {u"", u"ask\u0003Kim", badNote},
        {u"", u"ask\u007fKim", badNote},
        {u"Soci\u00e9t\u00e9", u"Mornings only.\nAsk for Kim.", {}},
    };
    for (const auto &c : cases) {
        CAdrData data;
        ScriptedPrompt prompt;
        CAdrMemberPcFax entry = test::pcFax(1, QStringLiteral("Ink Co"));
        entry.SetFaxNumber(QStringLiteral("0312"));
        QList<quint16> groups;
        CDlgPcFaxMember dialog(entry, groups, data, prompt);
        const QString company = QString::fromUtf16(c.company), note = QString::fromUtf16(c.note);
        dialog.CompanyField()->setText(company);
        dialog.NoteField()->setPlainText(note);
        const std::string what = (company + u'|' + note).toStdString();
        EXPECT_EQ(test::pressOk(dialog), c.message.isEmpty()) << what;
        EXPECT_EQ(prompt.shown, c.message.isEmpty() ? QStringList{} : QStringList{c.message}) << what;
        if (c.message.isEmpty()) {
            EXPECT_EQ(entry.GetCompany(), company) << what;
            EXPECT_EQ(entry.GetNote(), note) << what;
            continue;
        }
        EXPECT_EQ(dialog.focusWidget(), c.message == badCompany ? static_cast<QWidget *>(dialog.CompanyField())
                                                                : dialog.NoteField())
            << what;
        EXPECT_TRUE(entry.GetCompany().isEmpty()) << what;
    }
}

TEST(PcFaxMemberDialogTest, aNoteLongerThanItsFieldIsCutNotWipedAndTheUserToldOnce) {
    CAdrData data;
    ScriptedPrompt prompt;
    CAdrMemberPcFax entry = test::pcFax(1, QStringLiteral("Ink Co"));
    entry.SetFaxNumber(QStringLiteral("0312"));
    entry.SetNote(QString(253, u'n') + u"\U0001F600"_qs + u"tail"_qs);
    QList<quint16> groups;
    CDlgPcFaxMember dialog(entry, groups, data, prompt);
    // The last unit would be half of a pair: the cut goes before it.
    EXPECT_EQ(dialog.NoteField()->toPlainText(), QString(253, u'n'));

    dialog.show();
    QCoreApplication::processEvents();
    dialog.hide();
    dialog.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(prompt.shown, QStringList{lqa::loadText(MsgNoteShortened).arg(254)});

    prompt.shown.clear();
    EXPECT_TRUE(test::pressOk(dialog));
    EXPECT_TRUE(prompt.shown.isEmpty());
    EXPECT_EQ(entry.GetNote(), QString(253, u'n'));
}

TEST(PcFaxMemberDialogTest, aNoteThatFitsIsShownWithoutAWord) {
    CAdrData data;
    ScriptedPrompt prompt;
    CAdrMemberPcFax entry = test::pcFax(1, QStringLiteral("Ink Co"));
    entry.SetNote(QString(254, u'n'));
    QList<quint16> groups;
    CDlgPcFaxMember dialog(entry, groups, data, prompt);
    dialog.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.NoteField()->toPlainText(), QString(254, u'n'));
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST(EmailMemberDialogTest, addressesFollowTheEmailRule) {
    CAdrData data = test::bookData();
    ScriptedPrompt prompt;
    CAdrMemberAioEmail entry = test::aioEmail(4, QString());
    CDlgAioEmailMember dialog(entry, data, prompt);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Email Address - 004 : "));
    dialog.NameField()->setText(QStringLiteral("Support"));
    dialog.AddressField()->setText(QStringLiteral("help..desk@example.com"));
    EXPECT_FALSE(test::pressOk(dialog));
    EXPECT_EQ(prompt.shown, QStringList{CharacterErrorText(FieldEmailAddress, RuleEmail)});

    dialog.SpecifyIdBox()->setChecked(true);
    dialog.IdField()->setText(QStringLiteral("21"));
    prompt.shown.clear();
    EXPECT_FALSE(test::pressOk(dialog));
    EXPECT_EQ(prompt.shown, QStringList{RangeErrorText(20)});

    dialog.IdField()->setText(QStringLiteral("20"));
    dialog.AddressField()->setText(QStringLiteral("helpdesk"));
    EXPECT_TRUE(test::pressOk(dialog));
    EXPECT_EQ(entry.GetID(), 20);
    EXPECT_EQ(entry.GetEmailAddress(), QStringLiteral("helpdesk"));
}

class FaxGroupDialogTest : public ::testing::Test {
protected:
    CAdrData data = test::bookData();
    ScriptedPrompt prompt;
    CAdrGroupAioFax group = *data.Map<CAdrGroupAioFax>().Lookup(1);
    CDlgGroup dialog{group, CDlgGroup::AioFax, data, prompt};

    // Takes every member out through the membership dialog.
    void removeAllMembers() {
        test::whenShown([](QDialog &shown) {
            auto &membership = dynamic_cast<CDlgAioPcEditMember &>(shown);
            QTreeWidget *chosen = membership.ChosenList();
            for (int i = 0; i < chosen->topLevelItemCount(); ++i) chosen->topLevelItem(i)->setSelected(true);
            membership.DeleteButton()->click();
            membership.accept();
        });
        dialog.Members()->MembershipButton()->click();
    }
};

TEST_F(FaxGroupDialogTest, opensWithItsIdNameAndMembers) {
    EXPECT_EQ(dialog.IdField()->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Group Dial - 001 : Sites"));
    EXPECT_EQ(dialog.Members()->ChosenIds(), (QList<quint16>{1, 2}));
}

TEST_F(FaxGroupDialogTest, aGroupLeftWithoutMembersIsSavedEmptyWhenConfirmed) {
    removeAllMembers();
    EXPECT_EQ(dialog.Members()->List()->topLevelItemCount(), 0);
    prompt.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(test::pressOk(dialog));
    EXPECT_EQ(prompt.shown, QStringList{text(MsgNoMembersSelected)});
    EXPECT_EQ(group.CountMembers(), 2);

    prompt.answers = {PromptAnswer::Ok};
    EXPECT_TRUE(test::pressOk(dialog));
    EXPECT_EQ(group.CountMembers(), 0);
    EXPECT_EQ(group.GetName(), QStringLiteral("Sites"));
}

TEST_F(FaxGroupDialogTest, changedMembersAreConfirmedAndUnchangedOnesAreNot) {
    QList<QString> confirmedNames;
    bool answer = false;
    dialog.SetConfirmMembers([&](const QString &name, const QList<MembershipItem> &members) {
        confirmedNames.append(name + QStringLiteral(":%1").arg(members.size()));
        return answer;
    });
    EXPECT_TRUE(test::pressOk(dialog));
    EXPECT_TRUE(confirmedNames.isEmpty());

    test::whenShown([](QDialog &shown) {
        auto &membership = dynamic_cast<CDlgAioPcEditMember &>(shown);
        membership.ChosenList()->topLevelItem(1)->setSelected(true);  // member 2
        membership.DeleteButton()->click();
        membership.accept();
    });
    dialog.Members()->MembershipButton()->click();
    EXPECT_FALSE(test::pressOk(dialog));
    EXPECT_EQ(confirmedNames, QList<QString>{QStringLiteral("Sites:1")});
    EXPECT_EQ(group.CountMembers(), 2);
    answer = true;
    EXPECT_TRUE(test::pressOk(dialog));
    EXPECT_EQ(group.GetMemberIDs(), QList<quint16>{1});
}

TEST_F(FaxGroupDialogTest, groupChecksRunInOrder) {
    const struct {
        const char *id;
        const char16_t *name;
        QString message;
    } cases[] = {
        {"", u"", FillInText({text(FieldGroupId), text(FieldGroupName)})},
        {"7", u"Caf\u00e9", RangeErrorText(6)},
        {"0", u"Sites", RangeErrorText(6)},
        {"6", u"Caf\u00e9", CharacterErrorText(FieldGroupName, RulePrintable)},
    };
    dialog.SpecifyIdBox()->setChecked(true);
    for (const auto &c : cases) {
        prompt.shown.clear();
        dialog.IdField()->setText(QString::fromLatin1(c.id));
        dialog.NameField()->setText(QString::fromUtf16(c.name));
        EXPECT_FALSE(test::pressOk(dialog)) << c.id;
        EXPECT_EQ(prompt.shown, QStringList{c.message}) << c.id;
    }
}

TEST(GroupDialogTest, emailAndPcFaxGroupsUseTheirOwnLimits) {
    CAdrData data = test::bookData();
    ScriptedPrompt prompt;
    CAdrGroupAioEmail email = test::group<CAdrGroupAioEmail>(3, {}, QStringLiteral("Team"));
    CDlgGroup emailDialog(email, CDlgGroup::AioEmail, data, prompt);
    EXPECT_EQ(emailDialog.IdField()->text(), QStringLiteral("03"));
    EXPECT_EQ(emailDialog.windowTitle(), QStringLiteral("Email Group - 03 : Team"));
    emailDialog.SpecifyIdBox()->setChecked(true);
    emailDialog.IdField()->setText(QStringLiteral("11"));
    EXPECT_FALSE(test::pressOk(emailDialog));
    EXPECT_EQ(prompt.shown, QStringList{RangeErrorText(10)});
    emailDialog.IdField()->setText(QStringLiteral("10"));
    EXPECT_TRUE(test::pressOk(emailDialog));
    EXPECT_EQ(email.GetID(), 10);

    CAdrGroupPcFax pcFax = *data.Map<CAdrGroupPcFax>().Lookup(4);
    CDlgGroup pcFaxDialog(pcFax, CDlgGroup::PcFax, data, prompt);
    EXPECT_EQ(pcFaxDialog.IdField(), nullptr);
    EXPECT_EQ(pcFaxDialog.windowTitle(), QStringLiteral("PC Fax Group Dial - Suppliers"));
    pcFaxDialog.NameField()->setText(QStringLiteral("Paper Suppliers"));
    EXPECT_TRUE(test::pressOk(pcFaxDialog));
    EXPECT_EQ(pcFax.GetID(), 4);
    EXPECT_EQ(pcFax.GetName(), QStringLiteral("Paper Suppliers"));
    EXPECT_EQ(pcFax.GetMemberIDs(), QList<quint16>{10});
}

}  // namespace
