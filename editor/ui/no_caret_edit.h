// A read-only, word-wrapping text field that never shows a caret, even with
// the focus; its text can still be selected and copied.
#pragma once

#include <QTextEdit>

class CNoCaretEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit CNoCaretEdit(QWidget *parent = nullptr);

    // The height the text needs when wrapped to `width`.
    [[nodiscard]] int HeightForText(int width);

protected:
    void focusInEvent(QFocusEvent *event) override;
    // The field never scrolls; the wheel belongs to the pane around it.
    void wheelEvent(QWheelEvent *event) override;
};
