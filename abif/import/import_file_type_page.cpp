#include "import/import_file_type_page.h"

#include "core/library_ui.h"
#include "import/csv_import.h"
#include "import/import_file_chooser.h"
#include "import/import_kinds.h"
#include "import/import_wizard.h"
#include "import/mail_program_book.h"
#include "l10n/library_strings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace abif {

CImportFileTypeWizPage::CImportFileTypeWizPage(CImportWizard &wizard)
    : CL10NPropPage(ids::SelectFileTitle, ids::SelectFileSubtitle, kHelpTopic, wizard.language()),
      wizard_(wizard), type_(new QComboBox(this)), path_(new QLineEdit(this)),
      browse_(new QPushButton(text(ids::Browse), this)),
      useDefault_(new QCheckBox(text(ids::UseDefaultAddressBook), this)) {
    type_->setObjectName(QStringLiteral("fileType"));
    path_->setObjectName(QStringLiteral("path"));
    browse_->setObjectName(QStringLiteral("browse"));
    useDefault_->setObjectName(QStringLiteral("useDefault"));
    auto *caption = new QLabel(text(ids::FileType), this);
    caption->setBuddy(type_);

    type_->addItem(text(ids::CsvFile), SourceCsv);
    type_->addItem(text(ids::VCardFile), SourceVCard);
    if (CMailProgramCtrl::isAvailable()) type_->addItem(text(ids::MailProgramBook), SourceMailProgram);
    const ImportWizardState &state = wizard_.state();
    type_->setCurrentIndex(std::max(0, type_->findData(state.source)));
    path_->setText(state.path);
    enableControls();

    connect(type_, &QComboBox::currentIndexChanged, this, &CImportFileTypeWizPage::sourceChanged);
    connect(useDefault_, &QCheckBox::toggled, this, &CImportFileTypeWizPage::enableControls);
    connect(browse_, &QPushButton::clicked, this, &CImportFileTypeWizPage::browse);

    auto *layout = new QGridLayout(this);
    layout->addWidget(caption, 0, 0, 1, 2);
    layout->addWidget(type_, 1, 0, 1, 2);
    layout->addWidget(useDefault_, 2, 0, 1, 2);
    layout->addWidget(path_, 3, 0);
    layout->addWidget(browse_, 3, 1);
    layout->setRowStretch(4, 1);
}

int32_t CImportFileTypeWizPage::chosenSource() const { return type_->currentData().toInt(); }

bool CImportFileTypeWizPage::usesDefaultBook() const {
    return chosenSource() == SourceVCard && useDefault_->isChecked();
}

int CImportFileTypeWizPage::nextId() const { return CImportWizard::PageDestination; }

void CImportFileTypeWizPage::enableControls() {
    const int32_t source = chosenSource();
    const bool needsPath = source == SourceCsv || (source == SourceVCard && !useDefault_->isChecked());
    useDefault_->setEnabled(source == SourceVCard);
    path_->setEnabled(needsPath);
    browse_->setEnabled(needsPath);
}

void CImportFileTypeWizPage::sourceChanged() {
    path_->clear();
    enableControls();
}

void CImportFileTypeWizPage::browse() {
    const bool csv = chosenSource() == SourceCsv;
    const auto chosen = importFileChooser().chooseFile(this, text(csv ? ids::CsvFileFilter : ids::VCardFileFilter),
                                                       csv ? QStringLiteral("csv") : QStringLiteral("vcf"),
                                                       path_->text());
    if (chosen) path_->setText(*chosen);
}

void CImportFileTypeWizPage::showMessage(int textId) const {
    libraryUi().message(text(textId), MessageButtons::Ok, MessageIcon::Warning);
}

bool CImportFileTypeWizPage::validatePage() {
    ImportWizardState &state = wizard_.state();
    state.source = chosenSource();
    state.path = usesDefaultBook() || state.source == SourceMailProgram ? QString() : path_->text();
    if (state.source == SourceCsv || (state.source == SourceVCard && !usesDefaultBook())) {
        const QFileInfo file(state.path);
        if (state.path.isEmpty() || !file.exists() || file.isDir()) {
            showMessage(ids::FileNotFound);
            return false;
        }
    }
    if (state.source == SourceCsv) {
        QStringList header;
        if (ReadCsvFirstLine(state.path, header) != ABIF_OK) {
            showMessage(ids::CsvUnreadable);
            return false;
        }
    }
    state.headerNeedsReading = true;
    return true;
}

}  // namespace abif
