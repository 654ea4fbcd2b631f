#include "ui/dlg_display_item_config.h"

#include "document/linquara_doc_columns.h"
#include "text/editor_text.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kNumberRole = Qt::UserRole;

QListWidget *makeList() {
    auto *list = new QListWidget;
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Items may be dragged between the two lists and within them.
    list->setDragDropMode(QAbstractItemView::DragDrop);
    list->setDefaultDropAction(Qt::MoveAction);
    return list;
}

QList<quint16> numbersIn(const QListWidget &list) {
    QList<quint16> numbers;
    for (int row = 0; row < list.count(); ++row) numbers << list.item(row)->data(kNumberRole).value<quint16>();
    return numbers;
}

}  // namespace

CDlgDisplayItemConfig::CDlgDisplayItemConfig(CLqaColumnModel &columns, QWidget *parent)
    : QDialog(parent),
      m_columns(columns),
      m_hidden(makeList()),
      m_shown(makeList()),
      m_add(new QPushButton(lqa::loadText(lqa::ids::LabelAdd))),
      m_delete(new QPushButton(lqa::loadText(lqa::ids::LabelDelete))),
      m_up(new QPushButton(lqa::loadText(lqa::ids::ButtonMoveUp))),
      m_down(new QPushButton(lqa::loadText(lqa::ids::ButtonMoveDown))) {
    setWindowTitle(lqa::loadText(lqa::ids::CaptionCustomizeView));
    auto *reset = new QPushButton(lqa::loadText(lqa::ids::ButtonReset));
    auto *hiddenLabel = new QLabel(lqa::loadText(lqa::ids::LabelSelectItems));
    hiddenLabel->setBuddy(m_hidden);
    auto *shownLabel = new QLabel(lqa::loadText(lqa::ids::LabelItemsToDisplay));
    shownLabel->setBuddy(m_shown);

    auto *middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(m_add);
    middle->addWidget(m_delete);
    middle->addStretch();
    auto *right = new QVBoxLayout;
    right->addStretch();
    right->addWidget(m_up);
    right->addWidget(m_down);
    right->addStretch();
    right->addWidget(reset);

    auto *grid = new QGridLayout;
    grid->addWidget(hiddenLabel, 0, 0);
    grid->addWidget(shownLabel, 0, 2);
    grid->addWidget(m_hidden, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(m_shown, 1, 2);
    grid->addLayout(right, 1, 3);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgDisplayItemConfig::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { emit helpRequested(kHelpTopic); });
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(m_add, &QPushButton::clicked, this, &CDlgDisplayItemConfig::AddSelected);
    connect(m_delete, &QPushButton::clicked, this, &CDlgDisplayItemConfig::DeleteSelected);
    connect(m_up, &QPushButton::clicked, this, &CDlgDisplayItemConfig::MoveUp);
    connect(m_down, &QPushButton::clicked, this, &CDlgDisplayItemConfig::MoveDown);
    connect(reset, &QPushButton::clicked, this, &CDlgDisplayItemConfig::Reset);
    for (QListWidget *list : {m_hidden, m_shown}) {
        connect(list, &QListWidget::itemSelectionChanged, this, &CDlgDisplayItemConfig::UpdateButtons);
        // A drag between the lists changes what the buttons may do.
        connect(list->model(), &QAbstractItemModel::rowsInserted, this, &CDlgDisplayItemConfig::UpdateButtons);
        connect(list->model(), &QAbstractItemModel::rowsRemoved, this, &CDlgDisplayItemConfig::UpdateButtons);
    }

    Fill(columns.Displayed());
}

void CDlgDisplayItemConfig::Fill(const QList<quint16> &shown) {
    m_hidden->clear();
    m_shown->clear();
    auto add = [this](QListWidget &list, quint16 number) {
        auto *item = new QListWidgetItem(m_columns.Column(number).title, &list);
        item->setData(kNumberRole, number);
    };
    for (quint16 number : shown)
        if (number >= CLqaColumnModel::kFixedColumns) add(*m_shown, number);
    for (quint16 number = CLqaColumnModel::kFixedColumns; number < CLqaColumnModel::kColumnCount; ++number)
        if (!shown.contains(number)) add(*m_hidden, number);
    if (m_hidden->count() > 0) m_hidden->setCurrentRow(0);
    UpdateButtons();
}

void CDlgDisplayItemConfig::UpdateButtons() {
    m_add->setEnabled(!m_hidden->selectedItems().isEmpty());
    const QList<QListWidgetItem *> selected = m_shown->selectedItems();
    m_delete->setEnabled(!selected.isEmpty());
    const int row = selected.size() == 1 ? m_shown->row(selected.first()) : -1;
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row + 1 < m_shown->count());
}

void CDlgDisplayItemConfig::MoveSelected(QListWidget &from, QListWidget &to) {
    // In list order, whatever order they were selected in.
    QList<QListWidgetItem *> selected = from.selectedItems();
    std::sort(selected.begin(), selected.end(),
              [&](QListWidgetItem *a, QListWidgetItem *b) { return from.row(a) < from.row(b); });
    for (QListWidgetItem *item : selected) to.addItem(from.takeItem(from.row(item)));
    UpdateButtons();
}

void CDlgDisplayItemConfig::AddSelected() { MoveSelected(*m_hidden, *m_shown); }

void CDlgDisplayItemConfig::DeleteSelected() { MoveSelected(*m_shown, *m_hidden); }

void CDlgDisplayItemConfig::MoveCurrent(int step) {
    const QList<QListWidgetItem *> selected = m_shown->selectedItems();
    if (selected.size() != 1) return;
    const int row = m_shown->row(selected.first());
    const int target = row + step;
    if (target < 0 || target >= m_shown->count()) return;
    QListWidgetItem *item = m_shown->takeItem(row);
    m_shown->insertItem(target, item);
    m_shown->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
    UpdateButtons();
}

void CDlgDisplayItemConfig::MoveUp() { MoveCurrent(-1); }

void CDlgDisplayItemConfig::MoveDown() { MoveCurrent(1); }

void CDlgDisplayItemConfig::Reset() {
    Fill({LqaColumnType, LqaColumnMemberGroup, LqaColumnId, LqaColumnName, LqaColumnInfo, LqaColumnUpdatedOn});
}

void CDlgDisplayItemConfig::accept() {
    m_columns.SetDisplayed(QList<quint16>{LqaColumnType, LqaColumnMemberGroup} + numbersIn(*m_shown));
    QDialog::accept();
}
