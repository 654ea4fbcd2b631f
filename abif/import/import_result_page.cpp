#include "import/import_result_page.h"

#include "core/diagnostic_log.h"
#include "core/library_ui.h"
#include "import/import_kinds.h"
#include "import/import_rows_model.h"
#include "import/import_sel_line_dlg.h"
#include "import/import_wizard.h"
#include "import/mail_program_book.h"
#include "import/vcard_ctrl.h"
#include "l10n/library_strings.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <memory>

namespace abif {

namespace {

int32_t limitOf(const CAbifData &data, int32_t destination) {
    return withDestinationRecord(destination, [&](auto kind) { return data.array<decltype(kind)>().limit(); });
}

int32_t countOf(const CAbifData &data, int32_t destination) {
    return withDestinationRecord(destination, [&](auto kind) { return data.array<decltype(kind)>().count(); });
}

std::unique_ptr<CMapiCtrl> addressBookReader(int32_t source) {
    if (source == SourceMailProgram) return std::make_unique<CMailProgramCtrl>();
    return std::make_unique<CVCardCtrl>();
}

}  // namespace

CImportResultWizPage::CImportResultWizPage(CImportWizard &wizard)
    : CL10NPropPage(ids::ConfirmTitle, ids::ConfirmSubtitle, kHelpTopic, wizard.language()), wizard_(wizard),
      count_(new QLabel(this)), list_(new QTreeView(this)), reselect_(new QPushButton(text(ids::Reselect), this)),
      sorted_(new QSortFilterProxyModel(this)) {
    count_->setObjectName(QStringLiteral("count"));
    list_->setObjectName(QStringLiteral("entries"));
    reselect_->setObjectName(QStringLiteral("reselect"));
    sorted_->setSortCaseSensitivity(Qt::CaseInsensitive);
    list_->setModel(sorted_);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Shown in the order chosen until a column header is clicked.
    list_->header()->setSortIndicator(-1, Qt::AscendingOrder);
    list_->setSortingEnabled(true);
    list_->header()->setSortIndicatorShown(true);
    connect(reselect_, &QPushButton::clicked, this, &CImportResultWizPage::reselect);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(count_);
    layout->addWidget(list_);
    layout->addWidget(reselect_, 0, Qt::AlignRight);
}

CImportResultWizPage::~CImportResultWizPage() = default;

bool CImportResultWizPage::isComplete() const { return !failed_; }

void CImportResultWizPage::setFailed(bool failed) {
    failed_ = failed;
    emit completeChanged();
}

void CImportResultWizPage::initializePage() {
    ImportWizardState &state = wizard_.state();
    const Visit visit{state.source, state.path, normalisedDestination(state.destination)};
    if (lastVisit_ != visit) {
        state.result.clearAll();
        state.chosenCount = 0;
    }
    if (!lastVisit_ || lastVisit_->destination != visit.destination) {
        auto *rows = new CImportRowsModel(state.result, visit.destination, language(), this);
        sorted_->setSourceModel(rows);
        delete rows_;
        rows_ = rows;
        const std::vector<int> widths = rows_->columnWidths();
        for (size_t column = 0; column < widths.size(); ++column)
            list_->header()->resizeSection(static_cast<int>(column), widths[column]);
    }
    lastVisit_ = visit;
    setFailed(false);
    refill();
    QTimer::singleShot(kAutoReselectMs, this, [this] {
        if (wizard() && wizard()->isVisible() && wizard()->currentPage() == this) reselect();
    });
}

void CImportResultWizPage::refill() {
    rows_->showAll();
    count_->setText(formatText(text(ids::ItemsWillBeImported), {QString::number(wizard_.state().chosenCount)}));
}

void CImportResultWizPage::reselect() {
    if (wizard_.state().source == SourceCsv)
        reselectCsvRows();
    else
        readAddressBook();
    refill();
}

void CImportResultWizPage::reselectCsvRows() {
    ImportWizardState &state = wizard_.state();
    CImportSelLineDlg dialog(state.parsed, state.destination, limitOf(state.result, state.destination), state.marks,
                             state.options, state.result, language(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    state.marks = dialog.marks();
    state.chosenCount = dialog.addedCount();
}

void CImportResultWizPage::readAddressBook() {
    logInfo(LogImport, "OnBnClickedBtMapi: Start\n");
    ImportWizardState &state = wizard_.state();
    const int32_t destination = normalisedDestination(state.destination);
    CAbifData read;
    withDestinationRecord(destination, [&](auto kind) { read.array<decltype(kind)>().setLimit(ABIF_LIMIT_UNLIMITED); });
    int32_t processed = 0;
    int32_t notImported = 0;
    const int32_t result = addressBookReader(state.source)->Import(this, state.path, destination, read, processed,
                                                                   notImported);
    if (result == ABIF_OK) {
        setFailed(false);
        state.result.clearAll();
        const bool allFit = withDestinationRecord(destination, [&](auto kind) {
            using Record = decltype(kind);
            return state.result.array<Record>().append(read.array<Record>().records());
        });
        if (!allFit)
            libraryUi().message(formatText(text(ids::ImportLimitExceeded),
                                           {QString::number(limitOf(state.result, destination))}),
                                MessageButtons::Ok, MessageIcon::Warning);
        state.chosenCount = countOf(state.result, destination);
    } else if (result != ABIF_E_CANCEL) {
        logError(LogImport, "OnBnClickedBtMapi: Error(WAB or MAPI) %08x\n", static_cast<unsigned>(result));
        libraryUi().message(text(ids::ImportFailed), MessageButtons::Ok, MessageIcon::Warning);
        setFailed(true);
    }
    logInfo(LogImport, "OnBnClickedBtMapi: End\n");
}

}  // namespace abif
