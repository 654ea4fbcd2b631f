// The import wizard: choose a source, a destination book, (for CSV) which
// column fills which field, then the entries to import.
#pragma once

#include "core/abif_data.h"
#include "l10n/l10n_wizard.h"

#include <QStringList>

#include <vector>

namespace abif {

class CImportFileTypeWizPage;
class CImportSelectWizPage;
class CImportCSVWizPage;
class CImportResultWizPage;

// What the pages share.
struct ImportWizardState {
    int32_t source = 0;
    QString path;
    int32_t allowedDestinations = 0;
    int32_t destination = 0;
    int32_t options = 0;
    // Every valid row of the CSV file, and one mark per row (1: chosen).
    CAbifData parsed;
    std::vector<int> marks;
    // The chosen entries; the limits are the caller's.
    CAbifData result;
    int32_t chosenCount = 0;
    int32_t resultCode = ABIF_E_CANCEL;
    // Set when the file page is left with Next: the header is read again.
    bool headerNeedsReading = false;
};

class CImportWizard : public CL10NPropSheet {
    Q_OBJECT
public:
    enum PageId { PageFile, PageDestination, PageAssignment, PageConfirmation };

    // The result starts empty, with the limits of `limits`.
    CImportWizard(int32_t source, const QString &path, int32_t allowedDestinations, const CAbifData &limits,
                  int32_t options, int32_t language, QWidget *parent = nullptr);
    ~CImportWizard() override;

    [[nodiscard]] ImportWizardState &state() { return state_; }
    [[nodiscard]] const ImportWizardState &state() const { return state_; }
    // ABIF_OK after Finish, ABIF_E_CANCEL after Cancel, or the failure
    // that ended the wizard.
    [[nodiscard]] int32_t resultCode() const { return state_.resultCode; }

    // Ends the wizard with a failure.
    void endWithFailure(int32_t code);

    void accept() override;

private:
    ImportWizardState state_;
};

// Runs the wizard on the calling thread and, after Finish, replaces
// `container` by the chosen entries. A process or thread that cannot show a
// window answers as cancelled.
int32_t runImportWizard(int32_t source, const QString &path, int32_t allowedDestinations, CAbifData &container,
                        int32_t options);

}  // namespace abif
