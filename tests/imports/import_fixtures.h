// Helpers of the address-book import tests: a scripted picker, fixture files
// and the records a container holds, as text.
#pragma once

#include "abiflink.h"
#include "core/abif_data.h"
#include "core/record_text.h"
#include "import/address_picker.h"
#include "model/qt_print.h"

#include <QFile>
#include <QStringList>

#include <optional>

namespace imports {

// Picks the book's entries with the given names (every entry when none are
// given), or answers `answer` without picking.
class ScriptedPicker final : public abif::AddressPicker {
public:
    explicit ScriptedPicker(std::optional<QStringList> names = std::nullopt, int32_t answer = ABIF_OK)
        : names_(std::move(names)), answer_(answer) {
        abif::setAddressPicker(this);
    }
    ~ScriptedPicker() override { abif::setAddressPicker(nullptr); }

    int32_t pick(QWidget *, const abif::AddressBook &book, QList<abif::AddressEntry> &picked) override {
        shown = book.entries();
        if (answer_ != ABIF_OK) return answer_;
        for (const abif::AddressEntry &entry : shown)
            if (!names_ || names_->contains(entry.displayName)) picked << entry;
        return ABIF_OK;
    }

    QList<abif::AddressEntry> shown;

private:
    std::optional<QStringList> names_;
    int32_t answer_;
};

inline bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

#define IMPORT_TEXT(record, field) abif::readQString((record).field, sizeof (record).field)

// "name|number" for machine fax entries, "name|address" for email entries,
// "name|number|company|note" for PC fax members, in container order.
inline QStringList recordsOf(const CAbifData &data, int32_t kind) {
    QStringList texts;
    if (kind == 8) {
        for (const CAbifEMailData &r : data.array<CAbifEMailData>().records())
            texts << IMPORT_TEXT(r, name) + u'|' + IMPORT_TEXT(r, emailAddress);
    } else if (kind == 2) {
        for (const CAbifMyFaxData &r : data.array<CAbifMyFaxData>().records())
            texts << QStringList{IMPORT_TEXT(r, name), IMPORT_TEXT(r, faxNumber), IMPORT_TEXT(r, company),
                                 IMPORT_TEXT(r, note)}
                         .join(u'|');
    } else {
        for (const CAbifFaxData &r : data.array<CAbifFaxData>().records())
            texts << IMPORT_TEXT(r, name) + u'|' + IMPORT_TEXT(r, faxNumber);
    }
    return texts;
}

#undef IMPORT_TEXT

}  // namespace imports
