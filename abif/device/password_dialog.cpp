#include "device/password_dialog.h"

#include "core/library_ui.h"
#include "l10n/library_strings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace abif {

CPasscodeDlg::CPasscodeDlg(PasswordKind kind, int32_t language, QWidget *parent)
    : CL10NDialog(ids::EnterPassword, kHelpTopic, language, parent), edit_(new QLineEdit(this)) {
    auto *prompt = new QLabel(
        text(kind == PasswordKind::SystemAdministrator ? ids::AdministratorPasswordPrompt : ids::LockPasswordPrompt),
        this);
    prompt->setObjectName(QStringLiteral("prompt"));

    edit_->setObjectName(QStringLiteral("password"));
    edit_->setEchoMode(QLineEdit::Password);
    edit_->setMaxLength(kMaxLength);
    edit_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit_));
    auto *caption = new QLabel(text(ids::PasswordLabel), this);
    caption->setBuddy(edit_);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help,
                                         this);
    localizeButtons(buttons);
    // This dialog keeps its Help button in place and greys it out instead.
    QPushButton *help = buttons->button(QDialogButtonBox::Help);
    help->setObjectName(QStringLiteral("help"));
    help->setVisible(true);
    help->setEnabled(helpAvailable());
    connect(buttons, &QDialogButtonBox::accepted, this, &CPasscodeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPasscodeDlg::reject);

    auto *field = new QFormLayout;
    field->addRow(caption, edit_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(field);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CPasscodeDlg::accept() {
    const QString entered = edit_->text();
    if (entered.size() < kMinLength) {
        libraryUi().message(text(ids::PasswordLength), MessageButtons::Ok, MessageIcon::Warning);
        edit_->setMaxLength(kMaxLength);
        edit_->setFocus();
        return;
    }
    password_ = entered;
    QDialog::accept();
}

}  // namespace abif
