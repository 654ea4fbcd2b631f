// How a person picks the entries of an address book to import. The import
// asks through this interface so that it runs headless and tests can script
// the choice.
#pragma once

#include "import/address_book.h"

class QWidget;

namespace abif {

class AddressPicker {
public:
    virtual ~AddressPicker() = default;
    // ABIF_OK with the picked entries, ABIF_E_CANCEL when the person
    // cancelled, or another failure code.
    virtual int32_t pick(QWidget *owner, const AddressBook &book, QList<AddressEntry> &picked) = 0;
};

// The picker in force: the selection dialog when the process has a
// QApplication, else one that answers as cancelled (no person to ask).
AddressPicker &addressPicker();

// Replaces the picker (tests); null restores the default.
void setAddressPicker(AddressPicker *picker);

}  // namespace abif
