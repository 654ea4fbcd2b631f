#include "l10n/l10n_wizard.h"

#include "core/library_module.h"
#include "l10n/l10n_dialog.h"
#include "l10n/library_strings.h"

namespace abif {

CL10NPropPage::CL10NPropPage(int titleId, int subTitleId, uint32_t helpContext, int32_t language, QWidget *parent)
    : QWizardPage(parent), language_(language), helpContext_(helpContext) {
    setTitle(text(titleId));
    setSubTitle(text(subTitleId));
}

QString CL10NPropPage::text(int id) const { return loadString(id, language_); }

CL10NPropSheet::CL10NPropSheet(int captionId, int32_t language, QWidget *parent)
    : QWizard(parent), language_(language) {
    setWindowTitle(text(captionId));
    applyReadingOrder(this, language);
    setButtonText(BackButton, text(ids::Back));
    setButtonText(NextButton, text(ids::Next));
    setButtonText(FinishButton, text(ids::Finish));
    setButtonText(CancelButton, text(ids::Cancel));
    setButtonText(HelpButton, text(ids::Help));
    setOption(HaveHelpButton, hasHelpFile());
    connect(this, &QWizard::helpRequested, this, &CL10NPropSheet::showPageHelp);
}

QString CL10NPropSheet::text(int id) const { return loadString(id, language_); }

void CL10NPropSheet::showEvent(QShowEvent *event) {
    alignTextsForReadingOrder(this, language_);
    QWizard::showEvent(event);
}

void CL10NPropSheet::showPageHelp() const {
    if (const auto *page = qobject_cast<const CL10NPropPage *>(currentPage()); page && page->helpContext())
        requestHelp(page->helpContext());
}

}  // namespace abif
