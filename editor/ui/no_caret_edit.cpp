#include "ui/no_caret_edit.h"

#include <QWheelEvent>

#include <cmath>

CNoCaretEdit::CNoCaretEdit(QWidget *parent) : QTextEdit(parent) {
    setReadOnly(true);
    setAcceptRichText(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document()->setDocumentMargin(0);
    setCursorWidth(0);
}

int CNoCaretEdit::HeightForText(int width) {
    document()->setTextWidth(width);
    return static_cast<int>(std::ceil(document()->size().height()));
}

void CNoCaretEdit::focusInEvent(QFocusEvent *event) {
    QTextEdit::focusInEvent(event);
    setCursorWidth(0);
}

void CNoCaretEdit::wheelEvent(QWheelEvent *event) { event->ignore(); }
