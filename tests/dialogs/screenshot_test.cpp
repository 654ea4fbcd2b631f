// Pictures of every entry dialog filled with sample data in every language,
// written into the build folder for a person to look at; the checks catch
// captions that do not fit their controls.
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

void useLanguage(int32_t language) {
    for (const lqa::StringTable &table : lqa::stringTables())
        if (table.language == language) lqa::setModuleTexts(table.entries);
}

int32_t currentLanguage() { return ::testing::TestWithParam<int32_t>::GetParam(); }

void shoot(QWidget &dialog, const QString &name) {
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    expectCaptionsFit(dialog);
    const QPixmap picture = dialog.grab();
    ASSERT_FALSE(picture.isNull());
    const QString path = QDir::current().filePath(QStringLiteral("dialog_%1_%2.png").arg(name).arg(currentLanguage()));
    EXPECT_TRUE(picture.save(path, "PNG")) << path.toStdString();
}

class DialogScreenshot : public ::testing::TestWithParam<int32_t> {
protected:
    void SetUp() override { useLanguage(GetParam()); }
    void TearDown() override { lqa::setModuleTexts({}); }

    CAdrData data = test::bookData();
    ScriptedPrompt prompt;
    QList<quint16> groups{1};
};

TEST_P(DialogScreenshot, machineFaxMember) {
    CAdrMemberAioFax entry = *data.Map<CAdrMemberAioFax>().Lookup(1);
    CDlgAioFaxMember dialog(entry, groups, data, prompt);
    shoot(dialog, QStringLiteral("machine_fax_member"));
}

TEST_P(DialogScreenshot, machineFaxGroup) {
    CAdrGroupAioFax group = *data.Map<CAdrGroupAioFax>().Lookup(1);
    CDlgGroup dialog(group, CDlgGroup::AioFax, data, prompt);
    shoot(dialog, QStringLiteral("machine_fax_group"));
}

TEST_P(DialogScreenshot, machineEmailMember) {
    CAdrMemberAioEmail entry = *data.Map<CAdrMemberAioEmail>().Lookup(3);
    CDlgAioEmailMember dialog(entry, data, prompt);
    shoot(dialog, QStringLiteral("machine_email_member"));
}

TEST_P(DialogScreenshot, machineEmailGroup) {
    CAdrGroupAioEmail group = test::group<CAdrGroupAioEmail>(2, {3}, QStringLiteral("Sales Team"));
    CDlgGroup dialog(group, CDlgGroup::AioEmail, data, prompt);
    dialog.SpecifyIdBox()->setChecked(true);
    shoot(dialog, QStringLiteral("machine_email_group"));
}

TEST_P(DialogScreenshot, machineServerAddress) {
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

TEST_P(DialogScreenshot, pcFaxMember) {
    CAdrMemberPcFax entry = *data.Map<CAdrMemberPcFax>().Lookup(10);
    entry.SetCompany(QStringLiteral("Printer Shop Ltd."));
    entry.SetNote(QStringLiteral("Orders before noon.\nAsk for Kim."));
    QList<quint16> pcGroups{4};
    CDlgPcFaxMember dialog(entry, pcGroups, data, prompt);
    shoot(dialog, QStringLiteral("pc_fax_member"));
}

TEST_P(DialogScreenshot, pcFaxGroup) {
    CAdrGroupPcFax group = *data.Map<CAdrGroupPcFax>().Lookup(4);
    CDlgGroup dialog(group, CDlgGroup::PcFax, data, prompt);
    shoot(dialog, QStringLiteral("pc_fax_group"));
}

TEST_P(DialogScreenshot, membershipSelection) {
    const QList<MembershipItem> selectable{{3, QStringLiteral("Branch North"), 0}, {4, QStringLiteral("Depot"), 0}};
    const QList<MembershipItem> chosen{{1, QStringLiteral("Head Office"), 0}, {2, QStringLiteral("Warehouse"), 0}};
    CDlgAioPcEditMember dialog(MembershipMode::MembersOfGroup, QStringLiteral("Group Dial - 001 : Sites"), {},
                               selectable, chosen, 99, prompt);
    shoot(dialog, QStringLiteral("membership_selection"));
}

TEST_P(DialogScreenshot, groupConfirmation) {
    CDlgGroupConfirm dialog(QStringLiteral("Sites"),
                            {{1, QStringLiteral("Head Office"), 0}, {2, QStringLiteral("Warehouse"), 0}}, {});
    shoot(dialog, QStringLiteral("group_confirmation"));
}

// The other languages now live in loadable modules.
INSTANTIATE_TEST_SUITE_P(Languages, DialogScreenshot, ::testing::Values(1033));

}  // namespace
