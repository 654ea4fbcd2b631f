#include "dialogs/server_dialog.h"

#include "dialogs/field_rules.h"
#include "document/linux_share_service.h"
#include "document/share_service.h"
#include "text/editor_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

using namespace lqa::ids;

constexpr int kNameMax = 32;
constexpr int kHostMax = 64;
constexpr int kShareMax = 32;
constexpr int kPathMax = 96;
constexpr int kLoginMax = 96;
constexpr int kPasswordMax = 32;
constexpr int kPortMax = 5;
constexpr int kFolderMax = 1024;
constexpr int kUserNameMax = 32;
// The network refuses longer share names, whatever their characters.
constexpr int kShareNameMaxBytes = 32;

bool sameText(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QWidget *row(std::initializer_list<QWidget *> widgets) {
    auto *line = new QWidget;
    auto *layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget *widget : widgets) layout->addWidget(widget);
    return line;
}

}  // namespace

CDlgServerAddress::CDlgServerAddress(CAdrMemberAioServer &entry, ServerShareSettings &share, const CAdrData &data,
                                     ShareService &service, DocumentPrompt &prompt, QWidget *parent)
    : CDlgEntry(prompt, kHelpTopic, TitleServer, parent),
      m_entry(entry),
      m_settings(share),
      m_data(data),
      m_service(service),
      m_chooseFolder([](QWidget *parentWidget, const QString &start) {
          return QFileDialog::getExistingDirectory(parentWidget, lqa::loadText(TitleChooseFolder), start);
      }) {
    AddIdRow({entry.GetID(), 2, 2, CAdrMemberAioServer::kMaxId, LabelServerAddressId, FieldAddressId});
    AddCheck(AddNameRow(LabelMemberName, kNameMax, entry.GetName()), FieldName, true, PrintableRule(FieldName));
    BuildServerFields(entry);
    Body()->addWidget(BuildScanToPc());
    SetEntryIcon(135);
    UpdateStates();
}

void CDlgServerAddress::BuildServerFields(const CAdrMemberAioServer &entry) {
    m_smb = new QRadioButton(lqa::loadText(ServerTypeSmb));
    m_ftp = new QRadioButton(lqa::loadText(ServerTypeFtp));
    auto *types = new QButtonGroup(this);
    types->addButton(m_smb);
    types->addButton(m_ftp);
    (entry.GetServerType() == CAdrMemberAioServer::kTypeFtp ? m_ftp : m_smb)->setChecked(true);
    QWidget *typeRow = row({m_smb, m_ftp});
    static_cast<QHBoxLayout *>(typeRow->layout())->addStretch();
    AddRow(LabelServerType, typeRow, m_smb);

    m_host = AddTextRow(LabelServerName, kHostMax, entry.GetHostName());
    AddCheck(m_host, FieldServerName, true, [](const QString &text) {
        return CheckCharacters(text, QStringLiteral(".-:"), CharLettersDigits)
                   ? QString()
                   : CharacterErrorText(FieldServerName, RuleServerName);
    });
    m_share = AddTextRow(LabelShareName, kShareMax, entry.GetShareName());
    AddCheck(m_share, FieldShareName, true, PrintableRule(FieldShareName));
    m_path = AddTextRow(LabelPath, kPathMax, entry.GetFolderPath());
    AddCheck(m_path, FieldPath, false, [](const QString &text) {
        if (!CheckCharacters(text, {}, CharPrintable)) return CharacterErrorText(FieldPath, RulePrintable);
        return CheckCharacters(text, {}, CharFileNameSafe) ? QString() : CharacterErrorText(FieldPath, RuleFileName);
    });
    m_login = AddTextRow(LabelLoginName, kLoginMax, entry.GetLoginName());
    AddCheck(m_login, FieldLoginName, false, PrintableRule(FieldLoginName));
    m_password = AddTextRow(LabelLoginPassword, kPasswordMax, entry.GetLoginPassword());
    m_password->setEchoMode(QLineEdit::Password);
    AddCheck(m_password, FieldLoginPassword, false, PrintableRule(FieldLoginPassword));
    m_confirm = AddTextRow(LabelConfirmPassword, kPasswordMax, entry.GetLoginPassword());
    m_confirm->setEchoMode(QLineEdit::Password);

    m_port = new CDlgCtrlEdit(kPortMax, CDlgCtrlEdit::DigitsOnly);
    m_port->setMaximumWidth(m_port->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 12);
    m_defaultPort = new QCheckBox(lqa::loadText(LabelUseDefaultPort));
    const quint16 port = entry.GetPortNumber();
    // A port of its own stays visible; an unset one or the type's default
    // is what the box stands for.
    m_defaultPort->setChecked(port == 0 || port == DefaultPortNumber(entry.GetServerType()));
    m_port->setText(port ? QString::number(port) : QString());
    QWidget *portRow = row({m_port, m_defaultPort});
    static_cast<QHBoxLayout *>(portRow->layout())->addStretch();
    AddRow(LabelPortNumber, portRow, m_port);
    AddCheck(m_port, FieldPortNumber, true, [this](const QString &text) {
        return CheckPortNumber(text.toInt(), ServerType()) ? QString() : lqa::loadText(PortRuleTextId(ServerType()));
    });
    // Checked last: the fields' own rules come first.
    AddCheck(m_password, FieldLoginPassword, false, [this](const QString &text) {
        return text == m_confirm->text() ? QString() : lqa::loadText(MsgPasswordMismatch);
    });

    connect(m_defaultPort, &QCheckBox::toggled, this, &CDlgServerAddress::UpdateStates);
    connect(m_smb, &QRadioButton::toggled, this, &CDlgServerAddress::UpdateStates);
}

QGroupBox *CDlgServerAddress::BuildScanToPc() {
    const CAdrShareData &record = m_settings.record;
    const bool autoShare = record.serverId != 0 && record.autoShare;
    m_scanToPc = new QGroupBox(lqa::loadText(LabelScanToPc));
    m_autoShare = new QCheckBox(lqa::loadText(LabelAutoShare));
    m_autoShare->setChecked(autoShare);
    m_folder = new CDlgCtrlEdit(kFolderMax);
    m_folder->setText(autoShare ? record.localFolder : QString());
    m_browse = new QPushButton(lqa::loadText(LabelBrowse));
    m_createUser = new QCheckBox(lqa::loadText(LabelCreateAndUse));
    m_createUser->setChecked(autoShare && record.createScanUser);
    m_userName = new CDlgCtrlEdit(kUserNameMax);
    m_userName->setText(m_settings.scanUser.name);
    m_userPassword = new CDlgCtrlEdit(kPasswordMax);
    m_userPassword->setEchoMode(QLineEdit::Password);
    m_userPassword->setText(m_settings.scanUser.password);

    m_deleteUser = new QPushButton(lqa::loadText(LabelDeleteScanUser));
    m_deleteUser->setAutoDefault(false);

    auto *userBox = new QGroupBox(lqa::loadText(LabelScanServiceUser));
    auto *userForm = new QFormLayout(userBox);
    QWidget *userRow = row({m_createUser, m_deleteUser});
    static_cast<QHBoxLayout *>(userRow->layout())->insertStretch(1);
    userForm->addRow(userRow);
    userForm->addRow(lqa::loadText(LabelUserName), m_userName);
    userForm->addRow(lqa::loadText(LabelUserPassword), m_userPassword);

    auto *form = new QFormLayout(m_scanToPc);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(m_autoShare);
    auto *folderRow = row({m_folder, m_browse});
    form->addRow(lqa::loadText(LabelFolderToShare), folderRow);
    form->addRow(userBox);

    connect(m_autoShare, &QCheckBox::toggled, this, &CDlgServerAddress::UpdateStates);
    connect(m_createUser, &QCheckBox::toggled, this, &CDlgServerAddress::UpdateStates);
    connect(m_userName, &QLineEdit::textChanged, this, &CDlgServerAddress::MirrorScanUser);
    connect(m_userPassword, &QLineEdit::textChanged, this, &CDlgServerAddress::MirrorScanUser);
    connect(m_browse, &QPushButton::clicked, this, &CDlgServerAddress::BrowseForFolder);
    connect(m_deleteUser, &QPushButton::clicked, this, &CDlgServerAddress::DeleteScanUser);
    return m_scanToPc;
}

quint16 CDlgServerAddress::ServerType() const {
    return m_smb->isChecked() ? CAdrMemberAioServer::kTypeSmb : CAdrMemberAioServer::kTypeFtp;
}

bool CDlgServerAddress::AutoShareChosen() const { return m_smb->isChecked() && m_autoShare->isChecked(); }

void CDlgServerAddress::UpdateStates() {
    if (m_defaultPort->isChecked()) UseDefaultPort();
    m_port->setEnabled(!m_defaultPort->isChecked());
    // Only a computer share can be a folder of this PC.
    m_scanToPc->setEnabled(m_smb->isChecked());
    const bool autoShare = m_autoShare->isChecked();
    for (QWidget *widget : std::initializer_list<QWidget *>{m_folder, m_browse, m_createUser})
        widget->setEnabled(autoShare);
    const bool createUser = autoShare && m_createUser->isChecked();
    m_userName->setEnabled(createUser);
    m_userPassword->setEnabled(createUser);
    // Only an account made by this program can be deleted from here.
    m_deleteUser->setEnabled(m_settings.scanUser.created && !m_settings.scanUser.name.isEmpty());
    // The scanner logs on as the account it gets; the fields show which.
    for (QWidget *widget : std::initializer_list<QWidget *>{m_login, m_password, m_confirm})
        widget->setEnabled(!AutoShareChosen() || !m_createUser->isChecked());
    MirrorScanUser();
}

void CDlgServerAddress::UseDefaultPort() { m_port->setText(QString::number(DefaultPortNumber(ServerType()))); }

void CDlgServerAddress::MirrorScanUser() {
    if (!AutoShareChosen() || !m_createUser->isChecked()) return;
    m_login->setText(m_userName->text());
    m_password->setText(m_userPassword->text());
    m_confirm->setText(m_userPassword->text());
}

void CDlgServerAddress::BrowseForFolder() {
    const QString folder = m_chooseFolder(this, m_folder->text());
    if (folder.isEmpty()) return;
    m_folder->setText(folder);
    if (m_share->text().isEmpty()) m_share->setText(QFileInfo(folder).fileName().left(kShareMax));
}

void CDlgServerAddress::DeleteScanUser() {
    const QString name = m_settings.scanUser.name;
    if (Ask(lqa::formatText(MsgConfirmDeleteScanUser, {name}), PromptButtons::YesNo, PromptIcon::Question) !=
        PromptAnswer::Yes)
        return;
    // An account removed by other means counts as deleted.
    if (m_service.accountExists(name) && !m_service.deleteScanUser(name)) {
        Ask(lqa::loadText(MsgDeleteScanUserFailed), PromptButtons::Ok, PromptIcon::Warning);
        return;
    }
    m_settings.scanUser = ScanUserState{};
    m_settings.scanUserDeleted = true;
    const bool unshared = DisableOwnShareFor(name);

    // Nothing in the dialog may name the account any more.
    m_createUser->setChecked(false);
    m_userName->clear();
    m_userPassword->clear();
    if (sameText(m_login->text(), name)) {
        for (CDlgCtrlEdit *field : {m_login, m_password, m_confirm}) field->clear();
    }
    UpdateStates();
    Ask(lqa::loadText(unshared ? MsgShareDisabledScanUserDeleted : MsgScanUserDeleted), PromptButtons::Ok,
        PromptIcon::Information);
}

bool CDlgServerAddress::DisableOwnShareFor(const QString &account) {
    CAdrShareData &record = m_settings.record;
    if (record.serverId == 0 || !record.isShared || !sameText(record.loginName, account)) return false;
    QList<ShareEntry> shares;
    m_service.listShares(&shares);
    const bool listed = std::any_of(shares.cbegin(), shares.cend(),
                                    [&](const ShareEntry &share) { return sameText(share.name, record.shareName); });
    if (!listed || !m_service.deleteShare(record.shareName)) return false;
    // Kept with OK, the folder is shared anew when the book is saved.
    record.isShared = 0;
    return true;
}

bool CDlgServerAddress::IsThisPc(const QString &host) {
    const QString address = m_service.firstIpv4Address();
    return sameText(host, m_service.computerName()) || (!address.isEmpty() && sameText(host, address));
}

bool CDlgServerAddress::CheckScanToPc() {
    if (!IsThisPc(m_host->text())) {
        Refuse(m_host, lqa::loadText(MsgAutoShareNotThisPc));
        return false;
    }
    const QString folder = m_folder->text();
    if (folder.isEmpty()) {
        Refuse(m_folder, FillInText({lqa::loadText(FieldFolderToShare)}));
        return false;
    }
    // The folder's path reaches the share settings and the record file.
    if (const QString message = NoControlCharactersRule(FieldFolderToShare)(folder); !message.isEmpty()) {
        Refuse(m_folder, message);
        return false;
    }
    if (!QFileInfo(folder).isDir()) {
        Refuse(m_folder, lqa::loadText(MsgFolderMissing));
        return false;
    }
    const QString shareName = m_share->text();
    if (ExceedsBytes(shareName, kShareNameMaxBytes)) {
        Refuse(m_share, lqa::loadText(MsgShareNameTooLong));
        return false;
    }
    // A name already shared for this very folder is simply used again, and
    // the entry's own share is made anew when the book is saved.
    const CAdrShareData &before = m_settings.record;
    const bool ownShare = before.serverId != 0 && before.isShared && sameText(before.shareName, shareName);
    QList<ShareEntry> shares;
    m_service.listShares(&shares);
    const bool takenElsewhere = !ownShare && std::any_of(shares.cbegin(), shares.cend(), [&](const ShareEntry &existing) {
        return sameText(existing.name, shareName) && QFileInfo(existing.path) != QFileInfo(folder);
    });
    if (takenElsewhere) {
        Refuse(m_share, lqa::loadText(MsgShareNameExists));
        return false;
    }
    return CheckAccount();
}

bool CDlgServerAddress::CheckAccount() {
    const ScanUserState &scanUser = m_settings.scanUser;
    const bool create = m_createUser->isChecked();
    CDlgCtrlEdit *nameField = create ? m_userName : m_login;
    CDlgCtrlEdit *passwordField = create ? m_userPassword : m_password;
    const QString name = nameField->text();
    const bool ourAccount = scanUser.created && !scanUser.name.isEmpty() && sameText(name, scanUser.name);
    // A new account needs a name the system takes and no account of that
    // name yet; an existing one must be an account of this PC.
    const bool usable = create ? ourAccount || (LinuxShareService::IsValidNewAccountName(name)
                                               && !m_service.accountExists(name))
                               : !name.isEmpty() && m_service.accountExists(name);
    if (!usable) {
        Refuse(nameField, lqa::loadText(MsgAutoShareLoginName));
        return false;
    }
    if (ourAccount && passwordField->text() != scanUser.password) {
        Refuse(passwordField, lqa::loadText(MsgIncorrectLoginPassword));
        return false;
    }
    return true;
}

bool CDlgServerAddress::IdTaken(quint16 id) const { return m_data.Map<CAdrMemberAioServer>().Lookup(id) != nullptr; }

bool CDlgServerAddress::ConfirmBeforeOverwrite() {
    if (AutoShareChosen() && !CheckScanToPc()) return false;
    bool duplicate = false;
    m_data.Map<CAdrMemberAioServer>().ForEach([&](const CAdrMemberAioServer &other) {
        duplicate = duplicate
                    || (other.GetID() != InitialId() && other.GetName() == NameText()
                        && other.GetHostName() == m_host->text());
    });
    return !duplicate
           || Ask(lqa::loadText(MsgDuplicateServer), PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::Yes;
}

void CDlgServerAddress::Commit() {
    m_entry.SetID(EnteredId());
    m_entry.SetName(NameText());
    m_entry.SetServerType(ServerType());
    m_entry.SetHostName(m_host->text());
    m_entry.SetShareName(m_share->text());
    m_entry.SetFolderPath(m_path->text());
    m_entry.SetLoginName(m_login->text());
    m_entry.SetLoginPassword(m_password->text());
    m_entry.SetPortNumber(static_cast<quint16>(m_port->text().toUInt()));

    if (!AutoShareChosen()) {
        m_settings.record = CAdrShareData{};
        return;
    }
    const CAdrShareData before = m_settings.record;
    CAdrShareData record;
    record.autoShare = 1;
    record.createScanUser = m_createUser->isChecked() ? 1 : 0;
    record.hostName = m_entry.GetHostName();
    record.shareName = m_entry.GetShareName();
    record.localFolder = m_folder->text();
    record.serverPath = m_entry.GetFolderPath();
    record.loginName = m_entry.GetLoginName();
    record.loginPassword = m_entry.GetLoginPassword();
    record.recordId = before.recordId;
    record.serverId = m_entry.GetID();
    // A share that changed in any way is made anew when the book is saved.
    record.isShared = before.isShared;
    if (!record.IsEqual(&before, CAdrShareData::kCompareContentOnly)) record.isShared = 0;
    m_settings.record = record;

    if (record.createScanUser) {
        ScanUserState &scanUser = m_settings.scanUser;
        if (!sameText(scanUser.name, m_userName->text())) scanUser.created = 0;
        scanUser.name = m_userName->text();
        scanUser.password = m_userPassword->text();
    }
}
