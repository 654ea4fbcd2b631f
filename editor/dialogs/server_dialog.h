// The dialog of a machine server address (a scan destination on a computer
// share or an FTP server) with the settings that share a folder of this PC
// for it.
#pragma once

#include "dialogs/entry_dialog.h"
#include "document/entry_editor.h"

#include <functional>

class QGroupBox;
class QRadioButton;
class QPushButton;
class ShareService;

class CDlgServerAddress : public CDlgEntry {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 1004;
    // The folder picked by the person, or an empty text; `start` is the current one.
    using ChooseFolder = std::function<QString(QWidget *parent, const QString &start)>;

    CDlgServerAddress(CAdrMemberAioServer &entry, ServerShareSettings &share, const CAdrData &data,
                      ShareService &service, DocumentPrompt &prompt, QWidget *parent = nullptr);

    void SetChooseFolder(ChooseFolder choose) { m_chooseFolder = std::move(choose); }

    [[nodiscard]] QRadioButton *SmbButton() const { return m_smb; }
    [[nodiscard]] QRadioButton *FtpButton() const { return m_ftp; }
    [[nodiscard]] CDlgCtrlEdit *HostField() const { return m_host; }
    [[nodiscard]] CDlgCtrlEdit *ShareField() const { return m_share; }
    [[nodiscard]] CDlgCtrlEdit *PathField() const { return m_path; }
    [[nodiscard]] CDlgCtrlEdit *LoginField() const { return m_login; }
    [[nodiscard]] CDlgCtrlEdit *PasswordField() const { return m_password; }
    [[nodiscard]] CDlgCtrlEdit *ConfirmField() const { return m_confirm; }
    [[nodiscard]] CDlgCtrlEdit *PortField() const { return m_port; }
    [[nodiscard]] QCheckBox *DefaultPortBox() const { return m_defaultPort; }
    [[nodiscard]] QGroupBox *ScanToPcBox() const { return m_scanToPc; }
    [[nodiscard]] QCheckBox *AutoShareBox() const { return m_autoShare; }
    [[nodiscard]] CDlgCtrlEdit *FolderField() const { return m_folder; }
    [[nodiscard]] QPushButton *BrowseButton() const { return m_browse; }
    [[nodiscard]] QCheckBox *CreateUserBox() const { return m_createUser; }
    [[nodiscard]] CDlgCtrlEdit *UserNameField() const { return m_userName; }
    [[nodiscard]] CDlgCtrlEdit *UserPasswordField() const { return m_userPassword; }
    [[nodiscard]] QPushButton *DeleteUserButton() const { return m_deleteUser; }

protected:
    [[nodiscard]] bool IdTaken(quint16 id) const override;
    bool ConfirmBeforeOverwrite() override;
    void Commit() override;

private:
    [[nodiscard]] quint16 ServerType() const;
    [[nodiscard]] bool AutoShareChosen() const;
    void BuildServerFields(const CAdrMemberAioServer &entry);
    QGroupBox *BuildScanToPc();
    void UpdateStates();
    void UseDefaultPort();
    void MirrorScanUser();
    void BrowseForFolder();
    // Deletes the scan service user's account at once, with the share of
    // this server's folder made for it.
    void DeleteScanUser();
    [[nodiscard]] bool DisableOwnShareFor(const QString &account);
    // The checks of a folder to be shared; false after the refusal was shown.
    [[nodiscard]] bool CheckScanToPc();
    [[nodiscard]] bool CheckAccount();
    [[nodiscard]] bool IsThisPc(const QString &host);

    CAdrMemberAioServer &m_entry;
    ServerShareSettings &m_settings;
    const CAdrData &m_data;
    ShareService &m_service;
    ChooseFolder m_chooseFolder;

    QRadioButton *m_smb = nullptr;
    QRadioButton *m_ftp = nullptr;
    CDlgCtrlEdit *m_host = nullptr;
    CDlgCtrlEdit *m_share = nullptr;
    CDlgCtrlEdit *m_path = nullptr;
    CDlgCtrlEdit *m_login = nullptr;
    CDlgCtrlEdit *m_password = nullptr;
    CDlgCtrlEdit *m_confirm = nullptr;
    CDlgCtrlEdit *m_port = nullptr;
    QCheckBox *m_defaultPort = nullptr;
    QGroupBox *m_scanToPc = nullptr;
    QCheckBox *m_autoShare = nullptr;
    CDlgCtrlEdit *m_folder = nullptr;
    QPushButton *m_browse = nullptr;
    QCheckBox *m_createUser = nullptr;
    CDlgCtrlEdit *m_userName = nullptr;
    CDlgCtrlEdit *m_userPassword = nullptr;
    QPushButton *m_deleteUser = nullptr;
};
