// The document's export choice through the export-source dialog.
#pragma once

#include "document/export_source_chooser.h"

#include <functional>

class DocumentPrompt;
class QWidget;

class WidgetExportSourceChooser : public ExportSourceChooser {
public:
    // `openHelp` receives the help topic of the dialog's Help button.
    WidgetExportSourceChooser(QWidget *parent, DocumentPrompt &prompt, std::function<void(int topic)> openHelp);

    std::optional<ExportChoice> ChooseExportSource(bool machineAvailable) override;

private:
    QWidget *m_parent;
    DocumentPrompt &m_prompt;
    std::function<void(int)> m_openHelp;
};
