// Shows the members a group is about to be saved with and asks to go on.
#pragma once

#include "dialogs/membership_item.h"

#include <QDialog>

class QLabel;
class QTreeWidget;

class CDlgGroupConfirm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 1009;

    CDlgGroupConfirm(const QString &groupName, const QList<MembershipItem> &members, const QIcon &icon,
                     QWidget *parent = nullptr);

    [[nodiscard]] QLabel *PromptLabel() const { return m_prompt; }
    [[nodiscard]] QLabel *CountLabel() const { return m_count; }
    [[nodiscard]] QTreeWidget *MemberList() const { return m_list; }

signals:
    void helpRequested(int topic);

private:
    QLabel *m_prompt;
    QLabel *m_count;
    QTreeWidget *m_list;
};
