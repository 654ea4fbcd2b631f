// The document's entry editing through the entry dialogs.
#pragma once

#include "document/entry_editor.h"

#include <functional>

class DocumentPrompt;
class QWidget;
class ShareService;

class WidgetEntryEditor : public EntryEditor {
public:
    // `openHelp` receives the help topic of a dialog's Help button.
    WidgetEntryEditor(QWidget *parent, DocumentPrompt &prompt, ShareService &service,
                      std::function<void(int topic)> openHelp);

    bool EditAioFax(CAdrMemberAioFax &entry, QList<quint16> &groups, const CAdrData &data) override;
    bool EditPcFax(CAdrMemberPcFax &entry, QList<quint16> &groups, const CAdrData &data) override;
    bool EditAioEmail(CAdrMemberAioEmail &entry, const CAdrData &data) override;
    bool EditServer(CAdrMemberAioServer &entry, ServerShareSettings &share, const CAdrData &data) override;
    bool EditAioFaxGroup(CAdrGroupAioFax &group, const CAdrData &data) override;
    bool EditAioEmailGroup(CAdrGroupAioEmail &group, const CAdrData &data) override;
    bool EditPcFaxGroup(CAdrGroupPcFax &group, const CAdrData &data) override;

private:
    template <class Dialog>
    bool Run(Dialog &dialog);

    QWidget *m_parent;
    DocumentPrompt &m_prompt;
    ShareService &m_service;
    std::function<void(int)> m_openHelp;
};
