#include "dialogs/membership_dialog.h"

#include "document/document_prompt.h"
#include "text/editor_text.h"

#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

void moveRows(QTreeWidget *from, QTreeWidget *to, const QList<QTreeWidgetItem *> &rows) {
    to->setSortingEnabled(false);
    for (QTreeWidgetItem *row : rows) to->addTopLevelItem(from->takeTopLevelItem(from->indexOfTopLevelItem(row)));
    to->setSortingEnabled(true);
    to->clearSelection();
}

}  // namespace

CDlgListCtrl::CDlgListCtrl(QWidget *parent) : QTreeWidget(parent) {
    setSelectionMode(ExtendedSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(DragDrop);
    setDefaultDropAction(Qt::CopyAction);
}

void CDlgListCtrl::dragEnterEvent(QDragEnterEvent *event) {
    if (event->source() == m_partner && m_partner) event->acceptProposedAction();
    else event->ignore();
}

void CDlgListCtrl::dragMoveEvent(QDragMoveEvent *event) {
    if (event->source() == m_partner && m_partner) event->acceptProposedAction();
    else event->ignore();
}

// The dialog moves the rows itself so that its capacity check applies.
void CDlgListCtrl::dropEvent(QDropEvent *event) {
    if (event->source() != m_partner || !m_partner) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    emit m_partner->rowsDropped();
}

CDlgAioPcEditMember::CDlgAioPcEditMember(MembershipMode mode, const QString &title, const QIcon &icon,
                                         const QList<MembershipItem> &selectable,
                                         const QList<MembershipItem> &chosen, int capacity, DocumentPrompt &prompt,
                                         QWidget *parent)
    : QDialog(parent),
      m_mode(mode),
      m_capacity(capacity),
      m_prompt(prompt),
      m_selectable(new CDlgListCtrl),
      m_chosen(new CDlgListCtrl),
      m_add(new QPushButton(lqa::loadText(lqa::ids::LabelAdd))),
      m_delete(new QPushButton(lqa::loadText(lqa::ids::LabelDelete))) {
    setWindowTitle(title);
    setWindowIcon(icon);
    const bool members = mode == MembershipMode::MembersOfGroup;
    const int nameColumn = members ? lqa::ids::FieldName : lqa::ids::FieldGroupName;
    for (CDlgListCtrl *list : {m_selectable, m_chosen}) SetUpItemList(list, nameColumn);
    m_selectable->SetPartner(m_chosen);
    m_chosen->SetPartner(m_selectable);
    FillItemList(m_selectable, selectable);
    FillItemList(m_chosen, chosen);

    auto *left = new QLabel(lqa::loadText(members ? lqa::ids::CaptionSelectableMembers : lqa::ids::CaptionSelectableGroups));
    auto *right = new QLabel(lqa::loadText(members ? lqa::ids::CaptionMembersInGroup : lqa::ids::CaptionGroups));
    left->setBuddy(m_selectable);
    right->setBuddy(m_chosen);

    connect(m_add, &QPushButton::clicked, this, &CDlgAioPcEditMember::AddSelected);
    connect(m_delete, &QPushButton::clicked, this, &CDlgAioPcEditMember::DeleteSelected);
    // A drop onto a list reports the partner's selection as the rows to move.
    connect(m_selectable, &CDlgListCtrl::rowsDropped, this, &CDlgAioPcEditMember::AddSelected);
    connect(m_chosen, &CDlgListCtrl::rowsDropped, this, &CDlgAioPcEditMember::DeleteSelected);

    auto *moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(m_add);
    moves->addWidget(m_delete);
    moves->addStretch();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { emit helpRequested(kHelpTopic); });

    auto *grid = new QGridLayout(this);
    grid->addWidget(left, 0, 0);
    grid->addWidget(right, 0, 2);
    grid->addWidget(m_selectable, 1, 0);
    grid->addLayout(moves, 1, 1);
    grid->addWidget(m_chosen, 1, 2);
    grid->addWidget(buttons, 2, 0, 1, 3);
    resize(620, 360);
}

bool CDlgAioPcEditMember::WouldOverfill(const QList<QTreeWidgetItem *> &rows) const {
    if (m_mode == MembershipMode::MembersOfGroup) return m_chosen->topLevelItemCount() + rows.size() > m_capacity;
    return std::any_of(rows.begin(), rows.end(),
                       [this](const QTreeWidgetItem *row) { return MemberCountOf(row) >= m_capacity; });
}

bool CDlgAioPcEditMember::AddSelected() {
    const QList<QTreeWidgetItem *> rows = m_selectable->selectedItems();
    if (rows.isEmpty()) return true;
    if (WouldOverfill(rows)) {
        const int text = rows.size() == 1 ? lqa::ids::MsgCannotAddMember : lqa::ids::MsgMaxDataExceeded;
        m_prompt.message(lqa::loadText(text), PromptButtons::Ok, PromptIcon::Warning);
        return false;
    }
    moveRows(m_selectable, m_chosen, rows);
    return true;
}

void CDlgAioPcEditMember::DeleteSelected() { moveRows(m_chosen, m_selectable, m_chosen->selectedItems()); }
