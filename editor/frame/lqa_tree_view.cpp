#include "frame/lqa_tree_view.h"

#include "text/editor_text.h"
#include "ui/program_icons.h"
#include "ui/tree_node.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

namespace {

constexpr std::array<int, 4> kNodeTypes{LqaNodeAddressBooks, LqaNodeMachineBook, LqaNodeMachineFax, LqaNodePcFaxBook};
constexpr int kImageSize = 32;
constexpr int kNeededWidthMargin = 5;

}  // namespace

CLqaTreeView::CLqaTreeView(CLinquaraDoc &doc, QWidget *parent) : QTreeWidget(parent), m_doc(doc) {
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(kImageSize, kImageSize));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(false);
    // The tree always stays fully open: neither mouse nor keys may fold it.
    setItemsExpandable(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);

    auto *root = new QTreeWidgetItem(this, {lqa::loadText(lqa::ids::NodeAddressBooks)});
    auto *machine = new QTreeWidgetItem(root, {lqa::loadText(lqa::ids::NodeMachineBook)});
    auto *fax = new QTreeWidgetItem(machine, {lqa::loadText(lqa::ids::TextFax)});
    auto *pcFax = new QTreeWidgetItem(root, {lqa::loadText(lqa::ids::TextPcFaxBook)});
    m_nodes = {root, machine, fax, pcFax};
    expandAll();
    connect(this, &QTreeWidget::itemCollapsed, this, [](QTreeWidgetItem *item) { item->setExpanded(true); });
    // A click moves the current item before it selects it; the node counts
    // once it is selected, so that GetNodeType already names it.
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] { emit nodeSelected(GetNodeType()); });
    connect(&m_doc, &CLinquaraDoc::flagsChanged, this, &CLqaTreeView::RefreshImages);
    RefreshImages();
}

bool CLqaTreeView::IsOnline() const { return m_doc.IsMachineConnected(); }

void CLqaTreeView::RefreshImages() {
    const bool online = IsOnline();
    m_nodes[0]->setIcon(0, lqa::applicationIcon());
    m_nodes[1]->setIcon(0, lqa::treeIcon(lqa::TreeImage::MachineBook, online));
    m_nodes[2]->setIcon(0, lqa::treeIcon(lqa::TreeImage::Fax, online));
    m_nodes[3]->setIcon(0, lqa::treeIcon(lqa::TreeImage::PcFaxBook, true));
}

int CLqaTreeView::NodeTypeOf(const QTreeWidgetItem *item) const {
    const auto found = std::find(m_nodes.begin(), m_nodes.end(), item);
    return found == m_nodes.end() ? 0 : kNodeTypes[static_cast<size_t>(found - m_nodes.begin())];
}

QTreeWidgetItem *CLqaTreeView::Node(int nodeType) const {
    const auto found = std::find(kNodeTypes.begin(), kNodeTypes.end(), nodeType);
    return found == kNodeTypes.end() ? nullptr : m_nodes[static_cast<size_t>(found - kNodeTypes.begin())];
}

int CLqaTreeView::GetNodeType() const {
    const QList<QTreeWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? LqaNodeNone : NodeTypeOf(selected.first());
}

void CLqaTreeView::SelectNode(int nodeType) {
    if (QTreeWidgetItem *node = Node(nodeType)) setCurrentItem(node);
}

int CLqaTreeView::NodeTypeAt(const QPoint &viewportPos) const { return NodeTypeOf(itemAt(viewportPos)); }

int CLqaTreeView::GetNeededWidth() const {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    int right = 0;
    for (QTreeWidgetItem *node : m_nodes) {
        const QModelIndex index = indexFromItem(node);
        const QRect cell = visualRect(index);
        if (!cell.isValid()) continue;
        // The cell reaches to the column's edge; the text ends where the
        // delegate's own size does.
        const int textRight = cell.left() + itemDelegateForIndex(index)->sizeHint(option, index).width();
        right = std::max(right, viewport()->mapTo(this, QPoint(textRight, 0)).x());
    }
    return right + kNeededWidthMargin;
}

void CLqaTreeView::HighlightNode(int nodeType) {
    if (nodeType == m_highlighted) return;
    if (QTreeWidgetItem *old = Node(m_highlighted)) {
        old->setData(0, Qt::BackgroundRole, {});
        old->setData(0, Qt::ForegroundRole, {});
    }
    m_highlighted = nodeType;
    if (QTreeWidgetItem *node = Node(nodeType)) {
        node->setBackground(0, palette().highlight());
        node->setForeground(0, palette().highlightedText());
    }
}

bool CLqaTreeView::CanPasteInto(int nodeType) const {
    return (IsOnline() || nodeType == LqaNodePcFaxBook) && m_doc.CanPaste(LqaDocTreeNode(nodeType));
}

void CLqaTreeView::AddNew(QMenu &menu, int textId, quint32 kind, CLinquaraDoc::Command command) {
    QAction *action = menu.addAction(lqa::loadText(textId), this, [this, kind] { m_doc.OnNewEntry(kind); });
    action->setEnabled(m_doc.IsEnabled(command));
}

void CLqaTreeView::AddMachineFaxItems(QMenu &menu) {
    AddNew(menu, lqa::ids::MenuNewMember, AdrKindAioFax, CLinquaraDoc::Command::NewMachineEntry);
    AddNew(menu, lqa::ids::MenuNewGroup, AdrKindAioFaxGroup, CLinquaraDoc::Command::NewMachineEntry);
}

void CLqaTreeView::AddPcFaxItems(QMenu &menu) {
    AddNew(menu, lqa::ids::MenuNewMember, AdrKindPcFax, CLinquaraDoc::Command::NewPcFaxEntry);
    AddNew(menu, lqa::ids::MenuNewGroup, AdrKindPcFaxGroup, CLinquaraDoc::Command::NewPcFaxEntry);
}

void CLqaTreeView::AddNewItems(QMenu &menu, int nodeType) {
    const bool online = IsOnline();
    auto pcFaxSubmenu = [this](QMenu &parent) {
        AddPcFaxItems(*parent.addMenu(lqa::loadText(lqa::ids::MenuNewPcFax)));
    };
    switch (nodeType) {
    case LqaNodeAddressBooks:
        if (online) {
            QMenu *machine = menu.addMenu(lqa::loadText(lqa::ids::MenuNewMachine));
            AddMachineFaxItems(*machine->addMenu(lqa::loadText(lqa::ids::MenuFax)));
            pcFaxSubmenu(menu);
        } else {
            pcFaxSubmenu(*menu.addMenu(lqa::loadText(lqa::ids::MenuNew)));
        }
        break;
    case LqaNodeMachineBook:
        if (online) AddMachineFaxItems(*menu.addMenu(lqa::loadText(lqa::ids::MenuFax)));
        break;
    case LqaNodeMachineFax:
        if (online) AddMachineFaxItems(menu);
        break;
    case LqaNodePcFaxBook:
        if (online)
            AddPcFaxItems(menu);
        else
            pcFaxSubmenu(menu);
        break;
    default: break;
    }
}

std::unique_ptr<QMenu> CLqaTreeView::ContextMenuFor(int nodeType) {
    auto menu = std::make_unique<QMenu>(this);
    AddNewItems(*menu, nodeType);
    if (menu->isEmpty()) return nullptr;
    const bool offlineRoot = !IsOnline() && nodeType == LqaNodeAddressBooks;
    if (!offlineRoot) {
        menu->addSeparator();
        const CLinquaraDoc::TreeNode target = LqaDocTreeNode(nodeType);
        QAction *paste = menu->addAction(lqa::loadText(lqa::ids::MenuPaste), this,
                                         [this, target] { m_doc.OnPaste(target); });
        paste->setEnabled(CanPasteInto(nodeType));
    }
    return menu;
}

void CLqaTreeView::contextMenuEvent(QContextMenuEvent *event) {
    int nodeType = 0;
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        nodeType = NodeTypeOf(currentItem());
        if (QTreeWidgetItem *node = currentItem()) {
            const QRect cell = visualItemRect(node);
            at = viewport()->mapToGlobal(QPoint(cell.left(), cell.center().y()));
        }
    } else {
        nodeType = NodeTypeAt(viewport()->mapFromGlobal(event->globalPos()));
        if (nodeType == 0 && m_contextNode != 0) {
            // Beside every node: the menu of the node used last, at its left edge.
            nodeType = m_contextNode;
            const QRect cell = visualItemRect(Node(nodeType));
            at = viewport()->mapToGlobal(QPoint(cell.left(), cell.center().y()));
        }
    }
    if (nodeType == 0) return;
    m_contextNode = nodeType;
    SelectNode(nodeType);
    if (std::unique_ptr<QMenu> menu = ContextMenuFor(nodeType)) menu->exec(at);
}

void CLqaTreeView::mouseDoubleClickEvent(QMouseEvent *event) {
    QTreeWidget::mouseDoubleClickEvent(event);
    const int nodeType = NodeTypeAt(event->position().toPoint());
    const bool group = event->modifiers().testFlag(Qt::ShiftModifier);
    if (nodeType == LqaNodeMachineFax && IsOnline())
        m_doc.OnNewEntry(group ? AdrKindAioFaxGroup : AdrKindAioFax);
    else if (nodeType == LqaNodePcFaxBook)
        m_doc.OnNewEntry(group ? AdrKindPcFaxGroup : AdrKindPcFax);
}
