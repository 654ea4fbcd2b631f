#include "import/import_wizard.h"

#include "core/diagnostic_log.h"
#include "core/library_module.h"
#include "import/import_csv_page.h"
#include "import/import_file_type_page.h"
#include "import/import_kinds.h"
#include "import/import_result_page.h"
#include "import/import_select_page.h"
#include "l10n/library_strings.h"

#include <QApplication>
#include <QThread>
#include <QTimer>

namespace abif {

namespace {

constexpr int32_t kKnownDestinations = DestinationFaxAlias | DestinationPcFax | DestinationFax | DestinationEmail;

bool canShowWindows() {
    return qobject_cast<QApplication *>(QCoreApplication::instance()) &&
           QThread::currentThread() == QCoreApplication::instance()->thread();
}

}  // namespace

CImportWizard::CImportWizard(int32_t source, const QString &path, int32_t allowedDestinations,
                             const CAbifData &limits, int32_t options, int32_t language, QWidget *parent)
    : CL10NPropSheet(ids::ImportTitle, language, parent) {
    state_.source = source;
    state_.path = path;
    state_.allowedDestinations = allowedDestinations;
    state_.destination = allowedDestinations;
    state_.options = options;
    state_.result = limits;
    state_.result.clearAll();
    setWizardStyle(QWizard::ModernStyle);
    setPage(PageFile, new CImportFileTypeWizPage(*this));
    setPage(PageDestination, new CImportSelectWizPage(*this));
    setPage(PageAssignment, new CImportCSVWizPage(*this));
    setPage(PageConfirmation, new CImportResultWizPage(*this));
    setStartId(PageFile);
    resize(640, 520);
}

CImportWizard::~CImportWizard() = default;

void CImportWizard::endWithFailure(int32_t code) {
    state_.resultCode = code;
    // Not from inside a page change: end once it has finished.
    QTimer::singleShot(0, this, [this] { QWizard::done(QDialog::Rejected); });
}

void CImportWizard::accept() {
    state_.resultCode = ABIF_OK;
    CL10NPropSheet::accept();
}

int32_t runImportWizard(int32_t source, const QString &path, int32_t allowedDestinations, CAbifData &container,
                        int32_t options) {
    if (!canShowWindows()) return ABIF_E_CANCEL;
    if (!(allowedDestinations & kKnownDestinations)) {
        logError(LogImport, "Import: no destination allowed (0x%x)\n", static_cast<unsigned>(allowedDestinations));
        return ABIF_E_FAIL;
    }
    CImportWizard wizard(source, path, allowedDestinations, container, options, threadLanguage(),
                         QApplication::activeWindow());
    wizard.exec();
    if (wizard.resultCode() == ABIF_OK) container = wizard.state().result;
    return wizard.resultCode();
}

}  // namespace abif
