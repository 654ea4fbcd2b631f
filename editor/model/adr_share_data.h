// The record of a folder this PC shares for a server entry.
#pragma once

#include "model/adr_types.h"

#include <QString>

// A plain record: no field constrains another.
class CAdrShareData {
public:
    // Mode 2 leaves out the record and server numbers, which only say where
    // the record sits, not what is shared.
    static constexpr int kCompareContentOnly = 2;

    void CopyFrom(const CAdrShareData *source);
    [[nodiscard]] bool IsEqual(const CAdrShareData *other, int mode = 0) const;
    friend bool operator==(const CAdrShareData &a, const CAdrShareData &b) { return a.IsEqual(&b); }

    quint8 isShared = 0;
    quint8 autoShare = 0;
    quint32 createScanUser = 0;
    QString hostName;
    QString shareName;
    QString localFolder;
    QString serverPath;
    QString loginName;
    QString loginPassword;
    quint16 recordId = 0;
    quint16 serverId = 0;
};

// Shared-folder records are keyed by the server entry they belong to.
[[nodiscard]] inline quint16 AdrKeyOf(const CAdrShareData &record) { return record.serverId; }
