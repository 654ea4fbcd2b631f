// Pictures of every entry dialog filled with sample data, written into the
// build folder for a person to look at; the checks catch captions that do
// not fit their controls.
#include "dialog_fixture.h"
#include "dialogs/group_confirm_dialog.h"
#include "dialogs/group_dialog.h"
#include "dialogs/member_dialogs.h"
#include "dialogs/server_dialog.h"
#include "sharefolder/fake_share_service.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QTest>

namespace {

void expectCaptionsFit(const QWidget &dialog) {
    for (const QLabel *label : dialog.findChildren<QLabel *>()) {
        if (!label->isVisible() || label->wordWrap()) continue;
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }
    for (const QAbstractButton *button : dialog.findChildren<QAbstractButton *>()) {
        if (!button->isVisible()) continue;
        EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
    }
}

void shoot(QWidget &dialog, const QString &name) {
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    expectCaptionsFit(dialog);
    const QPixmap picture = dialog.grab();
    ASSERT_FALSE(picture.isNull());
    const QString path = QDir::current().filePath(QStringLiteral("dialog_%1.png").arg(name));
    EXPECT_TRUE(picture.save(path, "PNG")) << path.toStdString();
}

class DialogScreenshot : public ::testing::Test {
protected:
    CAdrData data = test::bookData();
    ScriptedPrompt prompt;
    QList<quint16> groups{1};
};

TEST_F(DialogScreenshot, machineFaxMember) {
    CAdrMemberAioFax entry = *data.Map<CAdrMemberAioFax>().Lookup(1);
    CDlgAioFaxMember dialog(entry, groups, data, prompt);
    shoot(dialog, QStringLiteral("machine_fax_member"));
}

TEST_F(DialogScreenshot, machineFaxGroup) {
    CAdrGroupAioFax group = *data.Map<CAdrGroupAioFax>().Lookup(1);
    CDlgGroup dialog(group, CDlgGroup::AioFax, data, prompt);
    shoot(dialog, QStringLiteral("machine_fax_group"));
}

TEST_F(DialogScreenshot, machineEmailMember) {
    CAdrMemberAioEmail entry = *data.Map<CAdrMemberAioEmail>().Lookup(3);
    CDlgAioEmailMember dialog(entry, data, prompt);
    shoot(dialog, QStringLiteral("machine_email_member"));
}

TEST_F(DialogScreenshot, machineEmailGroup) {
    CAdrGroupAioEmail group = test::group<CAdrGroupAioEmail>(2, {3}, QStringLiteral("Sales Team"));
    CDlgGroup dialog(group, CDlgGroup::AioEmail, data, prompt);
    dialog.SpecifyIdBox()->setChecked(true);
    shoot(dialog, QStringLiteral("machine_email_group"));
}

TEST_F(DialogScreenshot, machineServerAddress) {
    FakeShareService service;
    CAdrMemberAioServer entry;
    entry.SetID(1);
    entry.SetName(QStringLiteral("Scans to Reception PC"));
    entry.SetHostName(QStringLiteral("RECEPTION-PC"));
    entry.SetShareName(QStringLiteral("scans"));
    entry.SetFolderPath(QStringLiteral("mfp\\incoming"));
    entry.SetLoginName(QStringLiteral("scanuser"));
    entry.SetLoginPassword(QStringLiteral("secret"));
    ServerShareSettings settings;
    settings.record = test::shareRecord(1, QStringLiteral("/home/reception/Scans"));
    settings.record.autoShare = 1;
    settings.record.createScanUser = 1;
    settings.scanUser = {1, QStringLiteral("scanuser"), QStringLiteral("secret")};
    CDlgServerAddress dialog(entry, settings, data, service, prompt);
    shoot(dialog, QStringLiteral("machine_server_address"));
}

TEST_F(DialogScreenshot, pcFaxMember) {
    CAdrMemberPcFax entry = *data.Map<CAdrMemberPcFax>().Lookup(10);
    entry.SetCompany(QStringLiteral("Printer Shop Ltd."));
    entry.SetNote(QStringLiteral("Orders before noon.\nAsk for Kim."));
    QList<quint16> pcGroups{4};
    CDlgPcFaxMember dialog(entry, pcGroups, data, prompt);
    shoot(dialog, QStringLiteral("pc_fax_member"));
}

TEST_F(DialogScreenshot, pcFaxGroup) {
    CAdrGroupPcFax group = *data.Map<CAdrGroupPcFax>().Lookup(4);
    CDlgGroup dialog(group, CDlgGroup::PcFax, data, prompt);
    shoot(dialog, QStringLiteral("pc_fax_group"));
}

TEST_F(DialogScreenshot, membershipSelection) {
    const QList<MembershipItem> selectable{{3, QStringLiteral("Branch North"), 0}, {4, QStringLiteral("Depot"), 0}};
    const QList<MembershipItem> chosen{{1, QStringLiteral("Head Office"), 0}, {2, QStringLiteral("Warehouse"), 0}};
    CDlgAioPcEditMember dialog(MembershipMode::MembersOfGroup, QStringLiteral("Group Dial - 001 : Sites"), {},
                               selectable, chosen, 99, prompt);
    shoot(dialog, QStringLiteral("membership_selection"));
}

TEST_F(DialogScreenshot, groupConfirmation) {
    CDlgGroupConfirm dialog(QStringLiteral("Sites"),
                            {{1, QStringLiteral("Head Office"), 0}, {2, QStringLiteral("Warehouse"), 0}}, {});
    shoot(dialog, QStringLiteral("group_confirmation"));
}

}  // namespace
