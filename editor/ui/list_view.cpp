#include "ui/list_view.h"

#include "document/linquara_doc.h"
#include "text/editor_text.h"
#include "ui/detail_view.h"
#include "ui/dlg_display_item_config.h"
#include "ui/dlg_search.h"
#include "ui/help_topic.h"
#include "ui/list_host.h"
#include "ui/list_model.h"
#include "ui/list_search.h"
#include "ui/row_code.h"
#include "ui/tree_node.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

// The book a member or group kind belongs to.
enum class Book { None, MachineFax, MachineEmail, PcFax };

Book bookOf(quint32 kindBits) {
    if (kindBits & (kLqaFaxMemberBits | kLqaFaxGroupBits)) return Book::MachineFax;
    if (kindBits & (kLqaEmailMemberBits | kLqaEmailGroupBits)) return Book::MachineEmail;
    if (kindBits & (kLqaPcFaxMemberBits | kLqaPcFaxGroupBits)) return Book::PcFax;
    return Book::None;
}

// Every code's kind bits are among `accepted`.
bool allOf(const QList<quint32> &codes, quint32 accepted) {
    return !codes.isEmpty() &&
           std::all_of(codes.begin(), codes.end(), [&](quint32 code) { return (LqaRowKindBits(code) & ~accepted) == 0; });
}

// The View > Sort items, by column number.
constexpr int kSortItemTexts[CLqaColumnModel::kColumnCount] = {
    lqa::ids::TitleType,      lqa::ids::MenuSortMemberGroup, lqa::ids::TitleId,       lqa::ids::TitleName,
    lqa::ids::MenuSortMemberGroupInfo, lqa::ids::TitleUpdatedOn, lqa::ids::TitleFaxNumber,
};

}  // namespace

CLqaListView::CLqaListView(CLinquaraDoc &doc, CLqaListHost &host, CLqaDetailView &detail, QWidget *parent)
    : QTreeView(parent),
      m_doc(doc),
      m_host(host),
      m_detail(detail),
      m_model(new CLqaListModel(doc, this)),
      m_noDataNotice(new QLabel(lqa::loadText(lqa::ids::MsgCommunicationFailure), this)) {
    setModel(m_model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A drag is carried out by the list itself (startDrag), so that the tree
    // can be a target without a drag-and-drop protocol of its own.
    setDragEnabled(true);

    QHeaderView *head = header();
    head->setStretchLastSection(false);
    head->setSectionsMovable(true);
    head->setSectionsClickable(true);
    head->setSortIndicatorShown(true);
    head->setSortIndicator(-1, Qt::AscendingOrder);
    connect(head, &QHeaderView::sectionClicked, this, [this](int logical) { SortByColumn(header()->visualIndex(logical)); });
    connect(head, &QHeaderView::sectionMoved, this, &CLqaListView::OnSectionMoved);
    connect(head, &QHeaderView::sectionResized, this, &CLqaListView::OnSectionResized);

    m_noDataNotice->setWordWrap(true);
    m_noDataNotice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_noDataNotice->hide();

    m_typeAheadTimer.setSingleShot(true);
    m_typeAheadTimer.setInterval(kTypeAheadMs);
    connect(&m_typeAheadTimer, &QTimer::timeout, this, [this] { m_typedPrefix.clear(); });
    m_dragScrollTimer.setInterval(kDragScrollMs);
    connect(&m_dragScrollTimer, &QTimer::timeout, this, &CLqaListView::ScrollWhileDragging);

    for (quint16 number = 0; number < CLqaColumnModel::kColumnCount; ++number) {
        auto *action = new QAction(lqa::loadText(kSortItemTexts[number]), this);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, number] {
            SortByColumn(static_cast<int>(m_model->Columns().indexOf(number)));
            UpdateSortActions();
        });
        m_sortActions << action;
    }

    connect(&doc, &CLinquaraDoc::dataReplaced, this, &CLqaListView::RefreshList);
    connect(&doc, &CLinquaraDoc::dataChanged, this, &CLqaListView::ApplyChanges);
    ApplyColumns();
    UpdateSortActions();
}

CLqaListView::~CLqaListView() {
    if (m_dragging) EndDrag();
}

void CLqaListView::ApplyColumns() {
    m_model->SetColumns(m_doc.Columns().Displayed());
    m_adjustingHeader = true;
    const QList<quint16> &columns = m_model->Columns();
    for (int section = 0; section < columns.size(); ++section) {
        // Keep the header's order the model's order: display position = section.
        const int visual = header()->visualIndex(section);
        if (visual != section) header()->moveSection(visual, section);
        header()->resizeSection(section, m_doc.Columns().Column(columns[section]).width);
    }
    m_adjustingHeader = false;
}

int CLqaListView::SortColumn() const {
    return m_sortColumn < 0 ? -1 : static_cast<int>(m_model->Columns().indexOf(static_cast<quint16>(m_sortColumn)));
}

void CLqaListView::RefreshList() {
    setUpdatesEnabled(false);
    m_nodeType = m_host.SelectedNodeType();
    ApplyColumns();
    if (m_sortColumn >= 0 && !m_doc.Columns().IsDisplayed(static_cast<quint16>(m_sortColumn))) m_sortColumn = -1;
    UpdateNotice();
    m_model->SetNodeType(m_nodeType);
    // The order shown stays: the last sort's direction, the opposite of the next one's.
    m_model->Rebuild(LqaNodeRowKinds(m_nodeType), m_sortColumn, !m_sortAscending, m_host.SearchBarText());
    setUpdatesEnabled(true);
    UpdateHeaderMarks();
    UpdateSortActions();
    ShowDetail();
}

void CLqaListView::ApplyChanges(const CAdrData &before, const CAdrData &after) {
    setUpdatesEnabled(false);
    m_model->Apply(before, after, LqaNodeRowKinds(m_nodeType));
    setUpdatesEnabled(true);
    UpdateHeaderMarks();
    ShowDetail();
}

void CLqaListView::SortByColumn(int position) {
    const QList<quint16> &columns = m_model->Columns();
    if (position < 0 || position >= columns.size()) return;
    const quint16 number = columns[position];
    if (number != m_sortColumn) {
        m_sortColumn = number;
        m_sortAscending = true;
    }
    m_model->Sort(number, m_sortAscending);
    m_sortAscending = !m_sortAscending;
    UpdateHeaderMarks();
    UpdateSortActions();
}

void CLqaListView::UpdateHeaderMarks() {
    const int position = SortColumn();
    // Type and Member/Group carry their pictures, never a mark.
    if (position < CLqaColumnModel::kFixedColumns)
        header()->setSortIndicator(-1, Qt::AscendingOrder);
    else
        header()->setSortIndicator(position, m_sortAscending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void CLqaListView::UpdateSortActions() {
    for (quint16 number = 0; number < m_sortActions.size(); ++number) {
        m_sortActions[number]->setEnabled(m_doc.Columns().IsDisplayed(number));
        m_sortActions[number]->setChecked(m_sortColumn == number);
    }
}

QList<QAction *> CLqaListView::SortActions() {
    UpdateSortActions();
    return m_sortActions;
}

void CLqaListView::UpdateNotice() {
    const bool noData =
        (m_nodeType == LqaNodeMachineBook || m_nodeType == LqaNodeMachineFax) && !m_doc.IsDeviceAccessed();
    if (noData) {
        const int top = header()->sizeHint().height() + 10;
        m_noDataNotice->setGeometry(4, top, std::max(0, width() - 4), std::max(0, height() - top));
    }
    m_noDataNotice->setVisible(noData);
    const Qt::ScrollBarPolicy bars = noData ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    setVerticalScrollBarPolicy(bars);
    setHorizontalScrollBarPolicy(bars);
    setEnabled(!noData);
}

void CLqaListView::resizeEvent(QResizeEvent *event) {
    QTreeView::resizeEvent(event);
    if (m_noDataNotice->isVisible()) UpdateNotice();
}

void CLqaListView::OnSectionMoved(int logical, int oldVisual, int newVisual) {
    Q_UNUSED(logical);
    if (m_adjustingHeader) return;
    // The header goes back to the model's order; an allowed move then
    // changes the document's order, which the model follows.
    m_adjustingHeader = true;
    header()->moveSection(newVisual, oldVisual);
    m_adjustingHeader = false;
    if (oldVisual < CLqaColumnModel::kFixedColumns || newVisual < CLqaColumnModel::kFixedColumns) return;
    QList<quint16> order = m_model->Columns();
    order.move(oldVisual, newVisual);
    m_doc.Columns().SetDisplayed(order);
    ApplyColumns();
    UpdateHeaderMarks();
}

void CLqaListView::OnSectionResized(int logical, int oldSize, int newSize) {
    Q_UNUSED(oldSize);
    if (m_adjustingHeader || logical >= m_model->Columns().size()) return;
    m_doc.Columns().SetWidth(m_model->Columns().at(logical), newSize);
}

QList<quint32> CLqaListView::GetSelectedCodes() const {
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QList<quint32> codes;
    codes.reserve(rows.size());
    for (const QModelIndex &row : rows) codes << m_model->Code(row.row());
    return codes;
}

int CLqaListView::RowCount() const { return m_model->rowCount(); }

QStringList CLqaListView::RowTexts(int row) const { return m_model->RowTexts(row); }

int CLqaListView::FirstSelectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty()) return -1;
    return std::min_element(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) {
               return a.row() < b.row();
           })->row();
}

void CLqaListView::SelectFoundRow(int row) {
    const QModelIndex found = m_model->index(row, 0);
    if (!found.isValid()) return;
    selectionModel()->setCurrentIndex(found, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(found);
    setFocus();
}

int CLqaListView::FindNext(const CLqaSearchRequest &request) { return ::FindNext(*this, request) ? 1 : 0; }

void CLqaListView::OpenSearch() {
    CDlgSearch *dialog = CDlgSearch::Open(m_searchDialog, *this, this);
    connect(dialog, &CDlgSearch::helpRequested, this, &CLqaListView::OpenHelp, Qt::UniqueConnection);
}

void CLqaListView::CustomizeView() {
    CDlgDisplayItemConfig dialog(m_doc.Columns(), this);
    connect(&dialog, &CDlgDisplayItemConfig::helpRequested, this, &CLqaListView::OpenHelp);
    if (dialog.exec() == QDialog::Accepted) RefreshList();
}

void CLqaListView::OpenHelp(int topic) { lqa::openHelpTopic(topic); }

void CLqaListView::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) {
    QTreeView::selectionChanged(selected, deselected);
    ShowDetail();
    m_host.ListSelectionChanged();
}

void CLqaListView::ShowDetail() {
    if (const CAdrData *data = m_doc.GetData())
        m_detail.ShowSelection(*data, GetSelectedCodes());
    else
        m_detail.Clear();
}

void CLqaListView::EditSelected() {
    const QList<quint32> codes = GetSelectedCodes();
    if (codes.size() == 1) m_doc.OnEdit(codes.first());
}

void CLqaListView::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid()) {
        EditSelected();
        return;
    }
    QTreeView::mouseDoubleClickEvent(event);
}

void CLqaListView::keyboardSearch(const QString &search) {
    Q_UNUSED(search);  // type-ahead goes by the sort column, in keyPressEvent
}

void CLqaListView::keyPressEvent(QKeyEvent *event) {
    if (m_dragging) {
        if (event->key() == Qt::Key_Escape) CancelDrag();
        return;
    }
    const QString text = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && text.size() == 1 && text.at(0).unicode() >= 32 && text.at(0).unicode() <= 127 &&
        event->key() != Qt::Key_Backspace && event->key() != Qt::Key_Delete) {
        m_typedPrefix += text;
        m_typeAheadTimer.start();
        TypeAhead();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Backspace:
        m_typedPrefix.chop(1);
        m_typeAheadTimer.start();
        TypeAhead();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: EditSelected(); return;
    default: QTreeView::keyPressEvent(event);
    }
}

void CLqaListView::TypeAhead() {
    if (m_sortColumn < 0 || m_typedPrefix.isEmpty()) return;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_model->CellText(row, static_cast<quint16>(m_sortColumn)).startsWith(m_typedPrefix, Qt::CaseInsensitive)) {
            SelectFoundRow(row);
            return;
        }
    }
}

// Context menus.

void CLqaListView::contextMenuEvent(QContextMenuEvent *event) {
    QMenu menu(this);
    FillContextMenu(menu);
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        const QList<quint32> codes = GetSelectedCodes();
        const int row = codes.isEmpty() ? -1 : m_model->RowOf(codes.last());
        if (row >= 0) at = viewport()->mapToGlobal(visualRect(m_model->index(row, 0)).united(visualRect(m_model->index(row, m_model->columnCount() - 1))).center());
    }
    menu.exec(at);
}

void CLqaListView::FillContextMenu(QMenu &menu) {
    const QList<quint32> codes = GetSelectedCodes();
    if (codes.isEmpty()) {
        m_host.AddNewItems(menu, m_nodeType);
        if (!menu.isEmpty()) menu.addSeparator();
        const bool hasRows = m_model->rowCount() > 0;
        menu.addAction(lqa::loadText(lqa::ids::MenuListSelectAll), this, [this] { SelectAll(); })->setEnabled(hasRows);
        menu.addAction(lqa::loadText(lqa::ids::MenuListSearch), this, [this] { OpenSearch(); })->setEnabled(hasRows);
        menu.addSeparator();
        const CLinquaraDoc::TreeNode node = LqaDocTreeNode(m_nodeType);
        menu.addAction(lqa::loadText(lqa::ids::MenuListPaste), this, [this, node] { m_doc.OnPaste(node); })
            ->setEnabled(m_doc.CanPaste(node));
        return;
    }
    QAction *edit = menu.addAction(lqa::loadText(lqa::ids::MenuListEdit), this, [this] { EditSelected(); });
    edit->setEnabled(codes.size() == 1);
    if (codes.size() == 1) menu.setDefaultAction(edit);
    menu.addAction(lqa::loadText(lqa::ids::MenuListSelectAll), this, [this] { SelectAll(); });
    menu.addAction(lqa::loadText(lqa::ids::MenuListSearch), this, [this] { OpenSearch(); });
    menu.addSeparator();
    // One kind at a time, except that speed dials and PC fax members mix.
    const quint32 first = LqaRowKindBits(codes.first());
    const bool oneKind = allOf(codes, first) || allOf(codes, kLqaFaxMemberBits | kLqaPcFaxMemberBits);
    menu.addAction(lqa::loadText(lqa::ids::MenuListCopy), this, [this, codes] { m_doc.OnCopy(codes); })
        ->setEnabled(oneKind);
    menu.addAction(lqa::loadText(lqa::ids::MenuListDelete), this, [this, codes] { m_doc.OnDelete(codes); });
    AddMembershipMenu(menu, codes);
}

void CLqaListView::AddMembershipMenu(QMenu &menu, const QList<quint32> &codes) {
    const quint32 memberKind = LqaRowKindBits(codes.first());
    if (!(memberKind & kLqaMemberKindBits) || !allOf(codes, memberKind)) return;
    const CAdrData *data = m_doc.GetData();
    if (!data) return;
    QList<quint16> memberIds;
    for (quint32 code : codes) memberIds << LqaRowId(code);
    menu.addSeparator();
    QMenu *groups = menu.addMenu(lqa::loadText(lqa::ids::MenuCurrentMembership));
    auto offer = [&]<class Group>() {
        data->Map<Group>().ForEach([&](const Group &group) {
            const quint16 groupId = group.GetID();
            groups->addAction(group.GetName(), this,
                              [this, groupId, memberIds] { m_doc.AddMembers(Group::kKind, groupId, memberIds); });
        });
    };
    switch (memberKind) {
    case kLqaFaxMemberBits: offer.operator()<CAdrGroupAioFax>(); break;
    case kLqaEmailMemberBits: offer.operator()<CAdrGroupAioEmail>(); break;
    case kLqaPcFaxMemberBits: offer.operator()<CAdrGroupPcFax>(); break;
    default: break;
    }
    groups->setEnabled(!groups->isEmpty());
}

// Drag and drop.

bool CLqaListView::IsSelectionConsistent() const {
    const QList<quint32> codes = GetSelectedCodes();
    if (codes.isEmpty()) return false;
    quint32 members = 0;
    quint32 groups = 0;
    for (quint32 code : codes) {
        members |= code & kLqaMemberKindBits;
        groups |= code & kLqaGroupKindBits;
    }
    const bool oneMemberKind = (members & (members - 1)) == 0;
    const bool oneGroupKind = (groups & (groups - 1)) == 0;
    if (!oneMemberKind || !oneGroupKind) return false;
    return !members || !groups || bookOf(members) == bookOf(groups);
}

void CLqaListView::startDrag(Qt::DropActions supportedActions) {
    Q_UNUSED(supportedActions);
    BeginDrag();
}

bool CLqaListView::BeginDrag() {
    if (m_dragging || !IsSelectionConsistent()) return false;
    m_dragCodes = GetSelectedCodes();
    m_dragging = true;
    // The picture of the row the drag began on follows the pointer.
    const int row = currentIndex().isValid() ? currentIndex().row() : m_model->RowOf(m_dragCodes.first());
    QRect rowRect = visualRect(m_model->index(row, 0));
    rowRect.setLeft(0);
    rowRect.setRight(viewport()->width());
    m_dragImage = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
    m_dragImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_dragImage->setPixmap(viewport()->grab(rowRect));
    // The viewport takes the grab: a scroll area drops mouse events sent to
    // itself, and the drag would never see the pointer again.
    viewport()->grabMouse();
    m_dragScrollTimer.start();
    setCursor(Qt::ForbiddenCursor);
    DragMoveTo(QCursor::pos());
    m_dragImage->show();
    return true;
}

void CLqaListView::DragMoveTo(const QPoint &globalPos) {
    if (!m_dragging) return;
    if (m_dragImage) m_dragImage->move(globalPos + QPoint(0, 4));
    ShowDropTarget(DropTargetAt(globalPos));
}

CLqaListView::DropTarget CLqaListView::DropTargetAt(const QPoint &globalPos) const {
    const QPoint local = viewport()->mapFromGlobal(globalPos);
    if (viewport()->rect().contains(local)) {
        const QModelIndex over = indexAt(local);
        if (!over.isValid()) return {};
        const quint32 code = m_model->Code(over.row());
        return RowAccepts(code) ? DropTarget{code, 0} : DropTarget{};
    }
    if (rect().contains(mapFromGlobal(globalPos))) return {};
    const int node = m_host.TreeNodeAt(globalPos);
    return node && NodeAccepts(node) ? DropTarget{0, node} : DropTarget{};
}

bool CLqaListView::RowAccepts(quint32 code) const {
    switch (LqaRowKindBits(code)) {
    case kLqaFaxGroupBits:
    case kLqaPcFaxGroupBits: return allOf(m_dragCodes, kLqaFaxMemberBits | kLqaPcFaxMemberBits);
    case kLqaEmailGroupBits: return allOf(m_dragCodes, kLqaEmailMemberBits);
    default: return false;
    }
}

bool CLqaListView::NodeAccepts(int nodeType) const {
    switch (nodeType) {
    case LqaNodeAddressBooks: return allOf(m_dragCodes, kLqaFaxMemberBits | kLqaPcFaxMemberBits | kLqaFaxGroupBits);
    case LqaNodeMachineFax:
        return m_doc.IsMachineConnected() && allOf(m_dragCodes, kLqaFaxMemberBits | kLqaPcFaxMemberBits | kLqaFaxGroupBits);
    case LqaNodePcFaxBook: return allOf(m_dragCodes, kLqaFaxMemberBits | kLqaPcFaxMemberBits | kLqaPcFaxGroupBits);
    default: return false;
    }
}

void CLqaListView::ShowDropTarget(const DropTarget &target) {
    setCursor(target.IsValid() ? Qt::DragCopyCursor : Qt::ForbiddenCursor);
    if (target == m_dropTarget) return;
    m_dropTarget = target;
    m_model->SetDropTarget(target.rowCode);
    m_host.HighlightTreeNode(target.nodeType);
}

void CLqaListView::ScrollWhileDragging() {
    const QPoint pointer = viewport()->mapFromGlobal(QCursor::pos());
    const int margin = std::max(8, sizeHintForRow(0));
    if (pointer.y() < margin)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (pointer.y() > viewport()->height() - margin)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    else
        return;
    DragMoveTo(QCursor::pos());
}

void CLqaListView::EndDrag() {
    m_dragging = false;
    m_dragScrollTimer.stop();
    viewport()->releaseMouse();
    ShowDropTarget({});
    unsetCursor();
    delete m_dragImage;
    m_dragImage = nullptr;
}

void CLqaListView::CancelDrag() {
    if (m_dragging) EndDrag();
    m_dragCodes.clear();
}

void CLqaListView::DropAt(const QPoint &globalPos) {
    if (!m_dragging) return;
    const DropTarget target = DropTargetAt(globalPos);
    const QList<quint32> codes = std::exchange(m_dragCodes, {});
    EndDrag();
    if (target.rowCode) {
        // A group takes members of its own book; members of the other book
        // have no place in it under their IDs.
        const quint32 groupKind = LqaRowKind(target.rowCode);
        const quint32 memberBits = groupKind == AdrKindAioFaxGroup    ? kLqaFaxMemberBits
                                   : groupKind == AdrKindAioEmailGroup ? kLqaEmailMemberBits
                                                                       : kLqaPcFaxMemberBits;
        QList<quint16> memberIds;
        for (quint32 code : codes)
            if (LqaRowKindBits(code) == memberBits) memberIds << LqaRowId(code);
        if (!memberIds.isEmpty()) m_doc.AddMembers(groupKind, LqaRowId(target.rowCode), memberIds);
        return;
    }
    if (!target.nodeType || !m_doc.OnDropOnNode(codes, LqaDocTreeNode(target.nodeType))) return;
    if (m_host.SelectedNodeType() == LqaNodeAddressBooks) return;
    // Show the book the entries went to.
    const bool toMachine = target.nodeType == LqaNodeMachineFax ||
                           (target.nodeType == LqaNodeAddressBooks && !allOf(codes, kLqaPcFaxMemberBits | kLqaPcFaxGroupBits));
    m_host.SelectNode(toMachine ? LqaNodeMachineFax : LqaNodePcFaxBook);
}

void CLqaListView::mouseMoveEvent(QMouseEvent *event) {
    if (m_dragging) {
        DragMoveTo(event->globalPosition().toPoint());
        return;
    }
    QTreeView::mouseMoveEvent(event);
}

void CLqaListView::mouseReleaseEvent(QMouseEvent *event) {
    if (m_dragging) {
        if (event->button() == Qt::LeftButton)
            DropAt(event->globalPosition().toPoint());
        else
            CancelDrag();
        return;
    }
    QTreeView::mouseReleaseEvent(event);
}
