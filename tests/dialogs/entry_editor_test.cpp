// The document's entry editing through the dialogs: cancelling changes
// nothing, OK hands back the entry and its memberships, Help names the topic.
#include "dialog_fixture.h"
#include "dialogs/member_dialogs.h"
#include "dialogs/widget_entry_editor.h"
#include "sharefolder/fake_share_service.h"

#include <QDialogButtonBox>
#include <QPushButton>

namespace {

QPushButton *button(QDialog &dialog, QDialogButtonBox::StandardButton which) {
    return dialog.findChild<QDialogButtonBox *>()->button(which);
}

class EntryEditorTest : public ::testing::Test {
protected:
    CAdrData data = test::bookData();
    ScriptedPrompt prompt;
    FakeShareService service;
    QList<int> helpTopics;
    WidgetEntryEditor editor{nullptr, prompt, service, [this](int topic) { helpTopics.append(topic); }};
};

TEST_F(EntryEditorTest, cancelLeavesTheEntryAndItsGroups) {
    CAdrMemberAioFax entry = *data.Map<CAdrMemberAioFax>().Lookup(2);
    QList<quint16> groups{1};
    test::whenShown([](QDialog &dialog) {
        auto &member = dynamic_cast<CDlgAioFaxMember &>(dialog);
        member.NameField()->setText(QStringLiteral("Changed"));
        button(dialog, QDialogButtonBox::Help)->click();
        button(dialog, QDialogButtonBox::Cancel)->click();
    });
    EXPECT_FALSE(editor.EditAioFax(entry, groups, data));
    EXPECT_EQ(entry, *data.Map<CAdrMemberAioFax>().Lookup(2));
    EXPECT_EQ(groups, QList<quint16>{1});
    EXPECT_EQ(helpTopics, QList<int>{1000});
}

TEST_F(EntryEditorTest, okHandsBackTheEditedGroupWithItsMembers) {
    CAdrGroupPcFax group = test::group<CAdrGroupPcFax>(5, {10}, QStringLiteral("New"));
    test::whenShown([](QDialog &dialog) {
        dynamic_cast<CDlgEntry &>(dialog).NameField()->setText(QStringLiteral("Couriers"));
        button(dialog, QDialogButtonBox::Help)->click();
        button(dialog, QDialogButtonBox::Ok)->click();
    });
    EXPECT_TRUE(editor.EditPcFaxGroup(group, data));
    EXPECT_EQ(group.GetName(), QStringLiteral("Couriers"));
    EXPECT_EQ(group.GetMemberIDs(), QList<quint16>{10});
    EXPECT_EQ(helpTopics, QList<int>{1007});
}

}  // namespace
