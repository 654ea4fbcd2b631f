#include "program/linquara_template.h"

#include "app/linquara_app.h"
#include "app/ui_language.h"
#include "dialogs/widget_entry_editor.h"
#include "dialogs/widget_export_chooser.h"
#include "document/linquara_doc.h"
#include "frame/main_frame.h"
#include "ui/help_topic.h"
#include "ui/list_factory.h"

#include <utility>

namespace {

void openHelp(int topic) { lqa::openHelpTopic(topic); }

// The library's name for "no help file".
const QString kNoHelp = QStringLiteral("DMY");

}  // namespace

LinquaraTemplate::LinquaraTemplate(CLinquaraApp &app) : m_app(app), m_dialogs(nullptr, openHelp) {}

LinquaraTemplate::~LinquaraTemplate() = default;

bool LinquaraTemplate::OpenDocumentFile(const QString &fileName) {
    QString languageCode;
    const qint16 languageId = SelectUiLanguage(languageCode);
    m_doc = std::make_unique<CLinquaraDoc>(
        DocumentServices{m_prompt, m_dialogs, m_shares, CShareFile::DefaultPath(), languageId});
    const QString helpFolder = lqa::helpFolder();
    if (!m_doc->OnNewDocument({m_app.cmdConnection(), m_app.cmdAddress(), fileName,
                               helpFolder.isEmpty() ? kNoHelp : helpFolder})) {
        m_connectionCancelled = true;
        return false;
    }
    m_frame = std::make_unique<CMainFrame>(*m_doc, CreateEntryList);
    m_editor = std::make_unique<WidgetEntryEditor>(m_frame.get(), m_prompt, m_shares, openHelp);
    m_doc->SetEntryEditor(m_editor.get());
    m_exportChooser = std::make_unique<WidgetExportSourceChooser>(m_frame.get(), m_prompt, openHelp);
    m_doc->SetExportSourceChooser(m_exportChooser.get());
    return true;
}

void LinquaraTemplate::ShowMainWindow() {
    if (!m_frame) return;
    m_frame->show();
    if (!m_fileForMainWindow.isEmpty()) m_frame->OpenPcFaxFileWhenIdle(std::exchange(m_fileForMainWindow, {}));
}

QWidget *LinquaraTemplate::MainWindow() { return m_frame.get(); }

void LinquaraTemplate::OpenFileFromSecondStart(const QString &path) {
    if (!m_frame || !m_frame->isVisible()) {
        m_fileForMainWindow = path;
        return;
    }
    BringToFront();
    m_frame->OpenPcFaxFileWhenIdle(path);
}

bool LinquaraTemplate::RequestClose() { return m_frame && m_frame->RequestClose(); }
