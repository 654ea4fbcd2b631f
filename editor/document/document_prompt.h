// Everything the document asks of a person goes through this interface, so
// that document logic runs headless and tests can script the answers.
#pragma once

#include <QString>

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptIcon { Information, Warning, Question, Error };
enum class PromptAnswer { Ok, Cancel, Yes, No };

class DocumentPrompt {
public:
    virtual ~DocumentPrompt() = default;
    // A message box with the application's caption; returns the button chosen.
    virtual PromptAnswer message(const QString &text, PromptButtons buttons, PromptIcon icon) = 0;
};
