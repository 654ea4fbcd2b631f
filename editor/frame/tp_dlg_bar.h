// The search bar: the caption "Search" and one field, on the tool strip's
// own background; the field takes every pixel up to the bar's right edge.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

class CTpDlgBar : public QWidget {
    Q_OBJECT
public:
    explicit CTpDlgBar(QWidget *parent = nullptr);

    [[nodiscard]] QLineEdit *Field() const { return m_field; }
    [[nodiscard]] QLabel *Caption() const { return m_caption; }

private:
    QLabel *m_caption;
    QLineEdit *m_field;
};
