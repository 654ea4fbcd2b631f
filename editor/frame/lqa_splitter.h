// The splitter between the tree and the right-hand panes: a double-click on
// its bar asks the frame to fit the tree column to the tree.
#pragma once

#include <QSplitter>

class CLqaSplitterWnd : public QSplitter {
    Q_OBJECT
public:
    explicit CLqaSplitterWnd(Qt::Orientation orientation, QWidget *parent = nullptr);

signals:
    void fitTreeRequested();

protected:
    QSplitterHandle *createHandle() override;
};
