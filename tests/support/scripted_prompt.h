// Answers prompts from a script and remembers every message shown and every
// file choice asked for.
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

    // An empty script entry, or none left, cancels.
    QString chooseFile(const FileChoice &choice) override {
        choices.append(choice);
        return files.isEmpty() ? QString() : files.takeFirst();
    }

    QList<PromptAnswer> answers;
    QStringList shown;
    QStringList files;
    QList<FileChoice> choices;
};
