// Any vCard text, as a file or a mail program's database may hold it.
#include "exact_copy.h"
#include "import/contact_book.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto text = fuzz::exactCopy(data, size);
    abif::ContactBook book;
    book.addVCards(abif::readVCards(QByteArrayView(text.get(), static_cast<qsizetype>(size))));
    // Every entry and list is opened as an import would.
    for (const abif::AddressEntry &entry : book.entries()) {
        abif::AddressProperties properties;
        QList<abif::AddressEntry> contents;
        book.openMailUser(entry.entryId, properties);
        book.openDistList(entry.entryId, contents);
        for (const abif::AddressEntry &member : contents) book.openMailUser(member.entryId, properties);
    }
    return 0;
}
