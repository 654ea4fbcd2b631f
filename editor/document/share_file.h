// The enciphered file "Data.dat" that keeps the scan user state and the
// shared-folder records between sessions.
#pragma once

#include "document/scan_user_state.h"
#include "model/adr_map.h"
#include "model/adr_share_data.h"

#include <QString>

class CShareFile {
public:
    static constexpr char kVersion[] = "Ver1.0.0";

    enum class ReadResult {
        Read,
        Missing,
        OtherVersion,  // written by another version: of no use to this one
        Defect,        // short or malformed
    };

    // In the user's data folder.
    [[nodiscard]] static QString DefaultPath();

    // Fills `state` and `records` only when the whole file could be read.
    static ReadResult Read(const QString &path, ScanUserState *state, CAdrArray<CAdrShareData> *records);
    // Replaces the file in one step, readable by the user alone. Records
    // without a server or a share name are left out, and the header counts
    // only the records written.
    static bool Write(const QString &path, const ScanUserState &state, const CAdrArray<CAdrShareData> &records);

    // Whether a record is worth keeping in the file.
    [[nodiscard]] static bool IsWritten(const CAdrShareData &record) {
        return record.serverId != 0 && !record.shareName.isEmpty();
    }
};
