// Answers prompts from a script and remembers every message shown.
#pragma once

#include "document/document_prompt.h"

#include <QList>
#include <QStringList>

class ScriptedPrompt : public DocumentPrompt {
public:
    PromptAnswer message(const QString &text, PromptButtons buttons, PromptIcon) override {
        shown.append(text);
        if (!answers.isEmpty()) return answers.takeFirst();
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
    }

    QList<PromptAnswer> answers;
    QStringList shown;
};
