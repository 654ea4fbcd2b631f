// A list of the row selection dialog. Besides its own clicks it reports
// drags of its highlighted rows to the dialog, which decides where they land.
#pragma once

#include <QTreeView>

#include <vector>

namespace abif {

class CDlgListCtrl : public QTreeView {
    Q_OBJECT
public:
    explicit CDlgListCtrl(QWidget *parent = nullptr);

    // The highlighted rows, ascending.
    [[nodiscard]] std::vector<int> highlightedRows() const;
    [[nodiscard]] bool hasHighlightedRows() const;
    // Highlights rows first..last alone.
    void highlightRange(int first, int last);
    void setModel(QAbstractItemModel *model) override;

signals:
    // The mouse, holding highlighted rows, moved to or was let go at a
    // place on the screen.
    void dragMoved(QPoint globalPosition);
    void dragDropped(QPoint globalPosition);
    void highlightChanged();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    enum class Drag { None, Pending, Dragging };
    Drag drag_ = Drag::None;
    QPoint pressPosition_;
};

}  // namespace abif
