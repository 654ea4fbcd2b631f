// Asks for the machine's password: digits only, hidden, 4 to 6 of them.
#pragma once

#include "core/library_ui.h"
#include "l10n/l10n_dialog.h"

class QLineEdit;

namespace abif {

class CPasscodeDlg : public CL10NDialog {
    Q_OBJECT
public:
    static constexpr int kMinLength = 4;
    static constexpr int kMaxLength = 6;
    static constexpr uint32_t kHelpTopic = 100004;

    CPasscodeDlg(PasswordKind kind, int32_t language, QWidget *parent = nullptr);

    // The accepted password, after OK.
    [[nodiscard]] QString password() const { return password_; }

protected:
    void accept() override;

private:
    QLineEdit *edit_;
    QString password_;
};

}  // namespace abif
