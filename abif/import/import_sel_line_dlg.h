// The row selection of a CSV import: candidate rows on the left, rows to
// import on the right, moved by buttons, double-clicks or dragging.
#pragma once

#include "import/import_row_selection.h"
#include "l10n/l10n_dialog.h"

struct CAbifData;
class QPushButton;

namespace abif {

class CDlgListCtrl;
class CImportRowsModel;

class CImportSelLineDlg : public CL10NDialog {
    Q_OBJECT
public:
    static constexpr uint32_t kHelpTopic = 100003;

    // `parsed` holds the rows of `destination`'s kind, `marks` one mark per
    // row (1: chosen). On OK `result` holds the chosen rows in the order of
    // the right list, and nothing else.
    CImportSelLineDlg(const CAbifData &parsed, int32_t destination, int32_t limit, const std::vector<int> &marks,
                      int32_t options, CAbifData &result, int32_t language, QWidget *parent = nullptr);
    ~CImportSelLineDlg() override;

    // After OK: one mark per row, and how many rows `result` took.
    [[nodiscard]] std::vector<int> marks() const { return selection_.marks(); }
    [[nodiscard]] int32_t addedCount() const { return added_; }

    // "&Add >>" and "<< &Delete".
    void addHighlighted();
    void removeHighlighted();

    void accept() override;

private:
    void refill();
    void updateButtons();
    void showLimitMessage() const;
    void trackDrag(CDlgListCtrl *source, CDlgListCtrl *target, QPoint globalPosition);
    void dropFrom(CDlgListCtrl *source, CDlgListCtrl *target, QPoint globalPosition);
    [[nodiscard]] static bool isOver(const CDlgListCtrl *list, QPoint globalPosition);

    const CAbifData &parsed_;
    const int32_t destination_;
    CAbifData &result_;
    CImportRowSelection selection_;
    int32_t added_ = 0;
    CImportRowsModel *candidateModel_;
    CImportRowsModel *chosenModel_;
    CDlgListCtrl *candidates_;
    CDlgListCtrl *chosen_;
    QPushButton *add_;
    QPushButton *remove_;
};

}  // namespace abif
