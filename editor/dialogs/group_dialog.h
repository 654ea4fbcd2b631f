// The dialog of a group of either book: its ID (machine groups), its name
// and its members.
#pragma once

#include "dialogs/entry_dialog.h"
#include "dialogs/membership_panel.h"
#include "model/adr_data.h"

#include <functional>

class CDlgGroup : public CDlgEntry {
    Q_OBJECT
public:
    enum Book { AioFax, AioEmail, PcFax };
    // Shows the members a changed group is about to be saved with; true to go on.
    using ConfirmMembers = std::function<bool(const QString &groupName, const QList<MembershipItem> &members)>;

    // `group` is one of CAdrGroupAioFax, CAdrGroupAioEmail or CAdrGroupPcFax, as `book` says.
    CDlgGroup(CAdrGroup &group, Book book, const CAdrData &data, DocumentPrompt &prompt, QWidget *parent = nullptr);

    [[nodiscard]] CDlgMembershipPanel *Members() const { return m_memberPanel; }
    // Replaces the group confirmation dialog, for callers that show it otherwise.
    void SetConfirmMembers(ConfirmMembers confirm) { m_confirm = std::move(confirm); }

protected:
    [[nodiscard]] bool IdTaken(quint16 id) const override;
    bool ConfirmAfterOverwrite() override;
    void Commit() override;

private:
    [[nodiscard]] bool ShowConfirmation(const QString &groupName, const QList<MembershipItem> &members);

    CAdrGroup &m_group;
    Book m_book;
    const CAdrData &m_data;
    QList<quint16> m_initialMembers;
    CDlgMembershipPanel *m_memberPanel;
    ConfirmMembers m_confirm;
};
