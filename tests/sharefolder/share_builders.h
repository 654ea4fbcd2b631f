// Small server entries and shared-folder records for the shared-folder tests.
#pragma once

#include "model/adr_data.h"

inline CAdrShareData shareRecord(quint16 serverId, const QString &shareName, const QString &login = "scan") {
    CAdrShareData r;
    r.serverId = serverId;
    r.autoShare = 1;
    r.hostName = "OFFICE-PC";
    r.shareName = shareName;
    r.serverPath = shareName;
    r.localFolder = "/home/alice/" + shareName;
    r.loginName = login;
    r.loginPassword = "pw";
    return r;
}

// The server entry a record was made for.
inline CAdrMemberAioServer serverFor(const CAdrShareData &r) {
    CAdrMemberAioServer s;
    s.SetID(r.serverId);
    s.SetName("Server " + QString::number(r.serverId));
    s.SetHostName(r.hostName);
    s.SetShareName(r.shareName);
    s.SetFolderPath(r.serverPath);
    s.SetLoginName(r.loginName);
    s.SetLoginPassword(r.loginPassword);
    return s;
}
