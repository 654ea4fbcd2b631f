// The program's document template: the document with the desktop's prompts,
// connection dialogs, folder shares and entry dialogs, and its main frame.
#pragma once

#include "app/document_template.h"
#include "connection/widget_connection_dialogs.h"
#include "document/linux_share_service.h"
#include "ui/widget_prompt.h"

#include <QString>

#include <memory>

class CLinquaraApp;
class CLinquaraDoc;
class CMainFrame;
class WidgetEntryEditor;
class WidgetExportSourceChooser;

class LinquaraTemplate : public DocumentTemplate {
public:
    explicit LinquaraTemplate(CLinquaraApp &app);
    ~LinquaraTemplate() override;

    bool OpenDocumentFile(const QString &fileName) override;
    void ShowMainWindow() override;
    QWidget *MainWindow() override;
    void OpenFileFromSecondStart(const QString &path) override;
    bool RequestClose() override;

    // The person cancelled the connection choice at start-up.
    [[nodiscard]] bool ConnectionCancelled() const { return m_connectionCancelled; }

private:
    CLinquaraApp &m_app;
    WidgetPrompt m_prompt;
    WidgetConnectionDialogs m_dialogs;
    LinuxShareService m_shares;
    std::unique_ptr<CLinquaraDoc> m_doc;
    std::unique_ptr<WidgetEntryEditor> m_editor;
    std::unique_ptr<WidgetExportSourceChooser> m_exportChooser;
    // Goes before the document it shows.
    std::unique_ptr<CMainFrame> m_frame;
    bool m_connectionCancelled = false;
    // A file named by a later start while this one was still starting up.
    QString m_fileForMainWindow;
};
