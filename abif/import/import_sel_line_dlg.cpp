#include "import/import_sel_line_dlg.h"

#include "core/abif_data.h"
#include "core/library_ui.h"
#include "import/dlg_list_ctrl.h"
#include "import/import_kinds.h"
#include "import/import_rows_model.h"
#include "l10n/library_strings.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <span>

namespace abif {

namespace {

CDlgListCtrl *makeList(CImportRowsModel *model, const QString &name, QWidget *parent) {
    auto *list = new CDlgListCtrl(parent);
    list->setObjectName(name);
    list->setModel(model);
    const std::vector<int> widths = model->columnWidths();
    for (size_t column = 0; column < widths.size(); ++column)
        list->header()->resizeSection(static_cast<int>(column), widths[column]);
    return list;
}

}  // namespace

CImportSelLineDlg::CImportSelLineDlg(const CAbifData &parsed, int32_t destination, int32_t limit,
                                     const std::vector<int> &marks, int32_t options, CAbifData &result,
                                     int32_t language, QWidget *parent)
    : CL10NDialog(ids::SelectDataTitle, kHelpTopic, language, parent), parsed_(parsed),
      destination_(normalisedDestination(destination)), result_(result), selection_(marks, limit),
      candidateModel_(new CImportRowsModel(parsed, destination_, language, this)),
      chosenModel_(new CImportRowsModel(parsed, destination_, language, this)),
      candidates_(makeList(candidateModel_, QStringLiteral("candidates"), this)),
      chosen_(makeList(chosenModel_, QStringLiteral("chosen"), this)),
      add_(new QPushButton(text(ids::AddRows), this)), remove_(new QPushButton(text(ids::RemoveRows), this)) {
    add_->setObjectName(QStringLiteral("add"));
    remove_->setObjectName(QStringLiteral("remove"));
    auto *candidatesCaption = new QLabel(text(ids::SelectDataCandidates), this);
    candidatesCaption->setBuddy(candidates_);
    auto *chosenCaption = new QLabel(text(ids::SelectDataChosen), this);
    chosenCaption->setBuddy(chosen_);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help,
                                         this);
    localizeButtons(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CImportSelLineDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CImportSelLineDlg::reject);
    connect(add_, &QPushButton::clicked, this, &CImportSelLineDlg::addHighlighted);
    connect(remove_, &QPushButton::clicked, this, &CImportSelLineDlg::removeHighlighted);
    connect(candidates_, &QAbstractItemView::doubleClicked, this, &CImportSelLineDlg::addHighlighted);
    connect(chosen_, &QAbstractItemView::doubleClicked, this, &CImportSelLineDlg::removeHighlighted);
    for (const auto &pair : {std::pair{candidates_, chosen_}, std::pair{chosen_, candidates_}}) {
        // Named copies: clang cannot capture structured bindings.
        CDlgListCtrl *source = pair.first;
        CDlgListCtrl *target = pair.second;
        connect(source, &CDlgListCtrl::highlightChanged, this, &CImportSelLineDlg::updateButtons);
        connect(source, &CDlgListCtrl::dragMoved, this,
                [this, source, target](QPoint at) { trackDrag(source, target, at); });
        connect(source, &CDlgListCtrl::dragDropped, this,
                [this, source, target](QPoint at) { dropFrom(source, target, at); });
    }

    auto *middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(add_);
    middle->addWidget(remove_);
    middle->addStretch();
    auto *layout = new QGridLayout(this);
    layout->addWidget(candidatesCaption, 0, 0);
    layout->addWidget(candidates_, 1, 0);
    layout->addLayout(middle, 1, 1);
    layout->addWidget(chosenCaption, 0, 2);
    layout->addWidget(chosen_, 1, 2);
    layout->addWidget(buttons, 2, 0, 1, 3);
    resize(900, 480);

    refill();
    if ((options & kImportHighlightCandidates) && !selection_.candidates().empty())
        candidates_->highlightRange(0, static_cast<int>(selection_.candidates().size()) - 1);
    updateButtons();
}

CImportSelLineDlg::~CImportSelLineDlg() = default;

void CImportSelLineDlg::refill() {
    candidateModel_->setRows(selection_.candidates());
    chosenModel_->setRows(selection_.chosen());
}

void CImportSelLineDlg::updateButtons() {
    add_->setEnabled(candidates_->hasHighlightedRows());
    remove_->setEnabled(chosen_->hasHighlightedRows());
}

void CImportSelLineDlg::showLimitMessage() const {
    libraryUi().message(formatText(text(ids::ImportLimit), {QString::number(selection_.limit())}),
                        MessageButtons::Ok, MessageIcon::Warning);
}

void CImportSelLineDlg::addHighlighted() {
    const std::vector<int> rows = candidates_->highlightedRows();
    if (rows.empty()) return;
    if (!selection_.choose(rows)) {
        showLimitMessage();
        return;
    }
    refill();
    // The moved rows stay highlighted at the end of the right list.
    const int count = static_cast<int>(selection_.chosen().size());
    chosen_->highlightRange(count - static_cast<int>(rows.size()), count - 1);
    chosen_->scrollToBottom();
    updateButtons();
}

void CImportSelLineDlg::removeHighlighted() {
    const std::vector<int> rows = chosen_->highlightedRows();
    if (rows.empty()) return;
    selection_.unchoose(rows);
    refill();
    updateButtons();
}

bool CImportSelLineDlg::isOver(const CDlgListCtrl *list, QPoint globalPosition) {
    return list->rect().contains(list->mapFromGlobal(globalPosition));
}

void CImportSelLineDlg::trackDrag(CDlgListCtrl *source, CDlgListCtrl *target, QPoint globalPosition) {
    source->viewport()->setCursor(isOver(target, globalPosition) ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
}

void CImportSelLineDlg::dropFrom(CDlgListCtrl *source, CDlgListCtrl *target, QPoint globalPosition) {
    source->viewport()->unsetCursor();
    if (!isOver(target, globalPosition)) return;
    if (source == candidates_)
        addHighlighted();
    else
        removeHighlighted();
}

void CImportSelLineDlg::accept() {
    if (!selection_.withinLimit()) {
        showLimitMessage();
        return;
    }
    result_.clearAll();
    added_ = 0;
    withDestinationRecord(destination_, [this](auto kind) {
        using Record = decltype(kind);
        const auto &rows = parsed_.array<Record>();
        auto &into = result_.array<Record>();
        for (int row : selection_.chosen())
            if (into.append(std::span<const Record>(&rows.at(row), 1))) ++added_;
    });
    CL10NDialog::accept();
}

}  // namespace abif
