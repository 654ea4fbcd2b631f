// The dialogs of single entries: machine fax speed dial, machine email
// address and PC fax member. The server address has a file of its own.
#pragma once

#include "dialogs/entry_dialog.h"
#include "dialogs/membership_panel.h"
#include "model/adr_data.h"

class CDlgAioFaxMember : public CDlgEntry {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 1000;

    // `groups`: the groups holding the entry; on OK both hold the choice.
    CDlgAioFaxMember(CAdrMemberAioFax &entry, QList<quint16> &groups, const CAdrData &data, DocumentPrompt &prompt,
                     QWidget *parent = nullptr);

    [[nodiscard]] CDlgCtrlEdit *FaxField() const { return m_fax; }
    [[nodiscard]] CDlgMembershipPanel *Groups() const { return m_groupPanel; }

protected:
    [[nodiscard]] bool IdTaken(quint16 id) const override;
    bool ConfirmBeforeOverwrite() override;
    void Commit() override;

private:
    CAdrMemberAioFax &m_entry;
    QList<quint16> &m_groups;
    const CAdrData &m_data;
    CDlgCtrlEdit *m_fax;
    CDlgMembershipPanel *m_groupPanel;
};

class CDlgAioEmailMember : public CDlgEntry {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 1002;

    CDlgAioEmailMember(CAdrMemberAioEmail &entry, const CAdrData &data, DocumentPrompt &prompt,
                       QWidget *parent = nullptr);

    [[nodiscard]] CDlgCtrlEdit *AddressField() const { return m_address; }

protected:
    [[nodiscard]] bool IdTaken(quint16 id) const override;
    bool ConfirmBeforeOverwrite() override;
    void Commit() override;

private:
    CAdrMemberAioEmail &m_entry;
    const CAdrData &m_data;
    CDlgCtrlEdit *m_address;
};

class CDlgPcFaxMember : public CDlgEntry {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 1006;

    CDlgPcFaxMember(CAdrMemberPcFax &entry, QList<quint16> &groups, const CAdrData &data, DocumentPrompt &prompt,
                    QWidget *parent = nullptr);

    [[nodiscard]] CDlgCtrlEdit *FaxField() const { return m_fax; }
    [[nodiscard]] CDlgCtrlEdit *CompanyField() const { return m_company; }
    [[nodiscard]] CDlgCtrlNote *NoteField() const { return m_note; }
    [[nodiscard]] CDlgMembershipPanel *Groups() const { return m_groupPanel; }

protected:
    // Tells the person when the note had to be cut to fit its field.
    void showEvent(QShowEvent *event) override;
    bool ConfirmBeforeOverwrite() override;
    void Commit() override;

private:
    CAdrMemberPcFax &m_entry;
    QList<quint16> &m_groups;
    const CAdrData &m_data;
    CDlgCtrlEdit *m_fax;
    CDlgCtrlEdit *m_company;
    CDlgCtrlNote *m_note;
    CDlgMembershipPanel *m_groupPanel;
    bool m_noteShortened = false;
};

// The groups of `Group`'s book as rows to choose from; each counts its
// members other than `memberId`, the member being edited.
template <class Group>
[[nodiscard]] QList<MembershipItem> GroupItems(const CAdrData &data, quint16 memberId) {
    QList<MembershipItem> items;
    data.Map<Group>().ForEach([&](const Group &group) {
        items.append({group.GetID(), group.GetName(), group.CountMembers() - (group.HasMember(memberId) ? 1 : 0)});
    });
    return items;
}

// The members of `Member`'s book as rows to choose from.
template <class Member>
[[nodiscard]] QList<MembershipItem> MemberItems(const CAdrData &data) {
    QList<MembershipItem> items;
    data.Map<Member>().ForEach([&](const Member &member) { items.append({member.GetID(), member.GetName(), 0}); });
    return items;
}
