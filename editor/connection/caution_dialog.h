// Tells that the machine could not be reached and only the PC fax address
// book is shown.
#pragma once

#include <QDialog>

class QCheckBox;

class CautionDialog : public QDialog {
    Q_OBJECT
public:
    explicit CautionDialog(QWidget *parent = nullptr);

    [[nodiscard]] QCheckBox *DoNotShowBox() const { return m_doNotShow; }

private:
    QCheckBox *m_doNotShow;
};
