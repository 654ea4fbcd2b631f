// The report-style list of the upper right pane: the entries of the node
// selected in the tree, sorted by any shown column, filtered by the search
// bar, searched by the search dialog, with type-ahead, drag and drop onto
// groups and tree nodes, and the document's edit commands in its context
// menus. It never changes entries itself; every change goes through the
// document.
#pragma once

#include "ui/list_pane.h"
#include "ui/search_target.h"

#include <QPointer>
#include <QTimer>
#include <QTreeView>

class CAdrData;
class CDlgSearch;
class CLinquaraDoc;
class CLqaDetailView;
class CLqaListHost;
class CLqaListModel;
class QLabel;
class QMenu;

class CLqaListView : public QTreeView, public CLqaListPane, public CLqaSearchTarget {
    Q_OBJECT
public:
    static constexpr int kTypeAheadMs = 2000;
    static constexpr int kDragScrollMs = 50;

    // Where a drag would drop: a row of the list, a tree node, or nowhere.
    struct DropTarget {
        quint32 rowCode = 0;
        int nodeType = 0;
        [[nodiscard]] bool IsValid() const { return rowCode != 0 || nodeType != 0; }
        friend bool operator==(const DropTarget &, const DropTarget &) = default;
    };

    CLqaListView(CLinquaraDoc &doc, CLqaListHost &host, CLqaDetailView &detail, QWidget *parent = nullptr);
    ~CLqaListView() override;

    // CLqaListPane
    [[nodiscard]] QWidget *Widget() override { return this; }
    void RefreshList() override;
    [[nodiscard]] QList<quint32> GetSelectedCodes() const override;
    void SelectAll() override { selectAll(); }
    void OpenSearch() override;
    void CustomizeView() override;
    [[nodiscard]] bool IsDragging() const override { return m_dragging; }
    void CancelDrag() override;
    [[nodiscard]] QList<QAction *> SortActions() override;

    // CLqaSearchTarget
    [[nodiscard]] int RowCount() const override;
    [[nodiscard]] QStringList RowTexts(int row) const override;
    [[nodiscard]] int FirstSelectedRow() const override;
    void SelectFoundRow(int row) override;

    // Updates the rows of the entries one edit step changed.
    void ApplyChanges(const CAdrData &before, const CAdrData &after);
    // Sorts by the column at that display position; the same column again
    // reverses the order.
    void SortByColumn(int position);
    // 1 when a row was found and selected, else 0.
    int FindNext(const CLqaSearchRequest &request);

    [[nodiscard]] CLqaListModel &Model() const { return *m_model; }
    // The display position of the sort column, -1 for none.
    [[nodiscard]] int SortColumn() const;
    [[nodiscard]] bool SortAscending() const { return m_sortAscending; }
    [[nodiscard]] const QString &TypedPrefix() const { return m_typedPrefix; }
    [[nodiscard]] QLabel *NoDataNotice() const { return m_noDataNotice; }

    // Whether the selected rows may be dragged together: at most one member
    // kind and one group kind, both of one book.
    [[nodiscard]] bool IsSelectionConsistent() const;
    // Drag steps, driven by the mouse or by a caller: start with the
    // selection, follow the pointer, drop.
    bool BeginDrag();
    void DragMoveTo(const QPoint &globalPos);
    void DropAt(const QPoint &globalPos);
    [[nodiscard]] DropTarget DropTargetAt(const QPoint &globalPos) const;
    [[nodiscard]] DropTarget CurrentDropTarget() const { return m_dropTarget; }

    // The context menu for the current selection (menu 172 with rows
    // selected, menu 171 without).
    void FillContextMenu(QMenu &menu);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyboardSearch(const QString &search) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void OpenHelp(int topic);
    void ApplyColumns();
    void UpdateHeaderMarks();
    void UpdateSortActions();
    void UpdateNotice();
    void ShowDetail();
    void EditSelected();
    void TypeAhead();
    void OnSectionMoved(int logical, int oldVisual, int newVisual);
    void OnSectionResized(int logical, int oldSize, int newSize);
    [[nodiscard]] bool RowAccepts(quint32 groupCode) const;
    [[nodiscard]] bool NodeAccepts(int nodeType) const;
    void ShowDropTarget(const DropTarget &target);
    void EndDrag();
    void ScrollWhileDragging();
    void AddMembershipMenu(QMenu &menu, const QList<quint32> &codes);

    CLinquaraDoc &m_doc;
    CLqaListHost &m_host;
    CLqaDetailView &m_detail;
    CLqaListModel *m_model;
    int m_nodeType = 0;
    int m_sortColumn = -1;  // the column number sorted by, -1 for none
    bool m_sortAscending = true;  // the direction the next sort uses
    QString m_typedPrefix;
    QTimer m_typeAheadTimer;
    QPointer<CDlgSearch> m_searchDialog;
    QLabel *m_noDataNotice;
    QList<QAction *> m_sortActions;
    bool m_adjustingHeader = false;
    // Drag state.
    bool m_dragging = false;
    QList<quint32> m_dragCodes;
    DropTarget m_dropTarget;
    QLabel *m_dragImage = nullptr;
    QTimer m_dragScrollTimer;
};
