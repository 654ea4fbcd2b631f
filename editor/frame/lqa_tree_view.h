// The address-book tree: four fixed nodes, always fully open, whose
// selection chooses what the entry list shows. Double-clicks and the context
// menu start new entries and pastes in the node's book.
#pragma once

#include "document/linquara_doc.h"
#include "ui/list_host.h"

#include <QTreeWidget>

#include <array>
#include <memory>

class QMenu;

class CLqaTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit CLqaTreeView(CLinquaraDoc &doc, QWidget *parent = nullptr);

    // LqaNodeNone when no node is selected.
    [[nodiscard]] int GetNodeType() const;
    void SelectNode(int nodeType);
    // The right edge of the widest node text plus 5 pixels.
    [[nodiscard]] int GetNeededWidth() const;

    [[nodiscard]] QTreeWidgetItem *Node(int nodeType) const;
    [[nodiscard]] int NodeTypeOf(const QTreeWidgetItem *item) const;
    // The node type under a point of the viewport, 0 with none.
    [[nodiscard]] int NodeTypeAt(const QPoint &viewportPos) const;
    // Marks a node as a drop target; 0 removes the mark.
    void HighlightNode(int nodeType);
    // The online or offline images, as the document's connection says.
    void RefreshImages();

    // The New items of a node: none for the machine nodes while offline.
    void AddNewItems(QMenu &menu, int nodeType);
    // The node's context menu, or null when the node has none.
    [[nodiscard]] std::unique_ptr<QMenu> ContextMenuFor(int nodeType);
    // The node the last context menu was for; 0 before the first.
    [[nodiscard]] int ContextNode() const { return m_contextNode; }

    // The clipboard fits the node, and the node's book can be changed: no
    // machine node, nor the whole tree, takes entries while offline.
    [[nodiscard]] bool CanPasteInto(int nodeType) const;

signals:
    void nodeSelected(int nodeType);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    [[nodiscard]] bool IsOnline() const;
    void AddMachineFaxItems(QMenu &menu);
    void AddPcFaxItems(QMenu &menu);
    void AddNew(QMenu &menu, int textId, quint32 kind, CLinquaraDoc::Command command);

    CLinquaraDoc &m_doc;
    // Address Books, Machine Address Book, Fax, PC Fax Address Book.
    std::array<QTreeWidgetItem *, 4> m_nodes{};
    int m_contextNode = 0;
    int m_highlighted = 0;
};
