// Small builders of editor entries for tests.
#pragma once

#include "model/adr_data.h"
#include "qt_print.h"

#include <initializer_list>

namespace test {

inline CAdrMemberAioFax aioFax(quint16 id, const QString &name = "Fax", const QString &number = "0123") {
    CAdrMemberAioFax e;
    e.SetID(id);
    e.SetName(name);
    e.SetFaxNumber(number);
    return e;
}

inline CAdrMemberAioEmail aioEmail(quint16 id, const QString &address = "a@example.org") {
    CAdrMemberAioEmail e;
    e.SetID(id);
    e.SetEmailAddress(address);
    return e;
}

inline CAdrMemberAioServer server(quint16 id, const QString &share = "scans") {
    CAdrMemberAioServer e;
    e.SetID(id);
    e.SetShareName(share);
    return e;
}

inline CAdrMemberPcFax pcFax(quint16 id, const QString &name = "Member") {
    CAdrMemberPcFax e;
    e.SetID(id);
    e.SetName(name);
    return e;
}

template <class Group>
Group group(quint16 id, std::initializer_list<quint16> members, const QString &name = "Group") {
    Group g;
    g.SetID(id);
    g.SetName(name);
    for (quint16 m : members) g.AddMember(m);
    return g;
}

inline CAdrShareData shareRecord(quint16 serverId, const QString &folder = "/srv/scans") {
    CAdrShareData r;
    r.serverId = serverId;
    r.localFolder = folder;
    return r;
}

// One or more entries of every kind.
inline CAdrData smallDataSet() {
    CAdrData d;
    d.StoreCopy(aioFax(1));
    d.StoreCopy(aioFax(2));
    d.StoreCopy(group<CAdrGroupAioFax>(1, {1, 2}));
    d.StoreCopy(aioEmail(3));
    d.StoreCopy(group<CAdrGroupAioEmail>(1, {3}));
    const CAdrShareData record = shareRecord(2);
    d.StoreServerCopy(server(2), &record);
    d.StoreCopy(pcFax(10));
    d.StoreCopy(group<CAdrGroupPcFax>(4, {10}));
    d.SubComm() = {"Scan", "Attached."};
    return d;
}

// How many entries of all kinds carry a change mark.
inline int markedCount(const CAdrData &d) {
    int count = 0;
    auto tally = [&](const auto &map) { map.ForEach([&](const auto &e) { count += e.GetChangeMark() != 0; }); };
    tally(d.Map<CAdrMemberAioFax>());
    tally(d.Map<CAdrMemberAioEmail>());
    tally(d.Map<CAdrMemberAioServer>());
    tally(d.Map<CAdrMemberPcFax>());
    tally(d.Map<CAdrGroupAioFax>());
    tally(d.Map<CAdrGroupAioEmail>());
    tally(d.Map<CAdrGroupPcFax>());
    return count;
}

}  // namespace test
