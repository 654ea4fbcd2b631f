// The folders this PC shares as scan destinations of server entries: creating
// and removing the shares, the scan service user, and the record file that
// remembers them between sessions.
#pragma once

#include "document/scan_user_state.h"
#include "model/adr_data.h"
#include "model/tbl_map.h"

#include <QString>

class DocumentPrompt;
class ShareService;

class CSharedFolder {
public:
    // Messages shown to the user.
    static const QString kMsgShareFailed;
    static const QString kMsgUnshareFailed;
    static const QString kMsgUnshared;
    static const QString kMsgCreateUserFailed;
    static const QString kMsgFileDefect;
    static const QString kMsgRecoverShare;  // %1: share name

    CSharedFolder(ShareService &service, DocumentPrompt &prompt, QString filePath);

    [[nodiscard]] ScanUserState &ScanUser() { return m_scanUser; }
    [[nodiscard]] const ScanUserState &ScanUser() const { return m_scanUser; }
    [[nodiscard]] const QString &FilePath() const { return m_filePath; }

    // The host names this computer, by name or by IPv4 address.
    [[nodiscard]] bool IsThisPc(const QString &host);

    // For a record to be shared (auto share set, not shared yet): creates the
    // scan service user when the record asks for it, shares the folder for the
    // record's account and sets `isShared`. Other records are left alone.
    // False, after a message, when the folder could not be shared.
    bool ShareRecord(CAdrShareData &record);
    // For a shared record (auto share and shared): removes the share and the
    // account's access to the folder, clears `isShared`. Other records are
    // left alone. False, after a message, when the share could not be removed.
    bool UnshareRecord(CAdrShareData &record, bool report);
    // Creates the account named by the scan user state. False after a message.
    bool CreateScanServiceUser();

    // Replaces `records` and the scan user state with the file's content.
    void LoadFile(CAdrArray<CAdrShareData> &records);
    // Writes the scan user state and every record that names a server and a
    // share. False when the file could not be written, or when it exists and
    // was never loaded by this run (its records would be lost); the old file
    // stays.
    bool SaveFile(const CAdrArray<CAdrShareData> &records) const;

    // Numbers the records and links each server of `data` to the first record
    // describing its share, in `table` and in the server's own record.
    static void MatchRecords(CAdrArray<CAdrShareData> &records, CAdrData &data, CTblMap &table);

    // Brings the shares in line with the servers of `data` about to be saved:
    // new records are shared, changed ones shared anew, those of deleted
    // servers unshared unless `table` keeps them. `records` becomes the new
    // list, matched again.
    void UpdateSharesOnSave(CAdrArray<CAdrShareData> &records, CAdrData &data, CTblMap &table);

    // Offers to share again every folder of `data` that is no longer shared.
    void CheckSharesAfterRead(CAdrData &data);

private:
    bool ShareFolder(const QString &shareName, const QString &folder, const QString &account);
    bool EnsureScanUser();
    void ResetScanUser() { m_scanUser = ScanUserState{}; }
    void FileDefect(CAdrArray<CAdrShareData> &records);

    ShareService &m_service;
    DocumentPrompt &m_prompt;
    QString m_filePath;
    ScanUserState m_scanUser;
    bool m_loaded = false;
};
