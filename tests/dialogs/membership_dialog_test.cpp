// The membership selection and the group confirmation, offscreen.
#include "dialogs/group_confirm_dialog.h"
#include "dialogs/membership_dialog.h"
#include "support/scripted_prompt.h"
#include "text/editor_text.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

QList<MembershipItem> items(std::initializer_list<quint16> ids, int memberCount = 0) {
    QList<MembershipItem> out;
    for (const quint16 id : ids) out.append({id, QStringLiteral("Entry %1").arg(id), memberCount});
    return out;
}

QList<quint16> idsOf(const QList<MembershipItem> &list) {
    QList<quint16> ids;
    for (const MembershipItem &item : list) ids.append(item.id);
    return ids;
}

void select(QTreeWidget *list, std::initializer_list<int> rows) {
    list->clearSelection();
    for (const int row : rows) list->topLevelItem(row)->setSelected(true);
}

TEST(MembershipDialogTest, listsStartFromTheCallersItemsWithTheModesCaptions) {
    ScriptedPrompt prompt;
    const CDlgAioPcEditMember members(MembershipMode::MembersOfGroup, QStringLiteral("Group"), {}, items({3, 1}),
                                      items({2}), 99, prompt);
    EXPECT_EQ(members.windowTitle(), QStringLiteral("Group"));
    EXPECT_EQ(members.SelectableList()->topLevelItem(0)->text(0), QStringLiteral("001"));
    EXPECT_EQ(members.SelectableList()->headerItem()->text(1), QStringLiteral("Name"));
    QStringList captions;
    for (const QLabel *label : members.findChildren<QLabel *>()) captions.append(label->text());
    EXPECT_TRUE(captions.contains(QStringLiteral("&List of Selectable Members:")));
    EXPECT_TRUE(captions.contains(QStringLiteral("&Members in Group :")));

    const CDlgAioPcEditMember groups(MembershipMode::GroupsOfMember, QStringLiteral("Member"), {}, items({1}), {},
                                     30, prompt);
    EXPECT_EQ(groups.SelectableList()->headerItem()->text(1), QStringLiteral("Group Name"));
    captions.clear();
    for (const QLabel *label : groups.findChildren<QLabel *>()) captions.append(label->text());
    EXPECT_TRUE(captions.contains(QStringLiteral("&List of Selectable Groups :")));
    EXPECT_TRUE(captions.contains(QStringLiteral("Groups:")));
}

TEST(MembershipDialogTest, addAndDeleteMoveTheSelectedRows) {
    ScriptedPrompt prompt;
    CDlgAioPcEditMember dialog(MembershipMode::MembersOfGroup, {}, {}, items({1, 2, 3}), {}, 99, prompt);
    select(dialog.SelectableList(), {0, 2});
    dialog.AddButton()->click();
    EXPECT_EQ(idsOf(dialog.Chosen()), (QList<quint16>{1, 3}));
    EXPECT_EQ(dialog.SelectableList()->topLevelItemCount(), 1);
    select(dialog.ChosenList(), {1});
    dialog.DeleteButton()->click();
    EXPECT_EQ(idsOf(dialog.Chosen()), QList<quint16>{1});
    EXPECT_EQ(dialog.SelectableList()->topLevelItemCount(), 2);
    EXPECT_TRUE(prompt.shown.isEmpty());
}

// One row too many names the member limit; several name the data limit.
TEST(MembershipDialogTest, aGroupIsNeverFilledBeyondItsCapacity) {
    const struct {
        std::initializer_list<quint16> chosen;
        std::initializer_list<int> rows;
        bool moved;
        int message;
    } cases[] = {
        {{10, 11}, {0}, true, 0},
        {{10, 11, 12}, {0}, false, lqa::ids::MsgCannotAddMember},
        {{10}, {0, 1}, true, 0},
        {{10, 11}, {0, 1}, false, lqa::ids::MsgMaxDataExceeded},
    };
    for (const auto &c : cases) {
        ScriptedPrompt prompt;
        CDlgAioPcEditMember dialog(MembershipMode::MembersOfGroup, {}, {}, items({1, 2}), items(c.chosen), 3,
                                   prompt);
        select(dialog.SelectableList(), c.rows);
        EXPECT_EQ(dialog.AddSelected(), c.moved);
        EXPECT_EQ(dialog.Chosen().size(), int(c.chosen.size()) + (c.moved ? int(c.rows.size()) : 0));
        EXPECT_EQ(prompt.shown, c.message ? QStringList{lqa::loadText(c.message)} : QStringList{});
    }
}

TEST(MembershipDialogTest, aMemberCannotJoinAFullGroup) {
    ScriptedPrompt prompt;
    QList<MembershipItem> selectable = items({1, 2}, 29);
    selectable[1].memberCount = 30;
    CDlgAioPcEditMember dialog(MembershipMode::GroupsOfMember, {}, {}, selectable, {}, 30, prompt);
    select(dialog.SelectableList(), {1});
    EXPECT_FALSE(dialog.AddSelected());
    EXPECT_EQ(prompt.shown, QStringList{lqa::loadText(lqa::ids::MsgCannotAddMember)});
    select(dialog.SelectableList(), {0, 1});
    EXPECT_FALSE(dialog.AddSelected());
    EXPECT_EQ(prompt.shown.last(), lqa::loadText(lqa::ids::MsgMaxDataExceeded));
    select(dialog.SelectableList(), {0});
    EXPECT_TRUE(dialog.AddSelected());
    EXPECT_EQ(idsOf(dialog.Chosen()), QList<quint16>{1});
}

TEST(GroupConfirmDialogTest, namesTheGroupCountsAndListsTheMembersInIdOrder) {
    CDlgGroupConfirm dialog(QStringLiteral("Sales"), items({7, 2}), {});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Confirm"));
    EXPECT_EQ(dialog.PromptLabel()->text(), QStringLiteral("Confirm members of Sales and press OK to save."));
    EXPECT_EQ(dialog.CountLabel()->text(), QStringLiteral("There are 2 entries."));
    ASSERT_EQ(dialog.MemberList()->topLevelItemCount(), 2);
    EXPECT_EQ(dialog.MemberList()->topLevelItem(0)->text(1), QStringLiteral("Entry 2"));
}

}  // namespace
