#include "document/linquara_doc.h"

#include "abiflink.h"
#include "document/document_prompt.h"
#include "document/linquara_doc_last_file.h"
#include "document/linquara_doc_messages.h"
#include "text/editor_text.h"

namespace {

constexpr quint32 kMachineKinds = AdrPartAioFax | AdrPartAioEmail | AdrKindServer;
constexpr quint16 kPartsPcFax = CAdrHistory::kPartPcFax;
constexpr quint16 kPartsEveryKind = CAdrHistory::kAllKinds;
// A machine save whose fax changes were refused in part: the fax part keeps
// the person's changes, still marked.
constexpr quint16 kPartsMachineButFax = CAdrHistory::kPartAioEmail | CAdrHistory::kPartServer;

const QString kPcFaxSuffix = QStringLiteral("qad");

// Reads, writes and backups of the machine carry only its fax part; the
// rest of the data set is the editor's own and stays as it was.
void takeFaxPart(CAdrData &target, const CAdrData &exchanged) {
    target.ClearKind(AdrPartAioFax);
    target.CopyKinds(exchanged, AdrPartAioFax);
}

bool machineWritten(quint16 code) { return code == AdrIoOk || code == AdrIoPartlyWritten; }

// What bringing a book in changes in the machine's fax part.
struct FaxChanges {
    int added = 0;
    int changed = 0;
    int removed = 0;
    [[nodiscard]] bool Any() const { return added + changed + removed > 0; }
};

template <class Entry>
void countChanges(const CAdrData &from, const CAdrData &to, FaxChanges &changes) {
    to.Map<Entry>().ForEach([&](const Entry &entry) {
        const Entry *old = from.Map<Entry>().Lookup(entry.GetID());
        if (!old)
            ++changes.added;
        else if (!entry.IsEqual(old))
            ++changes.changed;
    });
    from.Map<Entry>().ForEach([&](const Entry &entry) {
        if (!to.Map<Entry>().Lookup(entry.GetID())) ++changes.removed;
    });
}

FaxChanges faxChanges(const CAdrData &from, const CAdrData &to) {
    FaxChanges changes;
    countChanges<CAdrMemberAioFax>(from, to, changes);
    countChanges<CAdrGroupAioFax>(from, to, changes);
    return changes;
}

}  // namespace

CLinquaraDoc::CLinquaraDoc(DocumentServices services, QObject *parent)
    : QObject(parent),
      m_prompt(services.prompt),
      m_io(services.prompt, services.languageId),
      m_sharedFolder(services.shares, services.prompt, services.shareFilePath),
      m_procedure(m_settings, m_io, services.prompt, services.dialogs) {
    m_columns.Load();
}

CLinquaraDoc::~CLinquaraDoc() = default;

bool CLinquaraDoc::OnNewDocument(const DocumentStartup &startup) {
    const BusyScope busy(*this);
    Abif_SetHelpFileName(reinterpret_cast<const char16_t *>(startup.helpFile.utf16()));
    QString path = startup.cmdFile.isEmpty() ? ReadLastFileName() : startup.cmdFile;

    m_connection = ConnectProcedure::StartupContext(m_settings, startup.cmdConnection, startup.cmdAddress);
    CAdrData working;
    const ConnectOutcome outcome = m_procedure.StartUp(m_connection, working);
    if (outcome.code == kConnectChoiceCancelled) return false;
    // Later connects report their failures instead of asking for the method.
    m_connection.chosenInDialog = false;
    AdoptConnection(outcome);
    // Attempts that failed before the person went offline may have left a part.
    if (!outcome.online) working.ClearKind(kMachineKinds);

    if (m_io.OpenPcFaxFile(path, working, true) != AdrIoOk) path.clear();
    SetPath(path);
    CommitMachineRead(working, outcome.online, false);
    return true;
}

void CLinquaraDoc::AdoptConnection(const ConnectOutcome &outcome) {
    if (outcome.online) {
        SetFlag(m_machineConnected, true);
        SetFlag(m_deviceAccessed, true);
    } else if (outcome.code != AdrIoCancelled && outcome.code != kConnectSwitchedOff &&
               outcome.code != AdrIoPasswordFailed) {
        // A refused password is no lost connection: the machine answered,
        // and its book stays open for another try.
        SetFlag(m_machineConnected, false);
    }
}

void CLinquaraDoc::CommitMachineRead(CAdrData &working, bool read, bool replacing) {
    if (!m_history.Begin()) return;
    if (read) {
        CAdrArray<CAdrShareData> &records = m_history.GetShareRecords();
        m_sharedFolder.LoadFile(records);
        CSharedFolder::MatchRecords(records, working, *m_history.GetWorkingTable());
        // Before the commit, so that a recovered share is part of the snapshot.
        m_sharedFolder.CheckSharesAfterRead(working);
    }
    m_history.ClearKind(kMachineKinds);
    if (replacing) {
        m_history.BringIn(kPartsEveryKind, CAdrHistory::BringInClearMarks, working);
        m_history.SetReplaceFlags(kPartsEveryKind);
        SetMachineModified(false);
    } else {
        m_history.BringIn(kPartsEveryKind, CAdrHistory::BringInPlain, working);
    }
    CommitStep(true);
}

void CLinquaraDoc::OnCheckForUpdate() {
    const BusyScope busy(*this);
    if (m_machineModified && !Confirm(lqa::ids::MsgRetrieveMachineInfo)) return;
    CAdrData working;
    m_history.CopyCurrent(&working);
    CAdrData read = working;
    const ConnectOutcome outcome = m_procedure.Connect(m_connection, read);
    AdoptConnection(outcome);
    // The connect procedure has told the person what went wrong.
    if (!outcome.online) return;
    takeFaxPart(working, read);
    CommitMachineRead(working, true, true);
}

void CLinquaraDoc::OnNewPcFax() {
    const BusyScope busy(*this);
    if (m_pcFaxModified && !Confirm(lqa::ids::MsgCreateNewPcFaxFile)) return;
    SetPath(QString());
    CommitPcFaxReplaced(CAdrData{});
}

void CLinquaraDoc::OnOpenPcFax() {
    const BusyScope busy(*this);
    if (m_pcFaxModified && !Confirm(lqa::ids::MsgOpenPcFaxFile)) return;
    const QString chosen = m_prompt.chooseFile({FileChoice::Open, PcFaxFileFilter(), kPcFaxSuffix, m_pcFaxPath});
    if (!chosen.isEmpty()) OpenPcFaxAt(chosen);
}

void CLinquaraDoc::OnOpenPcFaxFile(const QString &path) {
    const BusyScope busy(*this);
    if (m_pcFaxModified && !Confirm(lqa::ids::MsgOpenPcFaxFile)) return;
    OpenPcFaxAt(path);
}

void CLinquaraDoc::OpenPcFaxAt(const QString &chosen) {
    CAdrData working;
    m_history.CopyCurrent(&working);
    QString path = chosen;
    const quint16 code = m_io.OpenPcFaxFile(path, working, false);
    if (code != AdrIoOk) {
        if (code != AdrIoCancelled) ShowFailure(lqa::ids::MsgCannotReadFile);
        return;
    }
    SetPath(chosen);
    CommitPcFaxReplaced(working);
}

void CLinquaraDoc::CommitPcFaxReplaced(const CAdrData &working) {
    if (!m_history.Begin()) return;
    m_history.ClearKind(AdrPartPcFax);
    m_history.BringIn(kPartsPcFax, CAdrHistory::BringInClearMarks, working);
    m_history.SetReplaceFlags(kPartsPcFax);
    SetPcFaxModified(false);
    CommitStep(true);
}

quint16 CLinquaraDoc::SavePcFaxAsPart(const CAdrData &working) {
    const QString chosen = m_prompt.chooseFile({FileChoice::Save, PcFaxFileFilter(), kPcFaxSuffix, m_pcFaxPath});
    if (chosen.isEmpty()) return AdrIoCancelled;
    const quint16 code = m_io.WritePcFaxFile(chosen, working);
    if (code == AdrIoOk) SetPath(chosen);
    return code;
}

quint16 CLinquaraDoc::SavePcFaxPart(const CAdrData &working, bool askForFile) {
    quint16 code;
    if (askForFile || m_pcFaxPath.isEmpty())
        code = SavePcFaxAsPart(working);
    else
        code = m_io.UpdatePcFaxFile(m_pcFaxPath, working);
    if (code == AdrIoOk) {
        SetPcFaxModified(false);
    } else if (code != AdrIoCancelled) {
        QString text = lqa::loadText(lqa::ids::MsgCannotWriteFile);
        if (const QString entry = CAdrInputOutput::PcFaxEntryTheFileCannotStore(working); !entry.isEmpty())
            text += u'\n' + lqa::formatText(lqa::ids::MsgEntryNotStorable, {entry});
        m_prompt.message(text, PromptButtons::Ok, PromptIcon::Warning);
    }
    return code;
}

quint16 CLinquaraDoc::SavePcFax(bool askForFile) {
    const BusyScope busy(*this);
    CAdrData working;
    m_history.CopyCurrent(&working);
    const quint16 code = SavePcFaxPart(working, askForFile);
    if (code == AdrIoOk) CommitSaves({true, false, AdrIoOk}, working);
    return code;
}

quint16 CLinquaraDoc::OnSavePcFax() { return SavePcFax(false); }

quint16 CLinquaraDoc::OnSavePcFaxAs() { return SavePcFax(true); }

quint16 CLinquaraDoc::ConnectAndUpdate(CAdrData &working) {
    CAdrData exchanged = working;
    m_io.SetDestinationDevice(m_connection.method, m_connection.deviceName);
    // Without a base the library could not tell changes made at the machine
    // from the person's, so the machine is read instead of overwritten.
    const quint16 code = m_io.HasMachineBase() ? m_io.UpdateMachine(exchanged) : m_io.ReadMachine(exchanged);
    if (!machineWritten(code)) return code;
    SetFlag(m_machineConnected, true);
    SetFlag(m_deviceAccessed, true);
    takeFaxPart(working, exchanged);
    // Refused fax changes are still to be saved.
    if (code == AdrIoOk) SetMachineModified(false);
    return code;
}

quint16 CLinquaraDoc::OnSaveMachine() {
    const BusyScope busy(*this);
    CAdrData working;
    m_history.CopyCurrent(&working);
    const quint16 code = ConnectAndUpdate(working);
    ShowDeviceMessage(code);
    if (machineWritten(code)) CommitSaves({false, true, code}, working);
    return code;
}

void CLinquaraDoc::OnSaveAll() {
    const BusyScope busy(*this);
    CAdrData working;
    m_history.CopyCurrent(&working);
    SaveOutcome outcome;
    outcome.pcFax = SavePcFaxPart(working, false) == AdrIoOk;
    if (MayReachMachine()) {
        outcome.machineCode = ConnectAndUpdate(working);
        outcome.machine = machineWritten(outcome.machineCode);
        ShowDeviceMessage(outcome.machineCode);
    }
    CommitSaves(outcome, working);
}

bool CLinquaraDoc::MayReachMachine() const {
    // Offline, a save must not bring the machine's book into a run that
    // never showed it, nor write over it.
    return m_machineConnected && m_settings.Config().connect == 1;
}

void CLinquaraDoc::CommitSaves(const SaveOutcome &outcome, CAdrData &working) {
    if (!outcome.pcFax && !outcome.machine) return;
    if (!m_history.Begin()) return;
    quint16 parts = outcome.pcFax ? kPartsPcFax : 0;
    if (outcome.machine) {
        m_sharedFolder.UpdateSharesOnSave(m_history.GetShareRecords(), working, *m_history.GetWorkingTable());
        parts |= outcome.machineCode == AdrIoPartlyWritten ? kPartsMachineButFax : kPartsEveryKind;
    }
    m_history.ClearKind(CAdrHistory::KindsOfParts(parts));
    m_history.BringIn(parts, CAdrHistory::BringInClearMarks, working);
    m_history.SetReplaceFlags(parts);
    CommitStep(false);
    if (outcome.machine) m_sharedFolder.SaveFile(m_history.GetShareRecords());
}

void CLinquaraDoc::OnBackup() {
    const BusyScope busy(*this);
    if (m_machineModified && Confirm(lqa::ids::MsgOverwriteMachine)) OnSaveAll();
    CAdrData data;
    m_history.CopyCurrent(&data);
    const quint16 code = m_io.BackupMachineBook(data);
    if (code == AdrIoOk)
        Inform(lqa::ids::MsgBackupCompleted);
    else if (code != AdrIoCancelled)
        ShowFailure(lqa::ids::MsgCannotWriteFile);
}

void CLinquaraDoc::OnRestore() {
    const BusyScope busy(*this);
    // What a restore changes is told against the machine's book as it is
    // now, which only the machine can say.
    if (!MayReachMachine()) return;
    CAdrData restored;
    m_history.CopyCurrent(&restored);
    quint16 code = m_io.RestoreMachineBook(restored);
    if (code != AdrIoOk) {
        if (code != AdrIoCancelled) ShowFailure(lqa::ids::MsgCannotReadFile);
        return;
    }
    CAdrData atMachine;
    AbifContainer base;
    m_io.SetDestinationDevice(m_connection.method, m_connection.deviceName);
    code = m_io.PeekMachine(atMachine, base);
    if (!base) {
        ShowDeviceMessage(code);
        return;
    }
    SetFlag(m_deviceAccessed, true);
    // A backup gives back the fax part only; a machine without fax slots takes none.
    CAdrData backup;
    if (m_io.IsFaxAvailable()) backup.CopyKinds(restored, AdrPartAioFax);
    const FaxChanges changes = faxChanges(atMachine, backup);
    if (!Confirm(lqa::formatText(lqa::ids::MsgConfirmRestore, {QString::number(changes.added),
                                                                 QString::number(changes.changed),
                                                                 QString::number(changes.removed)})))
        return;
    CAdrData working;
    m_history.CopyCurrent(&working);
    if (!m_history.Begin()) return;
    // Against the machine's book the next save writes what differs, the
    // entries lost or gained at the machine since the last read included.
    m_io.AdoptMachineBase(std::move(base));
    backup.MarkDifferences(atMachine);
    takeFaxPart(working, backup);
    CSharedFolder::MatchRecords(m_history.GetShareRecords(), working, *m_history.GetWorkingTable());
    m_history.ClearKind(kMachineKinds);
    m_history.BringIn(kPartsEveryKind, CAdrHistory::BringInPlain, working);
    if (changes.Any()) SetMachineModified(true);
    CommitStep(false);
    Inform(lqa::ids::MsgRestoreCompleted);
}

void CLinquaraDoc::OnUndo() {
    const BusyScope busy(*this);
    if (m_history.Undo()) emit dataReplaced();
}

void CLinquaraDoc::OnRedo() {
    const BusyScope busy(*this);
    if (m_history.Redo()) emit dataReplaced();
}

bool CLinquaraDoc::SaveModified() {
    const BusyScope busy(*this);
    if (!m_pcFaxModified && !m_machineModified) return true;
    switch (m_prompt.message(lqa::loadText(lqa::ids::MsgSaveChanges), PromptButtons::YesNoCancel,
                             PromptIcon::Information)) {
    case PromptAnswer::Yes:
        // Save all names the PC fax file first when it has no name yet.
        OnSaveAll();
        // A PC fax save that failed or was cancelled keeps the window, and
        // the changes, until the person answers No.
        if (m_pcFaxModified) return false;
        return !m_machineModified || ConfirmCloseWithoutMachine();
    case PromptAnswer::No: return true;
    default: return false;
    }
}

// The machine may stay out of reach for good; the person must not be held
// in the program by a book they cannot save.
bool CLinquaraDoc::ConfirmCloseWithoutMachine() {
    // A machine still counted as connected has just said what went wrong.
    return Confirm(m_machineConnected ? lqa::ids::MsgCloseMachineNotSaved : lqa::ids::MsgCloseMachineUnreachable);
}

void CLinquaraDoc::OnCloseDocument() {
    WriteLastFileName(m_pcFaxPath);
    m_columns.Save();
}

bool CLinquaraDoc::IsEnabled(Command command) const {
    switch (command) {
    case Command::CheckForUpdate: return m_connection.method != MethodOffline;
    case Command::Backup:
    case Command::Restore:
    case Command::SaveMachine:
    case Command::NewMachineEntry: return m_machineConnected;
    case Command::Undo: return m_history.CanUndo();
    case Command::Redo: return m_history.CanRedo();
    case Command::NewPcFax:
    case Command::NewPcFaxEntry:
    case Command::OpenPcFax:
    case Command::SaveAll:
    case Command::SavePcFax:
    case Command::SavePcFaxAs: return true;
    }
    return false;
}

void CLinquaraDoc::CommitStep(bool replaced) {
    CAdrData before;
    if (!m_history.Commit(&before)) return;
    if (replaced)
        emit dataReplaced();
    else
        emit dataChanged(before, *m_history.GetCurrent());
}

void CLinquaraDoc::ShowDeviceMessage(quint16 code) {
    const QString text = DeviceMessage(code, m_machineConnected);
    if (!text.isEmpty()) m_prompt.message(text, PromptButtons::Ok, PromptIcon::Warning);
}

void CLinquaraDoc::ShowFailure(int textId) {
    m_prompt.message(lqa::loadText(textId), PromptButtons::Ok, PromptIcon::Warning);
}

void CLinquaraDoc::Inform(int textId) {
    m_prompt.message(lqa::loadText(textId), PromptButtons::Ok, PromptIcon::Information);
}

bool CLinquaraDoc::Confirm(int textId) { return Confirm(lqa::loadText(textId)); }

bool CLinquaraDoc::Confirm(const QString &text) {
    return m_prompt.message(text, PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::Yes;
}

void CLinquaraDoc::SetFlag(bool &flag, bool value) {
    if (flag == value) return;
    flag = value;
    emit flagsChanged();
}

void CLinquaraDoc::SetPath(const QString &path) {
    if (m_pcFaxPath == path) return;
    m_pcFaxPath = path;
    emit flagsChanged();
}
