// What every entry dialog shares: the form of fields, the ID field unlocked
// by its check box, the title that follows the ID and name as they are
// typed, and the order in which OK checks the fields before anything is
// written into the entry.
#pragma once

#include "dialogs/dlg_ctrl_edit.h"
#include "document/document_prompt.h"

#include <QDialog>

#include <functional>
#include <vector>

class QCheckBox;
class QFormLayout;
class QVBoxLayout;

class CDlgEntry : public QDialog {
    Q_OBJECT
public:
    // Returns the message for a text that breaks the field's rule, else empty.
    using Rule = std::function<QString(const QString &text)>;

    // OK: fill-in check, ID range, the fields' rules in field order, the
    // dialog's own questions, the overwrite question; then the entry is
    // written and the dialog closes. The first failure keeps it open.
    void accept() override;

    [[nodiscard]] CDlgCtrlEdit *IdField() const { return m_idField; }
    [[nodiscard]] QCheckBox *SpecifyIdBox() const { return m_specifyId; }
    [[nodiscard]] CDlgCtrlEdit *NameField() const { return m_nameField; }

signals:
    void helpRequested(int topic);

protected:
    struct IdRow {
        quint16 id;
        int digits;  // shown zero-padded to this many digits; 1 for none
        int maxChars;
        quint16 maxId;
        int captionTextId;
        int nameTextId;
    };
    CDlgEntry(DocumentPrompt &prompt, int helpTopic, int titleTextId, QWidget *parent);

    void AddIdRow(const IdRow &row);
    // For entries whose ID is not shown: the ID they keep.
    void SetFixedId(quint16 id) { m_initialId = id; }
    // The field whose text the title shows as the name.
    CDlgCtrlEdit *AddNameRow(int captionTextId, int maxChars, const QString &text);
    CDlgCtrlEdit *AddTextRow(int captionTextId, int maxChars, const QString &text);
    // `buddy`: the control the caption's shortcut reaches, when `field` holds several.
    void AddRow(int captionTextId, QWidget *field, QWidget *buddy = nullptr);
    // Fields are checked in the order they were added.
    void AddCheck(QWidget *field, int nameTextId, bool required, Rule rule);
    [[nodiscard]] QFormLayout *Form() const { return m_form; }
    // Below the form, above the buttons.
    [[nodiscard]] QVBoxLayout *Body() const { return m_body; }
    void SetEntryIcon(int iconNumber);

    [[nodiscard]] bool HasIdField() const { return m_idField != nullptr; }
    [[nodiscard]] quint16 InitialId() const { return m_initialId; }
    [[nodiscard]] quint16 EnteredId() const;
    [[nodiscard]] QString NameText() const;

    [[nodiscard]] virtual bool IdTaken(quint16 id) const;
    // Asked after every field passed, before the overwrite question.
    virtual bool ConfirmBeforeOverwrite() { return true; }
    // Asked last, after the overwrite question.
    virtual bool ConfirmAfterOverwrite() { return true; }
    // Writes the accepted fields into the entry.
    virtual void Commit() = 0;

    PromptAnswer Ask(const QString &text, PromptButtons buttons, PromptIcon icon);
    // Shows `message`, puts the focus into `field` with its text selected.
    void Refuse(QWidget *field, const QString &message);
    [[nodiscard]] DocumentPrompt &Prompt() const { return m_prompt; }
    void UpdateTitle();

private:
    struct Check {
        QWidget *field;
        int nameTextId;
        bool required;
        Rule rule;
    };

    [[nodiscard]] bool CheckFilledIn();
    [[nodiscard]] bool CheckIdRange();
    [[nodiscard]] bool CheckRules();
    void SpecifyIdToggled(bool on);

    DocumentPrompt &m_prompt;
    int m_titleTextId;
    QFormLayout *m_form;
    QVBoxLayout *m_body;
    CDlgCtrlEdit *m_idField = nullptr;
    QCheckBox *m_specifyId = nullptr;
    CDlgCtrlEdit *m_nameField = nullptr;
    QString m_initialIdText;
    quint16 m_initialId = 0;
    quint16 m_maxId = 0;
    std::vector<Check> m_checks;
};

// Rules shared by several dialogs.
[[nodiscard]] CDlgEntry::Rule PrintableRule(int nameTextId);
[[nodiscard]] CDlgEntry::Rule FaxNumberRule(int nameTextId);
// For fields without a rule of their own: any character but control
// characters, and those of `allowed`.
[[nodiscard]] CDlgEntry::Rule NoControlCharactersRule(int nameTextId, const QString &allowed = {});
// The text of a line or several-line field.
[[nodiscard]] QString FieldText(const QWidget *field);
