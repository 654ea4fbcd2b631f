// The editor's only caller of the library: converts the data set to and from
// library records, runs one library operation per call, and keeps the PC fax
// file and the machine data as last read or written, the base the library
// compares against to notice changes made by someone else.
#pragma once

#include "document/adr_io_result.h"
#include "model/adr_data.h"

#include <QString>

#include <memory>

struct CAbifData;
class DocumentPrompt;
class ExportSourceChooser;

// The book the records of an import went to.
enum ImportedKind : qint32 {
    ImportedNothing = -1,
    ImportedPcFax = 0,
    ImportedAioFax = 1,
};

// Frees a library container.
struct AbifContainerDeleter {
    void operator()(CAbifData *container) const;
};
using AbifContainer = std::unique_ptr<CAbifData, AbifContainerDeleter>;

class CAdrInputOutput {
public:
    // Sets the library's language to the program's.
    explicit CAdrInputOutput(DocumentPrompt &prompt, qint32 languageId = 1033);
    virtual ~CAdrInputOutput();
    CAdrInputOutput(const CAdrInputOutput &) = delete;
    CAdrInputOutput &operator=(const CAdrInputOutput &) = delete;

    // `connectionType` 0 opens the machine by model name, 1 the given device.
    qint32 SetDestinationDevice(qint32 connectionType, const QString &deviceName);

    // The results below are AdrIoResult codes.
    quint16 ReadPcFaxFile(const QString &path, CAdrData &target);
    // `path` empty opens (or first creates) the default file. With fallback a
    // failed file gives way to the default one; `path` then names what was
    // opened, or is empty when nothing could be.
    quint16 OpenPcFaxFile(QString &path, CAdrData &target, bool fallback);
    // Makes sure the default file exists and can be read: `path` names it
    // and the result is true, else `path` is empty.
    bool EnsurePcFaxFile(QString &path);
    quint16 WritePcFaxFile(const QString &path, const CAdrData &source);
    // Writes over the file unless it changed since it was last read or
    // written here and the person declines.
    quint16 UpdatePcFaxFile(const QString &path, const CAdrData &source);

    quint16 ReadMachine(CAdrData &target);
    // Reads the machine's book as it is now without making it the base of
    // later updates: `read` receives it (after a completed read) for
    // AdoptMachineBase, so that a comparison the person declines leaves the
    // base, and the warning about changes made at the machine, as they were.
    quint16 PeekMachine(CAdrData &target, AbifContainer &read);
    void AdoptMachineBase(AbifContainer read);
    quint16 UpdateMachine(CAdrData &data);
    quint16 BackupMachineBook(const CAdrData &data);
    quint16 RestoreMachineBook(CAdrData &data);

    // Runs the import wizard and adds what it delivers to `target` as new
    // entries: PC fax members with the first free IDs, machine entries with
    // IDs in `machineMode`. The wizard offers the machine's fax book only
    // while `machineOpen`, and never more records of a book than its free
    // count. `importedKind` names the book the records went to.
    quint16 Import(CAdrData &target, bool machineOpen, AdrIdMode machineMode, int freePcFax, int freeFax,
                   ImportedKind &importedKind);
    // Asks which book to export and where, then writes it as a CSV file.
    quint16 Export(const CAdrData &data, bool machineOpen, ExportSourceChooser &chooser);

    // The machine's fax part can be shown and saved: false while the last
    // read said the machine has no fax slots.
    [[nodiscard]] bool IsFaxAvailable() const { return m_faxAvailable != 0; }
    [[nodiscard]] bool IsSecondPartAvailable() const { return m_secondAvailable != 0; }
    // The machine was read or written: later updates have a base to compare with.
    [[nodiscard]] bool HasMachineBase() const { return m_machineContainer != nullptr; }

    // The default PC fax file in the user's documents folder.
    [[nodiscard]] static QString DefaultPcFaxPath();
    // The name of the first PC fax member or group of `data` holding a unit
    // the file uses as a marker (0x0003 or 0x0004), which no save can write;
    // empty when there is none.
    [[nodiscard]] static QString PcFaxEntryTheFileCannotStore(const CAdrData &data);

private:
    // Asks for the password until the machine accepts one or the person gives up.
    quint16 Certify();
    // Fax members then fax groups of `container`, when the machine has fax slots.
    quint16 TakeMachineFax(CAbifData *container, CAdrData &data);

    DocumentPrompt &m_prompt;
    AbifContainer m_pcFaxContainer;
    AbifContainer m_machineContainer;
    char16_t m_deviceName[261] = {};
    char16_t m_password[261] = {};
    qint32 m_faxAvailable = 1;
    qint32 m_secondAvailable = 1;
};
