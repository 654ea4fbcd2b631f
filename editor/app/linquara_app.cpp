#include "app/linquara_app.h"

#include "app/about_dialog.h"
#include "app/ui_language.h"
#include "text/editor_text.h"

#include <QFileInfo>
#include <QWidget>

namespace {

CLinquaraApp *liveApp = nullptr;

// The file a later start hands to the editor already running, which has a
// folder of its own: an absolute path. The device address after "NET" also
// reaches the standard handling, but names no file.
QString fileForRunningEditor(const CLQACommandLineInfo &commandLine) {
    if (commandLine.shellCommand != CLQACommandLineInfo::FileOpen) return {};
    if (commandLine.afterNetSwitch && commandLine.fileName == commandLine.address) return {};
    return QFileInfo(commandLine.fileName).absoluteFilePath();
}

}  // namespace

const QString CLinquaraApp::instanceName = QStringLiteral("Linquara Quillabrex K7710_K7910");

CLinquaraApp::CLinquaraApp(TemplateFactory registerTemplate, QString programPath, QString instanceFolder)
    : m_registerTemplate(std::move(registerTemplate)),
      m_programPath(std::move(programPath)),
      m_instance(instanceName, instanceFolder) {
    liveApp = this;
}

CLinquaraApp::~CLinquaraApp() {
    if (liveApp == this) liveApp = nullptr;
}

CLinquaraApp *CLinquaraApp::Instance() { return liveApp; }

// Qt sets up the widgets and needs no component runtime, so the start-up
// begins with the single-instance check, which hands on the file named.
bool CLinquaraApp::InitInstance(const QStringList &arguments) {
    CLQACommandLineInfo commandLine;
    commandLine.ParseCommandLine(arguments);
    if (m_instance.ClaimInstance(fileForRunningEditor(commandLine)) != SingleInstance::Claim::First) return false;

    LoadLanguageResources();

    const SettingsLocation location = UserSettingsLocation(lqa::loadText(lqa::ids::RegistryKey));
    QCoreApplication::setOrganizationName(location.organization);
    QCoreApplication::setApplicationName(location.application);
    m_recentFiles.Load();

    m_template = m_registerTemplate ? m_registerTemplate(*this) : nullptr;
    if (!m_template) return false;
    m_instance.onFront = [this] { m_template->BringToFront(); };
    m_instance.onClose = [this] { return m_template->RequestClose(); };
    m_instance.onOpen = [this](const QString &path) { m_template->OpenFileFromSecondStart(path); };

    m_cmdConnection = commandLine.connection;
    m_cmdAddress = commandLine.connection == -1 ? QString() : commandLine.address;

    if (!m_template->OpenDocumentFile(commandLine.shellCommand == CLQACommandLineInfo::FileOpen ? commandLine.fileName
                                                                                                : QString()))
        return false;
    m_template->ShowMainWindow();
    return true;
}

void CLinquaraApp::LoadLanguageResources() {
    if (auto module = ::LoadLanguageResources(m_programPath)) m_languageLibrary = std::move(module);
}

QWidget *CLinquaraApp::MainWindow() const { return m_template ? m_template->MainWindow() : nullptr; }

QMessageBox::StandardButton CLinquaraApp::ShowMessage(const QString &text, QMessageBox::StandardButtons buttons,
                                                      QMessageBox::Icon icon) {
    QMessageBox box(icon, lqa::loadText(lqa::ids::AppTitle), text, buttons, MainWindow());
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void CLinquaraApp::OnAppAbout() {
    CDlgAbout about(MainWindow());
    about.exec();
}
