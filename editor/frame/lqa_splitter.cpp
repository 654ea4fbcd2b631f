#include "frame/lqa_splitter.h"

#include <QMouseEvent>
#include <QSplitterHandle>

namespace {

class FittingHandle : public QSplitterHandle {
public:
    FittingHandle(Qt::Orientation orientation, CLqaSplitterWnd *parent) : QSplitterHandle(orientation, parent) {}

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override {
        if (event->button() == Qt::LeftButton)
            emit static_cast<CLqaSplitterWnd *>(splitter())->fitTreeRequested();
        event->accept();
    }
};

}  // namespace

CLqaSplitterWnd::CLqaSplitterWnd(Qt::Orientation orientation, QWidget *parent) : QSplitter(orientation, parent) {}

QSplitterHandle *CLqaSplitterWnd::createHandle() { return new FittingHandle(orientation(), this); }
