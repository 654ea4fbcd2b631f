// The wizard's first page: the kind of source and the file to read.
#pragma once

#include "l10n/l10n_wizard.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace abif {

class CImportWizard;

class CImportFileTypeWizPage : public CL10NPropPage {
    Q_OBJECT
public:
    static constexpr uint32_t kHelpTopic = 100006;

    explicit CImportFileTypeWizPage(CImportWizard &wizard);

    bool validatePage() override;
    int nextId() const override;

private:
    [[nodiscard]] int32_t chosenSource() const;
    [[nodiscard]] bool usesDefaultBook() const;
    void enableControls();
    void sourceChanged();
    void browse();
    void showMessage(int textId) const;

    CImportWizard &wizard_;
    QComboBox *type_;
    QLineEdit *path_;
    QPushButton *browse_;
    QCheckBox *useDefault_;
};

}  // namespace abif
