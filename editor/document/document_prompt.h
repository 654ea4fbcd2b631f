// Everything the document asks of a person goes through this interface, so
// that document logic runs headless and tests can script the answers.
#pragma once

#include <QString>

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptIcon { Information, Warning, Question, Error };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// A file to choose. `filter` lists description and pattern pairs separated
// by '|' and ends with "||", as in "Text(*.txt)|*.txt|All Files (*.*)|*.*||".
struct FileChoice {
    enum Mode { Open, Save };
    Mode mode = Open;
    QString filter;
    QString defaultSuffix;  // without the dot; added when the name has none
    QString initialPath;
};

class DocumentPrompt {
public:
    virtual ~DocumentPrompt() = default;
    // A message box with the application's caption; returns the button chosen.
    virtual PromptAnswer message(const QString &text, PromptButtons buttons, PromptIcon icon) = 0;
    // The chosen path, or an empty text when the person cancelled. Open only
    // offers files that exist; Save asks before overwriting one.
    virtual QString chooseFile(const FileChoice &choice) = 0;
};
