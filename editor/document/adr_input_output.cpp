#include "document/adr_input_output.h"

#include "abiflink.h"
#include "document/document_prompt.h"
#include "document/export_source_chooser.h"
#include "document/record_conversion.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

namespace {

constexpr qint32 kStatusFlags = 0;
constexpr qint32 kReadFlags = 0x8;
constexpr qint32 kUpdateFlags = 0x28;  // ask before overwriting changes made at the machine
constexpr qint32 kCertifyFlags = 0x1F;
constexpr qint32 kGadAskOverwrite = 0x20;
constexpr qint32 kBackupFlags = 0x17;
// The machine's email addresses are not offered: this model stores none of
// them, so imported ones would vanish at the next save.
constexpr qint32 kImportMachineAndPcFax = ABIF_IMPORT_TO_PC_FAX | ABIF_IMPORT_TO_FAX;
constexpr qint32 kImportPcFaxOnly = ABIF_IMPORT_TO_PC_FAX;

constexpr quint32 kStatusFirst = 0x21000000;
constexpr quint32 kStatusLast = 0x21FFFFFF;
constexpr qint32 kPasswordWanted = 0x20000003;
constexpr qint32 kCancelled = 0x20000004;
constexpr qint32 kPartlyWritten = 0x20000012;
constexpr qint32 kNoFaxSlots = 0x20000015;
constexpr qint32 kNoSecondPart = 0x20000016;

// Clearing these before taking the machine's records leaves no entry of a
// kind the machine no longer holds.
constexpr quint32 kReadClears = AdrKindAioFax | AdrKindAioEmail | AdrKindAioFaxGroup;
constexpr quint32 kReplaceClears =
    AdrKindAioFax | AdrKindAioEmail | AdrKindServer | AdrKindAioFaxGroup | AdrKindAioEmailGroup;

const QString kBackupFilter = QStringLiteral("Backup File for QV MF(*.qbk)|*.qbk|All Files (*.*)|*.*||");

const char16_t *text16(const QString &text) { return reinterpret_cast<const char16_t *>(text.utf16()); }

AbifContainer newContainer() { return AbifContainer(ABIFData_Create()); }

quint16 addPcFax(CAbifData *container, const CAdrData &data) {
    if (const quint16 code = AddEntries<CAdrMemberPcFax>(container, data)) return code;
    return AddEntries<CAdrGroupPcFax>(container, data);
}

quint16 takePcFax(CAbifData *container, CAdrData &data) {
    if (const quint16 code = TakeRecords<CAdrMemberPcFax>(container, data)) return code;
    return TakeRecords<CAdrGroupPcFax>(container, data);
}

// The entries an export source writes and the library's export type for them.
struct ExportKind {
    quint16 (*add)(CAbifData *, const CAdrData &);
    qint32 type;
};

std::optional<ExportKind> exportKindOf(qint32 source) {
    switch (source) {
    case ExportSourcePcFax: return ExportKind{&AddEntries<CAdrMemberPcFax>, ABIF_EXPORT_MYFAX};
    case ExportSourceAioFax: return ExportKind{&AddEntries<CAdrMemberAioFax>, ABIF_EXPORT_FAX};
    default: return std::nullopt;
    }
}

// A machine fax group the machine would refuse: one without any member.
bool hasEmptyFaxGroup(const CAdrData &data) {
    bool empty = false;
    data.Map<CAdrGroupAioFax>().ForEach([&](const CAdrGroupAioFax &group) {
        if (group.CountMembers() == 0) empty = true;
    });
    return empty;
}

}  // namespace

void AbifContainerDeleter::operator()(CAbifData *container) const { ABIFData_Delete(container); }

CAdrInputOutput::CAdrInputOutput(DocumentPrompt &prompt, qint32 languageId) : m_prompt(prompt) {
    Abif_Initialize(languageId);
}

CAdrInputOutput::~CAdrInputOutput() = default;

qint32 CAdrInputOutput::SetDestinationDevice(qint32 connectionType, const QString &deviceName) {
    return AbifDevice_SetDestinationDevice(m_deviceName, connectionType, text16(deviceName));
}

QString CAdrInputOutput::DefaultPcFaxPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder + QLatin1Char('/') + QStringLiteral("default") + QStringLiteral(".") + QStringLiteral("qad");
}

QString CAdrInputOutput::PcFaxEntryTheFileCannotStore(const CAdrData &data) {
    const auto unstorable = [](const QStringList &texts) {
        return std::any_of(texts.cbegin(), texts.cend(),
                           [](const QString &text) { return text.contains(u'\u0003') || text.contains(u'\u0004'); });
    };
    QString found;
    data.Map<CAdrMemberPcFax>().ForEach([&](const CAdrMemberPcFax &member) {
        if (found.isEmpty() &&
            unstorable({member.GetName(), member.GetFaxNumber(), member.GetCompany(), member.GetNote()}))
            found = member.GetName();
    });
    data.Map<CAdrGroupPcFax>().ForEach([&](const CAdrGroupPcFax &group) {
        if (found.isEmpty() && unstorable({group.GetName()})) found = group.GetName();
    });
    return found;
}

quint16 CAdrInputOutput::ReadPcFaxFile(const QString &path, CAdrData &target) {
    target.ClearKind(AdrKindPcFax | AdrKindPcFaxGroup);
    AbifContainer container = newContainer();
    if (!container) return AdrIoReadFailed;
    if (const qint32 read = AbifGADFile_Read(text16(path), container.get(), 0))
        return AdrIoResultOf(read, AdrIoReadFailed);
    if (const quint16 code = takePcFax(container.get(), target)) return code;
    m_pcFaxContainer = std::move(container);
    return AdrIoOk;
}

bool CAdrInputOutput::EnsurePcFaxFile(QString &path) {
    path.clear();
    const QString file = DefaultPcFaxPath();
    AbifContainer scratch = newContainer();
    if (!scratch) return false;
    qint32 result;
    if (QFileInfo::exists(file)) {
        result = AbifGADFile_Read(text16(file), scratch.get(), 0);
    } else {
        // A first start on a fresh account may not have the folder yet.
        QDir().mkpath(QFileInfo(file).absolutePath());
        result = AbifGADFile_Write(text16(file), scratch.get(), 0);
    }
    if (result != ABIF_OK) return false;
    path = file;
    return true;
}

quint16 CAdrInputOutput::OpenPcFaxFile(QString &path, CAdrData &target, bool fallback) {
    if (path.isEmpty() && !EnsurePcFaxFile(path)) return AdrIoOk;
    const quint16 code = ReadPcFaxFile(path, target);
    if (code == AdrIoOk) return AdrIoOk;
    if (!fallback) return code;
    const QString failed = path;
    if (failed == DefaultPcFaxPath() && !EnsurePcFaxFile(path)) return AdrIoOk;
    path = DefaultPcFaxPath();
    if (ReadPcFaxFile(path, target) != AdrIoOk) path.clear();
    return AdrIoOk;
}

quint16 CAdrInputOutput::WritePcFaxFile(const QString &path, const CAdrData &source) {
    AbifContainer container = newContainer();
    if (!container) return AdrIoWriteFailed;
    if (const quint16 code = addPcFax(container.get(), source)) return code;
    if (const qint32 written = AbifGADFile_Write(text16(path), container.get(), 0))
        return AdrIoResultOf(written, AdrIoWriteFailed);
    m_pcFaxContainer = std::move(container);
    return AdrIoOk;
}

quint16 CAdrInputOutput::UpdatePcFaxFile(const QString &path, const CAdrData &source) {
    AbifContainer edited = newContainer();
    AbifContainer result = newContainer();
    // Without a kept base every existing content counts as someone else's
    // change, so the person is asked before it is overwritten.
    AbifContainer emptyBase = m_pcFaxContainer ? nullptr : newContainer();
    CAbifData *base = m_pcFaxContainer ? m_pcFaxContainer.get() : emptyBase.get();
    if (!edited || !result || !base) return AdrIoWriteFailed;
    if (const quint16 code = addPcFax(edited.get(), source)) return code;
    if (const qint32 updated = AbifGADFile_Update(text16(path), base, edited.get(), result.get(), kGadAskOverwrite))
        return AdrIoResultOf(updated, AdrIoWriteFailed);
    m_pcFaxContainer = std::move(result);
    return AdrIoOk;
}

quint16 CAdrInputOutput::Certify() {
    return AdrIoResultOf(AbifDevice_CertificationPassword(m_deviceName, kCertifyFlags, m_password),
                         AdrIoPasswordFailed);
}

quint16 CAdrInputOutput::TakeMachineFax(CAbifData *container, CAdrData &data) {
    if (!IsFaxAvailable()) return AdrIoOk;
    if (const quint16 code = TakeRecords<CAdrMemberAioFax>(container, data)) return code;
    return TakeRecords<CAdrGroupAioFax>(container, data);
}

quint16 CAdrInputOutput::ReadMachine(CAdrData &target) {
    AbifContainer read;
    const quint16 code = PeekMachine(target, read);
    if (read) m_machineContainer = std::move(read);
    return code;
}

quint16 CAdrInputOutput::PeekMachine(CAdrData &target, AbifContainer &read) {
    const quint32 status = static_cast<quint32>(AbifDevice_GetStatus(m_deviceName, kStatusFlags));
    if (status < kStatusFirst || status > kStatusLast)
        return AdrIoResultOf(static_cast<qint32>(status), AdrIoStatusFailed);

    AbifContainer container = newContainer();
    if (!container) return AdrIoReadFailed;
    qint32 result = AbifDevice_ReadData(m_deviceName, container.get(), kReadFlags, m_password);
    while (result == kPasswordWanted) {
        if (const quint16 code = Certify()) return code;
        result = AbifDevice_ReadData(m_deviceName, container.get(), kReadFlags, m_password);
    }
    if (result != ABIF_OK && result != kNoFaxSlots && result != kNoSecondPart)
        return AdrIoResultOf(result, AdrIoReadFailed);
    // Each read says what the machine holds now: one without fax slots
    // must not hide the fax part of a later, healthy machine.
    m_faxAvailable = result == kNoFaxSlots ? 0 : 1;
    m_secondAvailable = result == kNoSecondPart ? 0 : 1;

    target.ClearKind(kReadClears);
    if (const quint16 code = TakeMachineFax(container.get(), target)) return code;
    read = std::move(container);
    return AdrIoResultOf(result, AdrIoReadFailed);
}

quint16 CAdrInputOutput::UpdateMachine(CAdrData &data) {
    if (hasEmptyFaxGroup(data)) return AdrIoEmptyFaxGroup;

    AbifContainer changed = newContainer();
    if (!changed) return AdrIoWriteFailed;
    for (auto add : {&AddEntries<CAdrMemberAioFax>, &AddEntries<CAdrGroupAioFax>, &AddEntries<CAdrMemberAioEmail>,
                     &AddEntries<CAdrGroupAioEmail>, &AddEntries<CAdrMemberAioServer>, &AddSubComm})
        if (const quint16 code = add(changed.get(), data)) return code;

    AbifContainer result = newContainer();
    if (!result) return AdrIoWriteFailed;
    qint32 updated;
    for (;;) {
        updated = AbifDevice_UpdateData(m_deviceName, m_machineContainer.get(), changed.get(), result.get(),
                                        kUpdateFlags, m_password);
        if (updated != kPasswordWanted) break;
        if (const quint16 code = Certify()) return code;
    }
    if (updated != ABIF_OK && updated != kPartlyWritten) return AdrIoResultOf(updated, AdrIoWriteFailed);

    m_machineContainer = std::move(result);
    data.ClearKind(kReplaceClears);
    if (const quint16 code = TakeMachineFax(m_machineContainer.get(), data)) return code;
    return updated == kPartlyWritten ? AdrIoPartlyWritten : AdrIoOk;
}

void CAdrInputOutput::AdoptMachineBase(AbifContainer read) {
    if (read) m_machineContainer = std::move(read);
}

quint16 CAdrInputOutput::BackupMachineBook(const CAdrData &data) {
    const QString path = m_prompt.chooseFile({FileChoice::Save, kBackupFilter, QStringLiteral("qbk"), {}});
    if (path.isEmpty()) return AdrIoCancelled;
    AbifContainer container = newContainer();
    if (!container) return AdrIoWriteFailed;
    for (auto add : {&AddEntries<CAdrMemberAioFax>, &AddEntries<CAdrGroupAioFax>, &AddEntries<CAdrMemberAioEmail>,
                     &AddEntries<CAdrMemberAioServer>})
        if (const quint16 code = add(container.get(), data)) return code;
    const qint32 saved = Abif_PabBackup(text16(path), container.get(), kBackupFlags);
    if (saved == kCancelled) return AdrIoCancelled;
    return saved == ABIF_OK ? AdrIoOk : AdrIoWriteFailed;
}

quint16 CAdrInputOutput::RestoreMachineBook(CAdrData &data) {
    const QString path = m_prompt.chooseFile({FileChoice::Open, kBackupFilter, QStringLiteral("qbk"), {}});
    if (path.isEmpty()) return AdrIoCancelled;
    AbifContainer container = newContainer();
    if (!container) return AdrIoReadFailed;
    const qint32 restored = Abif_PabRestore(text16(path), container.get(), kBackupFlags);
    if (restored == kCancelled) return AdrIoCancelled;
    if (restored != ABIF_OK) return AdrIoReadFailed;
    data.ClearKind(kReplaceClears);
    return TakeMachineFax(container.get(), data);
}

quint16 CAdrInputOutput::Import(CAdrData &target, bool machineOpen, AdrIdMode machineMode, int freePcFax,
                                int freeFax, ImportedKind &importedKind) {
    importedKind = ImportedNothing;
    AbifContainer container = newContainer();
    if (!container) return AdrIoImportFailed;
    ABIFData_SetLimit_MyFax(container.get(), freePcFax);
    ABIFData_SetLimit_Fax(container.get(), freeFax);
    ABIFData_SetLimit_EMail(container.get(), 0);
    const qint32 imported = Abif_Import(ABIF_IMPORT_CSV, u"", machineOpen ? kImportMachineAndPcFax : kImportPcFaxOnly,
                                        container.get(), ABIF_IMPORT_HIGHLIGHT_ALL);
    if (imported == kCancelled) return AdrIoCancelled;
    if (imported != ABIF_OK) return AdrIoImportFailed;

    if (ABIFData_GetCount_MyFax(container.get()) > 0) {
        if (const quint16 code = TakeRecordsAsNew<CAdrMemberPcFax>(container.get(), target, AdrIdFirstGap))
            return code;
        importedKind = ImportedPcFax;
    }
    if (ABIFData_GetCount_Fax(container.get()) > 0) {
        if (const quint16 code = TakeRecordsAsNew<CAdrMemberAioFax>(container.get(), target, machineMode)) return code;
        importedKind = ImportedAioFax;
    }
    return AdrIoOk;
}

quint16 CAdrInputOutput::Export(const CAdrData &data, bool machineOpen, ExportSourceChooser &chooser) {
    const std::optional<ExportChoice> choice = chooser.ChooseExportSource(machineOpen);
    if (!choice) return AdrIoCancelled;
    const std::optional<ExportKind> kind = exportKindOf(choice->source);
    if (!kind) return AdrIoExportFailed;
    AbifContainer container = newContainer();
    if (!container) return AdrIoExportFailed;
    if (const quint16 code = kind->add(container.get(), data)) return code;
    return Abif_Export(text16(choice->fileName), kind->type, container.get(), 0) == ABIF_OK ? AdrIoOk
                                                                                            : AdrIoExportFailed;
}
