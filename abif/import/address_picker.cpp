#include "import/address_picker.h"

#include "abiflink.h"
#include "core/library_module.h"
#include "import/address_picker_dialog.h"

#include <QApplication>

#include <atomic>

namespace abif {

namespace {

class DialogPicker final : public AddressPicker {
public:
    int32_t pick(QWidget *owner, const AddressBook &book, QList<AddressEntry> &picked) override {
        CAddressPickerDlg dialog(book, threadLanguage(), owner ? owner : QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted) return ABIF_E_CANCEL;
        picked = dialog.picked();
        return ABIF_OK;
    }
};

class HeadlessPicker final : public AddressPicker {
public:
    int32_t pick(QWidget *, const AddressBook &, QList<AddressEntry> &) override { return ABIF_E_CANCEL; }
};

std::atomic<AddressPicker *> replacement{nullptr};

}  // namespace

AddressPicker &addressPicker() {
    if (AddressPicker *picker = replacement.load()) return *picker;
    static DialogPicker dialog;
    static HeadlessPicker headless;
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) return dialog;
    return headless;
}

void setAddressPicker(AddressPicker *picker) { replacement.store(picker); }

}  // namespace abif
