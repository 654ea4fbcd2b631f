// The editor's single document: both address books in one history of
// snapshots, the bridge to the library, the open PC fax file, the two
// "modified" flags and the connection to the machine. Every command works on
// a copy of the current snapshot and changes the history only on success.
// Views follow the document through its signals; it shows nothing itself
// except through the prompt interface.
#pragma once

#include "connection/connect_procedure.h"
#include "connection/connection_context.h"
#include "connection/connection_settings.h"
#include "document/adr_input_output.h"
#include "document/linquara_doc_columns.h"
#include "document/share_file.h"
#include "document/shared_folder.h"
#include "model/adr_history.h"

#include <QList>
#include <QObject>
#include <QString>

class ConnectionDialogs;
class DocumentPrompt;
class EntryEditor;
class ExportSourceChooser;
class ShareService;

// What the document needs from the program around it.
struct DocumentServices {
    DocumentPrompt &prompt;
    ConnectionDialogs &dialogs;
    ShareService &shares;
    QString shareFilePath = CShareFile::DefaultPath();
    qint32 languageId = 1033;
};

// What the command line and the program say at start-up.
struct DocumentStartup {
    qint32 cmdConnection = MethodNotChosen;  // a method named on the command line wins
    QString cmdAddress;
    QString cmdFile;   // a PC fax file named on the command line
    QString helpFile;  // handed to the library for its dialogs
};

class CLinquaraDoc : public QObject {
    Q_OBJECT

public:
    // The program's exit status when the person cancels the connection choice.
    static constexpr int kExitConnectionCancelled = 1;

    enum class Command {
        CheckForUpdate,
        NewPcFax,
        OpenPcFax,
        Backup,
        Restore,
        SaveAll,
        SaveMachine,
        SavePcFax,
        SavePcFaxAs,
        Undo,
        Redo,
        NewMachineEntry,
        NewPcFaxEntry,
    };

    // The tree node a paste goes to.
    enum class TreeNode { None, AddressBooks, MachineBook, MachineFax, PcFaxBook };

    explicit CLinquaraDoc(DocumentServices services, QObject *parent = nullptr);
    ~CLinquaraDoc() override;

    // Connects, reads the machine and opens the PC fax file into the first
    // snapshot. False when the person cancelled the connection choice: the
    // program then ends with kExitConnectionCancelled. A machine that cannot
    // be read (a cancelled password or read included) leaves the PC fax book.
    bool OnNewDocument(const DocumentStartup &startup);

    void OnCheckForUpdate();
    void OnNewPcFax();
    void OnOpenPcFax();
    // Opens the PC fax file at `path` as the Open command opens a chosen one.
    void OnOpenPcFaxFile(const QString &path);
    // The results are editor codes (AdrIoResult).
    quint16 OnSavePcFax();
    quint16 OnSavePcFaxAs();
    quint16 OnSaveMachine();
    void OnSaveAll();
    void OnBackup();
    void OnRestore();
    void OnUndo();
    void OnRedo();

    // Asks to save unsaved changes before the window closes, or the session
    // ends; false keeps it open. When only the machine book could not be
    // saved, the person may close without it.
    bool SaveModified();
    // Remembers the open PC fax file and the list's columns for the next start.
    void OnCloseDocument();

    [[nodiscard]] bool IsEnabled(Command command) const;
    // True while a command runs (its dialogs may be open): the window must
    // not close under it.
    [[nodiscard]] bool IsBusy() const { return m_busyCommands > 0; }

    // Editing commands. Entries are named by list row codes: the ID in bits
    // 0 to 15 and the entry's kind (AdrKind) shifted up by 16. Each command
    // is one step of the history, or none when nothing changed.
    // The dialogs that collect an entry's values; without one, new and edit do nothing.
    void SetEntryEditor(EntryEditor *editor) { m_editor = editor; }
    // A member or group of the kind, with the next free ID.
    void OnNewEntry(quint32 kind);
    void OnEdit(quint32 rowCode);
    // Asks first; returns the rows whose entries were deleted, for the list to remove.
    QList<quint32> OnDelete(const QList<quint32> &rowCodes);
    // Replaces the internal clipboard with the rows' entries.
    void OnCopy(const QList<quint32> &rowCodes);
    [[nodiscard]] bool CanPaste(TreeNode node) const;
    void OnPaste(TreeNode node);
    // Adds members of the group's book to it (dropped on it or chosen from the
    // list's membership menu). False when the group had no room for them.
    bool AddMembers(quint32 groupKind, quint16 groupId, const QList<quint16> &memberIds);
    // Copies the rows' entries into the node's book as a paste there would,
    // keeping the clipboard as it was. True when a step was made.
    bool OnDropOnNode(const QList<quint32> &rowCodes, TreeNode node);
    [[nodiscard]] const CAdrData &Clipboard() const { return m_clipboard; }

    // Import and export (linquara_doc_import_export.cpp). The import adds
    // what the library's wizard delivers as new entries in one step.
    void OnImport();
    // Asks the chooser what to export; without one the command does nothing.
    void OnExport();
    void SetExportSourceChooser(ExportSourceChooser *chooser) { m_exportChooser = chooser; }

    // Null only before start-up.
    [[nodiscard]] const CAdrData *GetData() const { return m_history.GetCurrent(); }
    [[nodiscard]] CAdrHistory &History() { return m_history; }
    [[nodiscard]] const CAdrHistory &History() const { return m_history; }
    [[nodiscard]] CAdrInputOutput &Bridge() { return m_io; }
    [[nodiscard]] CSharedFolder &SharedFolder() { return m_sharedFolder; }
    // The entry list's columns; read at creation, kept on close.
    [[nodiscard]] CLqaColumnModel &Columns() { return m_columns; }
    [[nodiscard]] const CLqaColumnModel &Columns() const { return m_columns; }
    [[nodiscard]] const ConnectionContext &Connection() const { return m_connection; }
    [[nodiscard]] ConnectionSettings &Settings() { return m_settings; }

    [[nodiscard]] const QString &PcFaxPath() const { return m_pcFaxPath; }
    [[nodiscard]] bool IsPcFaxModified() const { return m_pcFaxModified; }
    [[nodiscard]] bool IsMachineModified() const { return m_machineModified; }
    [[nodiscard]] bool IsMachineConnected() const { return m_machineConnected; }
    [[nodiscard]] bool IsDeviceAccessed() const { return m_deviceAccessed; }
    // Set by the editing and import commands.
    void SetPcFaxModified(bool modified) { SetFlag(m_pcFaxModified, modified); }
    void SetMachineModified(bool modified) { SetFlag(m_machineModified, modified); }

signals:
    // The current snapshot was replaced as a whole: views rebuild.
    void dataReplaced();
    // One step changed the data from `before` to `after`.
    void dataChanged(const CAdrData &before, const CAdrData &after);
    // A modified, connection or path state changed.
    void flagsChanged();

private:
    // Marks the document busy for the life of a command; commands nest.
    class BusyScope {
    public:
        explicit BusyScope(CLinquaraDoc &doc) : m_doc(doc) { ++m_doc.m_busyCommands; }
        ~BusyScope() { --m_doc.m_busyCommands; }
        BusyScope(const BusyScope &) = delete;
        BusyScope &operator=(const BusyScope &) = delete;

    private:
        CLinquaraDoc &m_doc;
    };

    // Which saves of one command succeeded, and how the machine answered.
    struct SaveOutcome {
        bool pcFax = false;
        bool machine = false;  // written, completely or in part
        quint16 machineCode = AdrIoOk;
    };

    // Machine connected and device accessed after a connect attempt.
    void AdoptConnection(const ConnectOutcome &outcome);
    // Brings `working` in as the machine part just read (or, without `read`,
    // as a book without a machine part); `replacing` makes the step one that
    // cannot be undone.
    void CommitMachineRead(CAdrData &working, bool read, bool replacing);
    void CommitPcFaxReplaced(const CAdrData &working);
    // Reads the file into the PC fax part, or says that it cannot.
    void OpenPcFaxAt(const QString &chosen);
    // Writes `working` to the machine, or reads it when there is nothing to
    // compare a write with yet; `working` then holds the machine's fax part.
    quint16 ConnectAndUpdate(CAdrData &working);
    // Connected, and the environment settings let the editor reach the machine.
    [[nodiscard]] bool MayReachMachine() const;
    quint16 SavePcFax(bool askForFile);
    // Updates the open file, or writes one the person chooses; clears the
    // modified flag or reports the failure.
    quint16 SavePcFaxPart(const CAdrData &working, bool askForFile);
    quint16 SavePcFaxAsPart(const CAdrData &working);
    // Replaces the saved parts of the current snapshot with `working` in one
    // step and brings the folder shares in line with a saved machine book.
    void CommitSaves(const SaveOutcome &outcome, CAdrData &working);
    void CommitStep(bool replaced);
    // After Yes on close saved all but the machine book: whether to close anyway.
    [[nodiscard]] bool ConfirmCloseWithoutMachine();

    // Editing (linquara_doc_editing.cpp, linquara_doc_paste.cpp).
    [[nodiscard]] AdrIdMode MachineIdMode() const;
    [[nodiscard]] AdrIdMode IdModeOf(quint32 kind) const;
    void SetModifiedFor(quint32 kind);
    template <class Member>
    void EditMember(Member entry, bool isNew);
    template <class Group>
    void EditGroup(Group group, bool isNew);
    void EditServer(CAdrMemberAioServer entry, bool isNew);
    template <class Member>
    void ApplyMembership(quint16 memberId, const QList<quint16> &chosen);
    [[nodiscard]] CAdrHistory::ServerShare AskServerShare(quint16 serverId);
    template <class Member, class Group>
    void PasteBook(bool rename);
    template <class Target, class Source>
    void PasteConverted(bool rename);
    template <class Entry>
    void PasteEntry(Entry entry, bool rename);
    template <class Group>
    bool AddGroupMembers(quint16 groupId, const QList<quint16> &memberIds);
    void ShowMaxDataExceeded();

    void ShowDeviceMessage(quint16 code);
    void ShowFailure(int textId);
    void Inform(int textId);
    [[nodiscard]] bool Confirm(int textId);
    [[nodiscard]] bool Confirm(const QString &text);
    void SetFlag(bool &flag, bool value);
    void SetPath(const QString &path);

    DocumentPrompt &m_prompt;
    ConnectionSettings m_settings;
    CAdrInputOutput m_io;
    CAdrHistory m_history;
    CLqaColumnModel m_columns;
    CSharedFolder m_sharedFolder;
    ConnectProcedure m_procedure;
    ConnectionContext m_connection;
    EntryEditor *m_editor = nullptr;
    ExportSourceChooser *m_exportChooser = nullptr;
    // The entries last copied, and the snapshot they were copied from.
    CAdrData m_clipboard;
    CAdrData m_clipboardSource;
    QString m_pcFaxPath;
    bool m_pcFaxModified = false;
    bool m_machineModified = false;
    bool m_machineConnected = false;
    bool m_deviceAccessed = false;
    int m_busyCommands = 0;
};
