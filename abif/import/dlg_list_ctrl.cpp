#include "import/dlg_list_ctrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>

#include <algorithm>
#include <utility>

namespace abif {

CDlgListCtrl::CDlgListCtrl(QWidget *parent) : QTreeView(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    // Every row has the same height: long lists are laid out without
    // measuring each row.
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
}

void CDlgListCtrl::setModel(QAbstractItemModel *model) {
    QTreeView::setModel(model);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &CDlgListCtrl::highlightChanged);
    connect(model, &QAbstractItemModel::modelReset, this, &CDlgListCtrl::highlightChanged);
}

std::vector<int> CDlgListCtrl::highlightedRows() const {
    std::vector<int> rows;
    // Ranges, not indexes: a list of 100,000 highlighted rows is one range.
    for (const QItemSelectionRange &range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row) rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

bool CDlgListCtrl::hasHighlightedRows() const { return selectionModel() && selectionModel()->hasSelection(); }

void CDlgListCtrl::highlightRange(int first, int last) {
    const QItemSelection range(model()->index(first, 0), model()->index(last, model()->columnCount() - 1));
    selectionModel()->select(range, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void CDlgListCtrl::mousePressEvent(QMouseEvent *event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    // A press on a highlighted row may start a drag of all highlighted rows,
    // so the highlight stays until the mouse is let go.
    if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier && index.isValid() &&
        selectionModel()->isRowSelected(index.row(), QModelIndex())) {
        drag_ = Drag::Pending;
        pressPosition_ = event->position().toPoint();
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        return;
    }
    drag_ = Drag::None;
    QTreeView::mousePressEvent(event);
}

void CDlgListCtrl::mouseMoveEvent(QMouseEvent *event) {
    if (drag_ == Drag::Pending && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - pressPosition_).manhattanLength() >= QApplication::startDragDistance())
        drag_ = Drag::Dragging;
    if (drag_ == Drag::Dragging) {
        emit dragMoved(event->globalPosition().toPoint());
        return;
    }
    if (drag_ == Drag::Pending) return;
    QTreeView::mouseMoveEvent(event);
}

void CDlgListCtrl::mouseReleaseEvent(QMouseEvent *event) {
    const Drag drag = std::exchange(drag_, Drag::None);
    if (drag == Drag::Dragging) {
        unsetCursor();
        emit dragDropped(event->globalPosition().toPoint());
        return;
    }
    if (drag == Drag::Pending) {
        // A click without a drag highlights the clicked row alone, as anywhere.
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid())
            selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        return;
    }
    QTreeView::mouseReleaseEvent(event);
}

void CDlgListCtrl::mouseDoubleClickEvent(QMouseEvent *event) {
    // The second press of a double-click lands on a highlighted row and was
    // kept back for a drag; the double-click itself still counts.
    drag_ = Drag::None;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid()) {
        emit doubleClicked(index);
        return;
    }
    QTreeView::mouseDoubleClickEvent(event);
}

}  // namespace abif
