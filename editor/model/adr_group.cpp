#include "model/adr_group.h"

#include "model/adr_member.h"

#include <QCoreApplication>

QString CAdrGroup::GetIDString() const { return QStringLiteral("%1").arg(m_id, 3, 10, QLatin1Char('0')); }

void CAdrGroup::AssignID(quint16 id, quint16 maxId) {
    if (id < 1 || id > maxId) AdrThrowBadArgument();
    m_id = id;
}

void CAdrGroup::AddMember(quint16 memberId) {
    if (memberId < 1 || memberId > MaxMemberID()) AdrThrowBadArgument();
    if (CountMembers() < Capacity()) m_members.set(memberId);
}

void CAdrGroup::RemoveMember(quint16 memberId) {
    if (memberId < m_members.size()) m_members.reset(memberId);
}

QList<quint16> CAdrGroup::GetMemberIDs() const {
    QList<quint16> ids;
    ids.reserve(CountMembers());
    for (quint16 id = 1; id <= MaxMemberID(); ++id) {
        if (m_members.test(id)) ids.append(id);
    }
    return ids;
}

QString CAdrGroup::GetMemberCountText() const {
    return QCoreApplication::translate("CAdrGroup", "(%1)").arg(CountMembers());
}

QString CAdrGroupPcFax::GetUpdatedOnText() const { return AdrUpdatedOnText(m_updatedOn); }
