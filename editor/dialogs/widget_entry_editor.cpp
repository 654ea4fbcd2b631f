#include "dialogs/widget_entry_editor.h"

#include "dialogs/group_dialog.h"
#include "dialogs/member_dialogs.h"
#include "dialogs/server_dialog.h"

WidgetEntryEditor::WidgetEntryEditor(QWidget *parent, DocumentPrompt &prompt, ShareService &service,
                                     std::function<void(int)> openHelp)
    : m_parent(parent), m_prompt(prompt), m_service(service), m_openHelp(std::move(openHelp)) {}

template <class Dialog>
bool WidgetEntryEditor::Run(Dialog &dialog) {
    QObject::connect(&dialog, &CDlgEntry::helpRequested, &dialog, [this](int topic) {
        if (m_openHelp) m_openHelp(topic);
    });
    return dialog.exec() == QDialog::Accepted;
}

bool WidgetEntryEditor::EditAioFax(CAdrMemberAioFax &entry, QList<quint16> &groups, const CAdrData &data) {
    CDlgAioFaxMember dialog(entry, groups, data, m_prompt, m_parent);
    return Run(dialog);
}

bool WidgetEntryEditor::EditPcFax(CAdrMemberPcFax &entry, QList<quint16> &groups, const CAdrData &data) {
    CDlgPcFaxMember dialog(entry, groups, data, m_prompt, m_parent);
    return Run(dialog);
}

bool WidgetEntryEditor::EditAioEmail(CAdrMemberAioEmail &entry, const CAdrData &data) {
    CDlgAioEmailMember dialog(entry, data, m_prompt, m_parent);
    return Run(dialog);
}

bool WidgetEntryEditor::EditServer(CAdrMemberAioServer &entry, ServerShareSettings &share, const CAdrData &data) {
    CDlgServerAddress dialog(entry, share, data, m_service, m_prompt, m_parent);
    return Run(dialog);
}

bool WidgetEntryEditor::EditAioFaxGroup(CAdrGroupAioFax &group, const CAdrData &data) {
    CDlgGroup dialog(group, CDlgGroup::AioFax, data, m_prompt, m_parent);
    return Run(dialog);
}

bool WidgetEntryEditor::EditAioEmailGroup(CAdrGroupAioEmail &group, const CAdrData &data) {
    CDlgGroup dialog(group, CDlgGroup::AioEmail, data, m_prompt, m_parent);
    return Run(dialog);
}

bool WidgetEntryEditor::EditPcFaxGroup(CAdrGroupPcFax &group, const CAdrData &data) {
    CDlgGroup dialog(group, CDlgGroup::PcFax, data, m_prompt, m_parent);
    return Run(dialog);
}
