// The list of an entry dialog that shows a member's groups or a group's
// members, with the button that opens the membership selection.
#pragma once

#include "dialogs/membership_dialog.h"

#include <QWidget>

#include <functional>

class QPushButton;

class CDlgMembershipPanel : public QWidget {
    Q_OBJECT
public:
    struct Setup {
        MembershipMode mode;
        int captionTextId;
        QList<MembershipItem> all;  // every item that may be chosen
        QList<quint16> chosen;
        int capacity;
        QIcon icon;
    };
    // `title` gives the membership dialog the entry dialog's current title.
    CDlgMembershipPanel(Setup setup, DocumentPrompt &prompt, std::function<QString()> title, QWidget *parent = nullptr);

    [[nodiscard]] QList<quint16> ChosenIds() const;
    [[nodiscard]] QList<MembershipItem> ChosenItems() const { return ItemsOf(m_list); }
    [[nodiscard]] QTreeWidget *List() const { return m_list; }
    [[nodiscard]] QPushButton *MembershipButton() const { return m_button; }

    // Opens the membership selection; its OK replaces the list.
    void ChooseMembership();

signals:
    void helpRequested(int topic);

private:
    Setup m_setup;
    DocumentPrompt &m_prompt;
    std::function<QString()> m_title;
    QTreeWidget *m_list;
    QPushButton *m_button;
};
