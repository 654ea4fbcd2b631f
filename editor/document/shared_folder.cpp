#include "document/shared_folder.h"

#include "document/document_prompt.h"
#include "document/share_file.h"
#include "document/share_service.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <utility>

const QString CSharedFolder::kMsgShareFailed = QStringLiteral("Unable to share the folder.");
const QString CSharedFolder::kMsgUnshareFailed = QStringLiteral("Unable to disable folder sharing.");
const QString CSharedFolder::kMsgUnshared = QStringLiteral("The folder sharing has been disabled.");
const QString CSharedFolder::kMsgCreateUserFailed = QStringLiteral("Unable to create the Scan Service User.");
const QString CSharedFolder::kMsgFileDefect =
    QStringLiteral("Update New file. SMB Quick Setting file has defect.  \n Browse for Help about this constraint.");
const QString CSharedFolder::kMsgRecoverShare =
    QStringLiteral("%1 was automatically shared by Quick Setting Wizard, but it is not shared at this moment. "
                   "Do you want to recover the folder sharing?");

namespace {

const QString kShareRemark = QStringLiteral("Sharing for the scanner to save the scanned images to PC");
const QString kScanUserComment = QStringLiteral("Account for the scanner to save the scanned images to PC");
const QString kAdministrator = QStringLiteral("Administrator");

bool sameText(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool isPendingShare(const CAdrShareData &r) { return r.autoShare && !r.isShared; }
bool isManagedShare(const CAdrShareData &r) { return r.autoShare && r.isShared; }

// The server's record when it describes a share; null otherwise.
const CAdrShareData *shareOfServer(const CAdrData &data, quint16 serverId) {
    if (!data.Map<CAdrMemberAioServer>().Lookup(serverId)) return nullptr;
    const CAdrShareData *record = data.ShareData().Lookup(serverId);
    return record && record->serverId != 0 ? record : nullptr;
}

void storeServerWith(CAdrData &data, quint16 serverId, const CAdrShareData *record) {
    data.StoreServerCopy(*data.Map<CAdrMemberAioServer>().Lookup(serverId), record);
}

}  // namespace

CSharedFolder::CSharedFolder(ShareService &service, DocumentPrompt &prompt, QString filePath)
    : m_service(service), m_prompt(prompt), m_filePath(std::move(filePath)) {}

bool CSharedFolder::IsThisPc(const QString &host) {
    if (host.isEmpty()) return false;
    if (sameText(host, m_service.computerName())) return true;
    const QString address = m_service.firstIpv4Address();
    return !address.isEmpty() && sameText(host, address);
}

bool CSharedFolder::CreateScanServiceUser() {
    if (m_scanUser.name.isEmpty() ||
        !m_service.createScanUser(m_scanUser.name, m_scanUser.password, kScanUserComment)) {
        m_prompt.message(kMsgCreateUserFailed, PromptButtons::Ok, PromptIcon::Warning);
        return false;
    }
    return true;
}

bool CSharedFolder::ShareRecord(CAdrShareData &record) {
    if (!isPendingShare(record)) return true;
    if (record.createScanUser && !m_scanUser.created) {
        // Sharing for an account that could not be made would only fail again.
        if (!CreateScanServiceUser()) return false;
        m_scanUser.created = 1;
    }
    if (!ShareFolder(record.shareName, record.localFolder, record.loginName)) return false;
    record.isShared = 1;
    return true;
}

bool CSharedFolder::ShareFolder(const QString &shareName, const QString &folder, const QString &account) {
    QList<ShareEntry> shares;
    if (m_service.listShares(&shares) == ShareListResult::AccessDenied) {
        m_prompt.message(kMsgShareFailed, PromptButtons::Ok, PromptIcon::Warning);
        return false;
    }
    const bool nameTaken =
        std::any_of(shares.cbegin(), shares.cend(), [&](const ShareEntry &s) { return sameText(s.name, shareName); });
    if (nameTaken) return true;

    bool shared = m_service.accountExists(account) && m_service.addShare(shareName, folder, kShareRemark, account);
    if (shared && !m_service.grantFolderAccess(folder, account)) {
        // A share the account cannot write to is of no use to the scanner,
        // and one left behind would not be known to the records.
        m_service.deleteShare(shareName);
        shared = false;
    }
    if (!shared) m_prompt.message(kMsgShareFailed, PromptButtons::Ok, PromptIcon::Warning);
    return shared;
}

bool CSharedFolder::UnshareRecord(CAdrShareData &record, bool report) {
    if (!isManagedShare(record)) return true;
    if (IsThisPc(record.hostName)) {
        QList<ShareEntry> shares;
        m_service.listShares(&shares);
        const bool exists = std::any_of(shares.cbegin(), shares.cend(),
                                        [&](const ShareEntry &s) { return sameText(s.name, record.shareName); });
        if (exists && !m_service.deleteShare(record.shareName)) {
            m_prompt.message(kMsgUnshareFailed, PromptButtons::Ok, PromptIcon::Warning);
            return false;
        }
    }
    // The user's own access and the administrator's were not ours to give.
    const QString &login = record.loginName;
    if (!login.isEmpty() && !sameText(login, m_service.currentUser()) && !sameText(login, kAdministrator)) {
        m_service.revokeFolderAccess(record.localFolder, login);
    }
    record.isShared = 0;
    if (report) m_prompt.message(kMsgUnshared, PromptButtons::Ok, PromptIcon::Information);
    return true;
}

void CSharedFolder::MatchRecords(CAdrArray<CAdrShareData> &records, CAdrData &data, CTblMap &table) {
    quint16 next = 1;
    for (CAdrShareData &r : records) r.recordId = next++;
    for (quint16 id = 1; id <= CAdrMemberAioServer::kMaxId; ++id) {
        const CAdrMemberAioServer *server = data.Map<CAdrMemberAioServer>().Lookup(id);
        if (!server) continue;
        const auto match = std::find_if(records.cbegin(), records.cend(), [&](const CAdrShareData &r) {
            return r.serverId == id && r.shareName == server->GetShareName() &&
                   r.serverPath == server->GetFolderPath() && r.loginName == server->GetLoginName() &&
                   r.loginPassword == server->GetLoginPassword();
        });
        const CAdrShareData *record = match != records.cend() ? &*match : nullptr;
        table.SetAt(id, record ? record->recordId : 0);
        storeServerWith(data, id, record);
    }
}

void CSharedFolder::UpdateSharesOnSave(CAdrArray<CAdrShareData> &records, CAdrData &data, CTblMap &table) {
    CAdrArray<CAdrShareData> list = records;
    for (quint16 id = 1; id <= CAdrMemberAioServer::kMaxId; ++id) {
        const quint16 recordId = table.Lookup(id);
        auto r = recordId == 0 ? list.end()
                               : std::find_if(list.begin(), list.end(),
                                              [&](const CAdrShareData &x) { return x.recordId == recordId; });
        const CAdrShareData *inData = shareOfServer(data, id);

        if (r != list.end() && inData) {
            if (inData->IsEqual(&*r, CAdrShareData::kCompareContentOnly)) continue;
            CAdrShareData s = *inData;
            // Whatever S carried over, its folder is not shared by us until
            // shared below.
            s.isShared = 0;
            if (UnshareRecord(*r, false) && ShareRecord(s)) {
                storeServerWith(data, id, &s);
                *r = s;
            } else if (r->serverId != s.serverId) {
                r->serverId = s.serverId;
            }
        } else if (r != list.end()) {
            if (table.IsKeptRecord(r->recordId)) {
                r->autoShare = 0;
            } else if (UnshareRecord(*r, false)) {
                list.erase(r);
            }
        } else if (inData) {
            CAdrShareData s = *inData;
            if (ShareRecord(s)) {
                storeServerWith(data, id, &s);
                list.push_back(s);
            }
        }
    }
    if (m_scanUser.name.isEmpty() || !m_service.accountExists(m_scanUser.name)) ResetScanUser();
    // Matching numbers the records by position. A gone server keeps its
    // number only for a share that is still to be removed, renumbered with
    // it; any other number would come to name another record.
    for (quint16 id = 1; id <= CAdrMemberAioServer::kMaxId; ++id) {
        if (data.Map<CAdrMemberAioServer>().Lookup(id)) continue;
        const quint16 recordId = table.Lookup(id);
        const auto left = std::find_if(list.cbegin(), list.cend(), [&](const CAdrShareData &x) {
            return recordId != 0 && x.recordId == recordId && isManagedShare(x);
        });
        table.SetAt(id, left == list.cend() ? 0 : static_cast<quint16>(left - list.cbegin() + 1));
    }
    records = std::move(list);
    MatchRecords(records, data, table);
}

void CSharedFolder::CheckSharesAfterRead(CAdrData &data) {
    for (quint16 id = 1; id <= CAdrMemberAioServer::kMaxId; ++id) {
        const CAdrShareData *inData = shareOfServer(data, id);
        if (!inData) continue;
        QList<ShareEntry> shares;
        // Without the full list a missing share cannot be told from an unseen one.
        if (m_service.listShares(&shares) != ShareListResult::Ok) return;
        const QString folder = QDir::cleanPath(inData->localFolder);
        const bool shared = std::any_of(shares.cbegin(), shares.cend(),
                                        [&](const ShareEntry &s) { return QDir::cleanPath(s.path) == folder; });
        if (shared) continue;
        if (m_prompt.message(kMsgRecoverShare.arg(inData->shareName), PromptButtons::YesNo, PromptIcon::Question) !=
            PromptAnswer::Yes) {
            continue;
        }
        if (!EnsureScanUser()) continue;
        CAdrShareData record = *inData;
        if (ShareFolder(record.shareName, record.localFolder, m_scanUser.name)) {
            record.isShared = 1;
            storeServerWith(data, id, &record);
        }
    }
}

bool CSharedFolder::EnsureScanUser() {
    if (!m_scanUser.created || m_service.accountExists(m_scanUser.name)) return true;
    return CreateScanServiceUser();
}
void CSharedFolder::LoadFile(CAdrArray<CAdrShareData> &records) {
    m_loaded = true;
    records.clear();
    ScanUserState state;
    CAdrArray<CAdrShareData> read;
    switch (CShareFile::Read(m_filePath, &state, &read)) {
    case CShareFile::ReadResult::Missing: return;
    case CShareFile::ReadResult::OtherVersion: QFile::remove(m_filePath); return;
    case CShareFile::ReadResult::Defect: FileDefect(records); return;
    case CShareFile::ReadResult::Read: break;
    }
    m_scanUser = state;
    for (CAdrShareData &r : read) r.recordId = 0;
    records = std::move(read);
}

void CSharedFolder::FileDefect(CAdrArray<CAdrShareData> &records) {
    m_prompt.message(kMsgFileDefect, PromptButtons::Ok, PromptIcon::Warning);
    ResetScanUser();
    records.clear();
    QFile::remove(m_filePath);
}

bool CSharedFolder::SaveFile(const CAdrArray<CAdrShareData> &records) const {
    // A run that never read the file holds none of its records.
    if (!m_loaded && QFileInfo::exists(m_filePath)) return false;
    return CShareFile::Write(m_filePath, m_scanUser, records);
}

