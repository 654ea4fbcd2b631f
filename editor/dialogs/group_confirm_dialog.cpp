#include "dialogs/group_confirm_dialog.h"

#include "text/editor_text.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

CDlgGroupConfirm::CDlgGroupConfirm(const QString &groupName, const QList<MembershipItem> &members,
                                   const QIcon &icon, QWidget *parent)
    : QDialog(parent),
      m_prompt(new QLabel(lqa::formatText(lqa::ids::MsgConfirmMembers, {groupName}))),
      m_count(new QLabel(lqa::formatText(lqa::ids::MsgEntryCount, {QString::number(members.size())}))),
      m_list(new QTreeWidget) {
    setWindowTitle(lqa::loadText(lqa::ids::TitleConfirm));
    m_prompt->setWordWrap(true);
    SetUpItemList(m_list, lqa::ids::FieldName);
    FillItemList(m_list, members);
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) m_list->topLevelItem(i)->setIcon(0, icon);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { emit helpRequested(kHelpTopic); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_count);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(360, 340);
}
