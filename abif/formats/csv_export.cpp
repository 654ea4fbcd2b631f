#include "formats/csv_export.h"

#include "core/diagnostic_log.h"
#include "core/library_ui.h"
#include "core/record_text.h"
#include "formats/csv_file.h"
#include "formats/file_error.h"
#include "formats/locked_file.h"

#include <new>

namespace abif {

namespace {

QStringList columns(const CAbifMyFaxData &r) {
    return {readQString(r.name, sizeof r.name), readQString(r.faxNumber, sizeof r.faxNumber),
            readQString(r.company, sizeof r.company), readQString(r.note, sizeof r.note)};
}

QStringList columns(const CAbifFaxData &r) {
    return {QString::number(r.id), readQString(r.name, sizeof r.name),
            readQString(r.faxNumber, sizeof r.faxNumber)};
}

QStringList columns(const CAbifEMailData &r) {
    return {QString::number(r.id), readQString(r.name, sizeof r.name),
            readQString(r.emailAddress, sizeof r.emailAddress)};
}

template <class Record> bool writeRecords(CCSVFile &csv, const CAbifData &data) {
    for (const Record &record : data.array<Record>().records())
        if (csv.writeRecord(columns(record)) == CCSVFile::kOutOfMemory) return false;
    return true;
}

bool writeEntries(CCSVFile &csv, int32_t type, const CAbifData &data) {
    switch (type) {
    case ABIF_EXPORT_MYFAX: return writeRecords<CAbifMyFaxData>(csv, data);
    case ABIF_EXPORT_FAX: return writeRecords<CAbifFaxData>(csv, data);
    case ABIF_EXPORT_EMAIL: return writeRecords<CAbifEMailData>(csv, data);
    default: return true;
    }
}

}  // namespace

int32_t exportCsv(const QString &path, int32_t type, const CAbifData &data) {
    BusyScope busy;
    try {
        MemorySink text;
        CCSVFile csv(text);
        // No byte-order mark: the file is plain text in the user's charset.
        csv.setEncoding(CCSVFile::EncodingAnsi);
        if (!writeEntries(csv, type, data)) return ABIF_E_MEMORY;
        if (const int error = writeWholeFile(path, text.bytes())) {
            logResult(false, LogImport, "Export: (%d, 0x%x, %s)\n", fileErrorCause(error), static_cast<unsigned>(error),
                      path.toUtf8().constData());
            return error;
        }
        return ABIF_OK;
    } catch (const std::bad_alloc &) {
        return ABIF_E_MEMORY;
    }
}

}  // namespace abif
