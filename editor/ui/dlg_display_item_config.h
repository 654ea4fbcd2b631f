// Customize View: which list columns are shown and in which order. Type and
// Member/Group are always shown first and appear in neither list.
#pragma once

#include <QDialog>

class CLqaColumnModel;
class QListWidget;
class QPushButton;

class CDlgDisplayItemConfig : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 1011;

    // OK rewrites the shown columns of `columns`; Cancel leaves them.
    explicit CDlgDisplayItemConfig(CLqaColumnModel &columns, QWidget *parent = nullptr);

    // Moves the selected left items to the end of the right list.
    void AddSelected();
    // Moves the selected right items to the end of the left list.
    void DeleteSelected();
    // The selected right item swaps places with its neighbour.
    void MoveUp();
    void MoveDown();
    // The default choice: Fax Number left; ID, Name, Member/Group
    // Information, Updated On right.
    void Reset();
    void accept() override;

    [[nodiscard]] QListWidget *HiddenList() const { return m_hidden; }
    [[nodiscard]] QListWidget *ShownList() const { return m_shown; }
    [[nodiscard]] QPushButton *AddButton() const { return m_add; }
    [[nodiscard]] QPushButton *DeleteButton() const { return m_delete; }
    [[nodiscard]] QPushButton *UpButton() const { return m_up; }
    [[nodiscard]] QPushButton *DownButton() const { return m_down; }

signals:
    void helpRequested(int topic);

private:
    void Fill(const QList<quint16> &shown);
    void MoveSelected(QListWidget &from, QListWidget &to);
    void MoveCurrent(int step);
    void UpdateButtons();

    CLqaColumnModel &m_columns;
    QListWidget *m_hidden;
    QListWidget *m_shown;
    QPushButton *m_add;
    QPushButton *m_delete;
    QPushButton *m_up;
    QPushButton *m_down;
};
