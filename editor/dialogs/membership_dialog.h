// Chooses the members of a group, or the groups of a member, by moving
// rows between a list of what may be chosen and a list of what is chosen.
#pragma once

#include "dialogs/membership_item.h"

#include <QDialog>
#include <QTreeWidget>

class DocumentPrompt;
class QPushButton;

enum class MembershipMode { MembersOfGroup, GroupsOfMember };

// A list whose rows can be dragged onto its partner list.
class CDlgListCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CDlgListCtrl(QWidget *parent = nullptr);
    void SetPartner(CDlgListCtrl *partner) { m_partner = partner; }

signals:
    void rowsDropped();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    CDlgListCtrl *m_partner = nullptr;
};

class CDlgAioPcEditMember : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 1008;

    // `capacity`: the most members a group of the book may hold.
    CDlgAioPcEditMember(MembershipMode mode, const QString &title, const QIcon &icon,
                        const QList<MembershipItem> &selectable, const QList<MembershipItem> &chosen, int capacity,
                        DocumentPrompt &prompt, QWidget *parent = nullptr);

    [[nodiscard]] QList<MembershipItem> Chosen() const { return ItemsOf(m_chosen); }
    [[nodiscard]] QTreeWidget *SelectableList() const { return m_selectable; }
    [[nodiscard]] QTreeWidget *ChosenList() const { return m_chosen; }
    [[nodiscard]] QPushButton *AddButton() const { return m_add; }
    [[nodiscard]] QPushButton *DeleteButton() const { return m_delete; }

    // Moves the selected rows of the left list to the right one, unless the
    // move would overfill a group; false after the refusal was shown.
    bool AddSelected();
    void DeleteSelected();

signals:
    void helpRequested(int topic);

private:
    [[nodiscard]] bool WouldOverfill(const QList<QTreeWidgetItem *> &rows) const;

    MembershipMode m_mode;
    int m_capacity;
    DocumentPrompt &m_prompt;
    CDlgListCtrl *m_selectable;
    CDlgListCtrl *m_chosen;
    QPushButton *m_add;
    QPushButton *m_delete;
};
