// Edit fields of the entry dialogs. Input that would make the text longer
// than the field's limit is refused with a note next to the field; a file
// dropped on a single-line field puts its full path there.
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

class CDlgCtrlEdit : public QLineEdit {
    Q_OBJECT
public:
    enum Content { AnyText, DigitsOnly };

    CDlgCtrlEdit(int maxChars, Content content = AnyText, QWidget *parent = nullptr);
    [[nodiscard]] int MaxChars() const { return m_maxChars; }

signals:
    // Shown to the person beside the field as well.
    void inputRefused(const QString &message);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void RefuseLongInput();

    int m_maxChars;
};

// The several-line variant, for notes.
class CDlgCtrlNote : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CDlgCtrlNote(int maxChars, QWidget *parent = nullptr);
    [[nodiscard]] int MaxChars() const { return m_maxChars; }

signals:
    void inputRefused(const QString &message);

private:
    void KeepWithinLimit();

    int m_maxChars;
    QString m_accepted;
};
