// The wizard's last page: the entries that will be imported, chosen again
// with "Reselect records...".
#pragma once

#include "l10n/l10n_wizard.h"

#include <optional>

class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTreeView;

namespace abif {

class CImportWizard;
class CImportRowsModel;

class CImportResultWizPage : public CL10NPropPage {
    Q_OBJECT
public:
    static constexpr uint32_t kHelpTopic = 100001;
    // The row selection opens by itself this long after the page is shown.
    static constexpr int kAutoReselectMs = 100;

    explicit CImportResultWizPage(CImportWizard &wizard);
    ~CImportResultWizPage() override;

    void initializePage() override;
    void cleanupPage() override {}
    bool isComplete() const override;
    int nextId() const override { return -1; }

    // "Reselect records...".
    void reselect();

private:
    struct Visit {
        int32_t source;
        QString path;
        int32_t destination;
        friend bool operator==(const Visit &, const Visit &) = default;
    };

    void reselectCsvRows();
    void readAddressBook();
    void refill();
    void setFailed(bool failed);

    CImportWizard &wizard_;
    QLabel *count_;
    QTreeView *list_;
    QPushButton *reselect_;
    QSortFilterProxyModel *sorted_;
    CImportRowsModel *rows_ = nullptr;
    std::optional<Visit> lastVisit_;
    bool failed_ = false;
};

}  // namespace abif
