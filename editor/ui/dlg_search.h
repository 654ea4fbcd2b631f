// The modeless search dialog: steps through the list to the next row whose
// displayed texts match the words typed, in the chosen mode and direction,
// and offers to go on from the other end when it runs out of rows.
#pragma once

#include "ui/search_target.h"

#include <QDialog>
#include <QPointer>

#include <memory>

class DocumentPrompt;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CDlgSearch : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 1012;
    static constexpr int kMaxTextLength = 254;

    // Questions go to `prompt`, or to message boxes over the dialog without one.
    // The target must outlive the dialog: the list passes itself as parent.
    CDlgSearch(CLqaSearchTarget &target, DocumentPrompt *prompt, QWidget *parent = nullptr);
    ~CDlgSearch() override;

    // The list's Search command: shows a new dialog, centred on the screen,
    // and keeps it in `open`, or brings the one already there to the front.
    // Closing the dialog destroys it, which empties `open`.
    static CDlgSearch *Open(QPointer<CDlgSearch> &open, CLqaSearchTarget &target, QWidget *parent,
                            DocumentPrompt *prompt = nullptr);

    // The Next button: selects the next matching row, asking whether to go on
    // from the other end each time nothing is found.
    void FindNextRow();
    // The Clear button: Down, the first mode, no text, focus in the text field.
    void ClearSearch();

    [[nodiscard]] QLineEdit *TextField() const { return m_text; }
    [[nodiscard]] QComboBox *ModeBox() const { return m_mode; }
    [[nodiscard]] QRadioButton *UpButton() const { return m_up; }
    [[nodiscard]] QRadioButton *DownButton() const { return m_down; }
    [[nodiscard]] QPushButton *NextButton() const { return m_next; }
    [[nodiscard]] QPushButton *ClearButton() const { return m_clear; }
    [[nodiscard]] QPushButton *HelpButton() const { return m_help; }
    [[nodiscard]] QPushButton *CloseButton() const { return m_close; }

signals:
    void helpRequested(int topic);

private:
    void CentreOnScreen();

    CLqaSearchTarget &m_target;
    std::unique_ptr<DocumentPrompt> m_ownPrompt;
    DocumentPrompt *m_prompt;
    QLineEdit *m_text;
    QComboBox *m_mode;
    QRadioButton *m_up;
    QRadioButton *m_down;
    QPushButton *m_next;
    QPushButton *m_clear;
    QPushButton *m_help;
    QPushButton *m_close;
};
