#include "l10n/l10n_dialog.h"

#include "core/library_module.h"
#include "l10n/library_strings.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace abif {

void applyReadingOrder(QWidget *widget, int32_t language) {
    widget->setLayoutDirection(isRightToLeftLanguage(language) ? Qt::RightToLeft : Qt::LeftToRight);
}

void alignTextsForReadingOrder(QWidget *widget, int32_t language) {
    if (!isRightToLeftLanguage(language)) return;
    for (QLabel *label : widget->findChildren<QLabel *>())
        label->setAlignment((label->alignment() & Qt::AlignVertical_Mask) | Qt::AlignRight | Qt::AlignAbsolute);
}

CL10NDialog::CL10NDialog(int captionId, uint32_t helpContext, int32_t language, QWidget *parent)
    : QDialog(parent), language_(language), helpContext_(helpContext) {
    setWindowTitle(text(captionId));
    applyReadingOrder(this, language);
}

QString CL10NDialog::text(int id) const { return loadString(id, language_); }

bool CL10NDialog::helpAvailable() const { return helpContext_ != 0 && hasHelpFile(); }

void CL10NDialog::localizeButtons(QDialogButtonBox *buttons) {
    const struct {
        QDialogButtonBox::StandardButton button;
        int textId;
    } texts[] = {{QDialogButtonBox::Ok, ids::Ok},
                 {QDialogButtonBox::Cancel, ids::Cancel},
                 {QDialogButtonBox::Help, ids::Help}};
    for (const auto &entry : texts)
        if (QPushButton *button = buttons->button(entry.button)) button->setText(text(entry.textId));
    if (QPushButton *help = buttons->button(QDialogButtonBox::Help)) help->setVisible(helpAvailable());
    connect(buttons, &QDialogButtonBox::helpRequested, this, &CL10NDialog::showHelp);
}

void CL10NDialog::showHelp() const {
    if (helpAvailable()) requestHelp(helpContext_);
}

void CL10NDialog::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        showHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CL10NDialog::showEvent(QShowEvent *event) {
    alignTextsForReadingOrder(this, language_);
    QDialog::showEvent(event);
}

}  // namespace abif
