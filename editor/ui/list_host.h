// What the entry list needs of the window around it: the tree node it
// shows, the search bar's text, the tree as a drop target and the New
// commands of a node for its own context menu. The main frame implements it.
#pragma once

#include <QString>

class QMenu;
class QPoint;

// The tree's node types; the list and the commands use these numbers.
enum LqaNodeType : int {
    LqaNodeAddressBooks = 1,
    LqaNodeMachineBook = 2,
    LqaNodeMachineFax = 3,
    LqaNodeMachineEmail = 4,   // understood by the list, no tree node
    LqaNodeMachineServer = 5,  // understood by the list, no tree node
    LqaNodePcFaxBook = 6,
    LqaNodeNone = 7,
};

class CLqaListHost {
public:
    virtual ~CLqaListHost() = default;

    // The type of the node selected in the tree, LqaNodeNone with none.
    [[nodiscard]] virtual int SelectedNodeType() const = 0;
    virtual void SelectNode(int nodeType) = 0;
    // The text of the search bar's field.
    [[nodiscard]] virtual QString SearchBarText() const = 0;

    // The type of the tree node under a global point, 0 when there is none.
    [[nodiscard]] virtual int TreeNodeAt(const QPoint &globalPos) const = 0;
    // Highlights a node as a drop target; 0 removes the highlight.
    virtual void HighlightTreeNode(int nodeType) = 0;

    // Appends the New items the tree's context menu offers for the node
    // (none for a machine node while offline).
    virtual void AddNewItems(QMenu &menu, int nodeType) = 0;

    // The list's selection changed: the commands acting on it follow it.
    virtual void ListSelectionChanged() {}
};
