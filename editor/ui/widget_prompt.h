// The document's prompts as the desktop shows them: message boxes with the
// application's caption and the desktop's file dialogs.
#pragma once

#include "document/document_prompt.h"

#include <QStringList>

class QWidget;

class WidgetPrompt : public DocumentPrompt {
public:
    explicit WidgetPrompt(QWidget *parent = nullptr) : m_parent(parent) {}

    PromptAnswer message(const QString &text, PromptButtons buttons, PromptIcon icon) override;
    QString chooseFile(const FileChoice &choice) override;

private:
    QWidget *m_parent;
};

// The name filters of a '|'-separated filter text. "*.*" means every file,
// which Qt spells "*".
[[nodiscard]] QStringList QtNameFilters(const QString &filter);
