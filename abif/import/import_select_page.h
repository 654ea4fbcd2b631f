// The wizard's second page: the book the entries go to.
#pragma once

#include "l10n/l10n_wizard.h"

class QButtonGroup;

namespace abif {

class CImportWizard;

class CImportSelectWizPage : public CL10NPropPage {
    Q_OBJECT
public:
    static constexpr uint32_t kHelpTopic = 100002;

    explicit CImportSelectWizPage(CImportWizard &wizard);

    bool validatePage() override;
    int nextId() const override;

private:
    CImportWizard &wizard_;
    QButtonGroup *choice_;
};

}  // namespace abif
