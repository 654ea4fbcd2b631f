// Which group kind belongs to which member kind, and the update time that
// PC fax entries carry: shared by the document's editing commands.
#pragma once

#include "model/adr_data.h"

#include <QDateTime>
#include <QList>

template <class Member>
struct AdrGroupOf;
template <>
struct AdrGroupOf<CAdrMemberAioFax> {
    using type = CAdrGroupAioFax;
};
template <>
struct AdrGroupOf<CAdrMemberAioEmail> {
    using type = CAdrGroupAioEmail;
};
template <>
struct AdrGroupOf<CAdrMemberPcFax> {
    using type = CAdrGroupPcFax;
};

template <class Group>
struct AdrMemberOf;
template <>
struct AdrMemberOf<CAdrGroupAioFax> {
    using type = CAdrMemberAioFax;
};
template <>
struct AdrMemberOf<CAdrGroupAioEmail> {
    using type = CAdrMemberAioEmail;
};
template <>
struct AdrMemberOf<CAdrGroupPcFax> {
    using type = CAdrMemberPcFax;
};

// Stamps the time of a change on the kinds that show it.
template <class Entry>
void AdrTouch(Entry &) {}
inline void AdrTouch(CAdrMemberPcFax &entry) { entry.SetUpdatedOn(QDateTime::currentSecsSinceEpoch()); }
inline void AdrTouch(CAdrGroupPcFax &group) { group.SetUpdatedOn(QDateTime::currentSecsSinceEpoch()); }

// The IDs of the groups holding `memberId`, ascending.
template <class Group>
QList<quint16> AdrGroupsHolding(const CAdrData &data, quint16 memberId) {
    QList<quint16> ids;
    data.Map<Group>().ForEach([&](const Group &group) {
        if (group.HasMember(memberId)) ids.append(group.GetID());
    });
    return ids;
}

// The kind named by a list row code, and its ID.
[[nodiscard]] constexpr quint32 AdrRowKind(quint32 rowCode) { return rowCode >> 16; }
[[nodiscard]] constexpr quint16 AdrRowId(quint32 rowCode) { return static_cast<quint16>(rowCode & 0xFFFFu); }
