#include "dialogs/membership_panel.h"

#include "text/editor_text.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CDlgMembershipPanel::CDlgMembershipPanel(Setup setup, DocumentPrompt &prompt, std::function<QString()> title,
                                         QWidget *parent)
    : QWidget(parent),
      m_setup(std::move(setup)),
      m_prompt(prompt),
      m_title(std::move(title)),
      m_list(new QTreeWidget),
      m_button(new QPushButton(lqa::loadText(lqa::ids::LabelGroupMembership))) {
    const bool members = m_setup.mode == MembershipMode::MembersOfGroup;
    SetUpItemList(m_list, members ? lqa::ids::FieldName : lqa::ids::FieldGroupName);
    QList<MembershipItem> chosen;
    for (const MembershipItem &item : m_setup.all)
        if (m_setup.chosen.contains(item.id)) chosen.append(item);
    FillItemList(m_list, chosen);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setMinimumHeight(120);

    // A member of a book without groups has nothing to choose.
    const bool usable = members || !m_setup.all.isEmpty();
    m_list->setEnabled(usable);
    m_button->setEnabled(usable);
    connect(m_button, &QPushButton::clicked, this, &CDlgMembershipPanel::ChooseMembership);

    auto *caption = new QLabel(lqa::loadText(m_setup.captionTextId));
    caption->setBuddy(m_list);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_button);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(m_list);
    layout->addLayout(buttonRow);
}

QList<quint16> CDlgMembershipPanel::ChosenIds() const {
    QList<quint16> ids;
    for (const MembershipItem &item : ChosenItems()) ids.append(item.id);
    return ids;
}

void CDlgMembershipPanel::ChooseMembership() {
    const QList<MembershipItem> chosen = ChosenItems();
    const QList<quint16> chosenIds = ChosenIds();
    QList<MembershipItem> selectable;
    for (const MembershipItem &item : m_setup.all)
        if (!chosenIds.contains(item.id)) selectable.append(item);
    CDlgAioPcEditMember dialog(m_setup.mode, m_title(), m_setup.icon, selectable, chosen, m_setup.capacity, m_prompt,
                               this);
    connect(&dialog, &CDlgAioPcEditMember::helpRequested, this, &CDlgMembershipPanel::helpRequested);
    if (dialog.exec() == QDialog::Accepted) FillItemList(m_list, dialog.Chosen());
}
