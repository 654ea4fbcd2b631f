#include "dialogs/widget_export_chooser.h"

#include "dialogs/dlg_export_from.h"

WidgetExportSourceChooser::WidgetExportSourceChooser(QWidget *parent, DocumentPrompt &prompt,
                                                     std::function<void(int)> openHelp)
    : m_parent(parent), m_prompt(prompt), m_openHelp(std::move(openHelp)) {}

std::optional<ExportChoice> WidgetExportSourceChooser::ChooseExportSource(bool machineAvailable) {
    CDlgExportFrom dialog(machineAvailable, m_prompt, m_parent);
    QObject::connect(&dialog, &CDlgExportFrom::helpRequested, &dialog, [this](int topic) {
        if (m_openHelp) m_openHelp(topic);
    });
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return ExportChoice{dialog.ExportSource(), dialog.ExportFileName()};
}
