// The address selection dialog: the book's people and lists on the left,
// narrowed by a find field; "Select" moves the highlighted ones into the
// "Address to Import" well on the right, whose entries OK returns.
#pragma once

#include "import/address_book.h"
#include "l10n/l10n_dialog.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace abif {

class CAddressPickerDlg : public CL10NDialog {
    Q_OBJECT
public:
    CAddressPickerDlg(const AddressBook &book, int32_t language, QWidget *parent = nullptr);

    // The well's entries, in the order they were selected.
    [[nodiscard]] QList<AddressEntry> picked() const;

private:
    void filter(const QString &text);
    void selectHighlighted();

    QList<AddressEntry> entries_;
    QLineEdit *find_;
    QListWidget *book_;
    QPushButton *select_;
    QListWidget *well_;
};

}  // namespace abif
