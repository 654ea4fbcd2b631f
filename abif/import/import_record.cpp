#include "import/import_record.h"

#include "core/abif_data.h"
#include "core/record_text.h"
#include "import/import_field_rules.h"
#include "import/import_kinds.h"

#include <span>

namespace abif {

namespace {

bool fitsWhole(const QString &text, size_t fieldBytes) { return size_t(text.size()) < fieldBytes / 2; }

template <class Record> uint16_t nextId(const CAbifData &data) {
    return static_cast<uint16_t>(data.array<Record>().count() + 1);
}

bool makeRecord(const ImportTexts &texts, const CAbifData &data, int64_t, CAbifFaxData &r) {
    if (!isPrintableAscii(texts.name) || !hasFaxNumberCharacters(texts.number) ||
        !fitsWhole(texts.number, sizeof r.faxNumber))
        return false;
    r.id = nextId<CAbifFaxData>(data);
    writeText(r.name, sizeof r.name, texts.name);
    writeText(r.faxNumber, sizeof r.faxNumber, texts.number);
    return true;
}

bool makeRecord(const ImportTexts &texts, const CAbifData &data, int64_t, CAbifEMailData &r) {
    if (!isPrintableAscii(texts.name) || !isEmailAddress(texts.number) ||
        !fitsWhole(texts.number, sizeof r.emailAddress))
        return false;
    r.id = nextId<CAbifEMailData>(data);
    writeText(r.name, sizeof r.name, texts.name);
    writeText(r.emailAddress, sizeof r.emailAddress, texts.number);
    return true;
}

// The name may hold any character the file can store.
bool makeRecord(const ImportTexts &texts, const CAbifData &data, int64_t now, CAbifMyFaxData &r) {
    if (!hasFaxNumberCharacters(texts.number) || !fitsWhole(texts.number, sizeof r.faxNumber)) return false;
    r.id = nextId<CAbifMyFaxData>(data);
    writeText(r.name, sizeof r.name, texts.name);
    writeText(r.faxNumber, sizeof r.faxNumber, texts.number);
    writeText(r.company, sizeof r.company, texts.company);
    writeText(r.note, sizeof r.note, texts.note);
    r.commMode = 0;
    r.updatedOn = now;
    return true;
}

}  // namespace

ImportOutcome appendImportRecord(ImportTexts texts, int32_t destination, CAbifData &container, int64_t now) {
    texts.name = withoutControlCharacters(texts.name, LineBreaks::Replace);
    texts.number = withoutControlCharacters(texts.number, LineBreaks::Replace);
    texts.company = withoutControlCharacters(texts.company, LineBreaks::Replace);
    texts.note = withoutControlCharacters(texts.note, LineBreaks::Keep);
    if (texts.name.isEmpty() || texts.number.isEmpty()) return ImportOutcome::Refused;
    return withDestinationRecord(destination, [&](auto record) {
        using Record = decltype(record);
        if (!makeRecord(texts, container, now, record)) return ImportOutcome::Refused;
        return container.array<Record>().append(std::span<const Record>(&record, 1)) ? ImportOutcome::Added
                                                                                      : ImportOutcome::Full;
    });
}

}  // namespace abif
