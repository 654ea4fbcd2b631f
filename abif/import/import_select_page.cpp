#include "import/import_select_page.h"

#include "import/import_kinds.h"
#include "import/import_wizard.h"
#include "l10n/library_strings.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace abif {

namespace {

// The first allowed of fax, PC fax address book, email.
int32_t initialDestination(int32_t allowed) {
    for (int32_t destination : {DestinationFax, DestinationPcFax, DestinationEmail})
        if (allowed & destination) return destination;
    return DestinationEmail;
}

}  // namespace

CImportSelectWizPage::CImportSelectWizPage(CImportWizard &wizard)
    : CL10NPropPage(ids::SelectDestinationTitle, ids::SelectDestinationSubtitle, kHelpTopic, wizard.language()),
      wizard_(wizard), choice_(new QButtonGroup(this)) {
    int32_t allowed = wizard.state().allowedDestinations;
    if (allowed & DestinationFaxAlias) allowed |= DestinationFax;
    auto *layout = new QVBoxLayout(this);
    const struct {
        int32_t destination;
        int textId;
        const char *name;
    } buttons[] = {{DestinationFax, ids::DestinationFax, "fax"},
                   {DestinationEmail, ids::DestinationEmail, "email"},
                   {DestinationPcFax, ids::DestinationPcFax, "pcFax"}};
    for (const auto &button : buttons) {
        auto *radio = new QRadioButton(text(button.textId), this);
        radio->setObjectName(QString::fromLatin1(button.name));
        // A book the caller did not allow cannot be chosen.
        radio->setEnabled(allowed & button.destination);
        choice_->addButton(radio, button.destination);
        layout->addWidget(radio);
    }
    layout->addStretch();
    choice_->button(initialDestination(allowed))->setChecked(true);
}

bool CImportSelectWizPage::validatePage() {
    wizard_.state().destination = choice_->checkedId();
    return true;
}

int CImportSelectWizPage::nextId() const {
    return wizard_.state().source == SourceCsv ? CImportWizard::PageAssignment : CImportWizard::PageConfirmation;
}

}  // namespace abif
