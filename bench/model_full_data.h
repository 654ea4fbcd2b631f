// A data set with every kind filled to its limits, for the model benchmarks.
#pragma once

#include "model/adr_data.h"

namespace bench {

inline QString text(const char *prefix, int n) { return QStringLiteral("%1 %2").arg(QLatin1String(prefix)).arg(n); }

// 99 speed dials, 6 fax groups of 99, 20 email addresses, 10 email groups,
// 5 servers, 500 PC fax members, 500 PC fax groups of 30.
inline CAdrData fullDataSet() {
    CAdrData d;
    for (quint16 id = 1; id <= 99; ++id) {
        CAdrMemberAioFax e;
        e.SetID(id);
        e.SetName(text("Speed dial", id));
        e.SetFaxNumber(text("+49 30 5550", id));
        d.StoreCopy(e);
    }
    for (quint16 id = 1; id <= 6; ++id) {
        CAdrGroupAioFax g;
        g.SetID(id);
        g.SetName(text("Fax group", id));
        for (quint16 m = 1; m <= 99; ++m) g.AddMember(m);
        d.StoreCopy(g);
    }
    for (quint16 id = 1; id <= 20; ++id) {
        CAdrMemberAioEmail e;
        e.SetID(id);
        e.SetName(text("Mail", id));
        e.SetEmailAddress(text("user", id) + "@example.org");
        d.StoreCopy(e);
    }
    for (quint16 id = 1; id <= 10; ++id) {
        CAdrGroupAioEmail g;
        g.SetID(id);
        g.SetName(text("Mail group", id));
        for (quint16 m = 1; m <= 10; ++m) g.AddMember(static_cast<quint16>(m + id - 1));
        d.StoreCopy(g);
    }
    for (quint16 id = 1; id <= 5; ++id) {
        CAdrMemberAioServer s;
        s.SetID(id);
        s.SetName(text("Server", id));
        s.SetHostName(text("host", id));
        s.SetShareName(text("scans", id));
        s.SetFolderPath("/incoming");
        CAdrShareData record;
        record.serverId = id;
        record.shareName = s.GetShareName();
        record.localFolder = text("/srv/scans", id);
        d.StoreServerCopy(s, &record);
    }
    for (quint16 id = 1; id <= 500; ++id) {
        CAdrMemberPcFax m;
        m.SetID(id);
        m.SetName(text("PC fax member", id));
        m.SetFaxNumber(text("+49 40 777", id));
        m.SetCompany(text("Company", id % 37));
        m.SetNote(text("Note", id));
        m.SetUpdatedOn(1700000000 + id);
        d.StoreCopy(m);
    }
    for (quint16 id = 1; id <= 500; ++id) {
        CAdrGroupPcFax g;
        g.SetID(id);
        g.SetName(text("PC fax group", id));
        for (int k = 0; k < 30; ++k) g.AddMember(static_cast<quint16>((id + k * 16) % 500 + 1));
        d.StoreCopy(g);
    }
    d.SubComm() = {"Scanned document", "Please find the scanned document attached."};
    return d;
}

}  // namespace bench
