// The editor's application object: one editor per user, the user-interface
// language, where the settings live, and the command line handed to the
// document it creates.
#pragma once

#include "app/command_line_info.h"
#include "app/document_template.h"
#include "app/single_instance.h"
#include "app/user_settings.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CLinquaraApp {
public:
    // Makes the document template; called once the language and the settings
    // are in place, before the command line is read.
    using TemplateFactory = std::function<std::unique_ptr<DocumentTemplate>(CLinquaraApp &)>;

    // The language module is looked for beside `programPath`; the instance
    // lock and socket live in `instanceFolder`.
    explicit CLinquaraApp(TemplateFactory registerTemplate,
                          QString programPath = QCoreApplication::applicationFilePath(),
                          QString instanceFolder = SingleInstance::DefaultFolder());
    ~CLinquaraApp();
    CLinquaraApp(const CLinquaraApp &) = delete;
    CLinquaraApp &operator=(const CLinquaraApp &) = delete;

    // The live application object, or null.
    static CLinquaraApp *Instance();

    // Runs the start-up; false when this process is to end without a window
    // (another editor runs, or the document could not be created).
    bool InitInstance(const QStringList &arguments = QCoreApplication::arguments());

    void LoadLanguageResources();

    // A message box with the application title as its caption, over the
    // main window when there is one; returns the button chosen.
    QMessageBox::StandardButton ShowMessage(const QString &text,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                            QMessageBox::Icon icon = QMessageBox::Information);

    // The Help menu's About command.
    void OnAppAbout();

    [[nodiscard]] qint32 cmdConnection() const { return m_cmdConnection; }
    [[nodiscard]] const QString &cmdAddress() const { return m_cmdAddress; }
    [[nodiscard]] RecentFileList &recentFiles() { return m_recentFiles; }
    [[nodiscard]] bool languageModuleLoaded() const { return m_languageLibrary != nullptr; }

    static const QString instanceName;

private:
    [[nodiscard]] QWidget *MainWindow() const;

    TemplateFactory m_registerTemplate;
    QString m_programPath;
    SingleInstance m_instance;
    std::unique_ptr<QLibrary> m_languageLibrary;
    RecentFileList m_recentFiles;
    std::unique_ptr<DocumentTemplate> m_template;
    qint32 m_cmdConnection = -1;
    QString m_cmdAddress;
};
