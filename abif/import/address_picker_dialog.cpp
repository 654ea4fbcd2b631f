#include "import/address_picker_dialog.h"

#include "l10n/library_strings.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace abif {

namespace {

constexpr int kEntryIndexRole = Qt::UserRole;

QIcon iconOf(AddressObjectType type) {
    return QIcon::fromTheme(type == AddressObjectType::DistList ? QStringLiteral("system-users")
                                                                 : QStringLiteral("avatar-default"));
}

}  // namespace

CAddressPickerDlg::CAddressPickerDlg(const AddressBook &book, int32_t language, QWidget *parent)
    : CL10NDialog(ids::AddressPickerTitle, 0, language, parent),
      entries_(book.entries()),
      find_(new QLineEdit(this)),
      book_(new QListWidget(this)),
      select_(new QPushButton(text(ids::AddressPickerSelect) + QStringLiteral(" ->"), this)),
      well_(new QListWidget(this)) {
    find_->setObjectName(QStringLiteral("find"));
    find_->setClearButtonEnabled(true);
    auto *findCaption = new QLabel(text(ids::AddressPickerFind), this);
    findCaption->setBuddy(find_);

    book_->setObjectName(QStringLiteral("book"));
    book_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        auto *item = new QListWidgetItem(iconOf(entries_[i].type), entries_[i].displayName, book_);
        item->setData(kEntryIndexRole, static_cast<int>(i));
    }
    book_->sortItems();

    select_->setObjectName(QStringLiteral("select"));
    select_->setEnabled(false);
    well_->setObjectName(QStringLiteral("well"));
    well_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto *wellCaption = new QLabel(text(ids::AddressPickerHeader), this);
    wellCaption->setBuddy(well_);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    localizeButtons(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAddressPickerDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CAddressPickerDlg::reject);
    connect(find_, &QLineEdit::textChanged, this, &CAddressPickerDlg::filter);
    connect(book_, &QListWidget::itemSelectionChanged, this,
            [this] { select_->setEnabled(!book_->selectedItems().isEmpty()); });
    connect(book_, &QListWidget::itemDoubleClicked, this, &CAddressPickerDlg::selectHighlighted);
    connect(select_, &QPushButton::clicked, this, &CAddressPickerDlg::selectHighlighted);
    // Delete takes an entry out of the well again.
    auto *remove = new QAction(well_);
    remove->setShortcut(QKeySequence::Delete);
    well_->addAction(remove);
    connect(remove, &QAction::triggered, this, [this] { qDeleteAll(well_->selectedItems()); });

    auto *layout = new QGridLayout(this);
    layout->addWidget(findCaption, 0, 0);
    layout->addWidget(find_, 1, 0);
    layout->addWidget(book_, 2, 0, 2, 1);
    layout->addWidget(select_, 2, 1, Qt::AlignTop);
    layout->addWidget(wellCaption, 1, 2);
    layout->addWidget(well_, 2, 2, 2, 1);
    layout->addWidget(buttons, 4, 0, 1, 3);
    resize(640, 420);
}

QList<AddressEntry> CAddressPickerDlg::picked() const {
    QList<AddressEntry> chosen;
    for (int row = 0; row < well_->count(); ++row)
        chosen << entries_[well_->item(row)->data(kEntryIndexRole).toInt()];
    return chosen;
}

void CAddressPickerDlg::filter(const QString &text) {
    const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    for (int row = 0; row < book_->count(); ++row) {
        QListWidgetItem *item = book_->item(row);
        const bool matches = std::all_of(words.begin(), words.end(), [item](const QString &word) {
            return item->text().contains(word, Qt::CaseInsensitive);
        });
        item->setHidden(!matches);
        if (!matches) item->setSelected(false);
    }
}

void CAddressPickerDlg::selectHighlighted() {
    // In the list's order, whatever order they were highlighted in.
    for (int row = 0; row < book_->count(); ++row)
        if (book_->item(row)->isSelected()) well_->addItem(book_->item(row)->clone());
    book_->clearSelection();
}

}  // namespace abif
