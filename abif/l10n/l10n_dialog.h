// Base of the library's dialogs: every text comes from the string tables in
// the language of the thread that asked for the dialog, Hebrew and Arabic
// lay out right to left, and help is offered only when a help file is set.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>

#include <cstdint>

namespace abif {

class CL10NDialog : public QDialog {
    Q_OBJECT
public:
    // `language` is the caller's: a dialog built on the GUI thread for a
    // worker still speaks the worker's language. `helpContext` 0: no help.
    CL10NDialog(int captionId, uint32_t helpContext, int32_t language, QWidget *parent = nullptr);

    [[nodiscard]] int32_t language() const { return language_; }
    [[nodiscard]] QString text(int id) const;
    [[nodiscard]] bool helpAvailable() const;

protected:
    // Gives standard buttons the library's texts; Help shows the dialog's
    // topic and is hidden while there is no help file.
    void localizeButtons(QDialogButtonBox *buttons);
    void showHelp() const;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    const int32_t language_;
    const uint32_t helpContext_;
};

// Applies the layout direction of `language` to a widget.
void applyReadingOrder(QWidget *widget, int32_t language);
// Right-to-left languages read from the right edge even where a text falls
// back to English, whose own direction would pull it left: holds every
// label of `widget` to the right. Call once the labels exist.
void alignTextsForReadingOrder(QWidget *widget, int32_t language);

}  // namespace abif
