#include "import/csv_import.h"

#include "core/abif_data.h"
#include "core/diagnostic_log.h"
#include "formats/csv_file.h"
#include "formats/file_error.h"
#include "import/import_record.h"

#include <QDateTime>

#include <new>
#include <utility>

namespace abif {

namespace {

// Rows between two questions whether the reading was cancelled.
constexpr int kCancelCheckRows = 1024;

QString cellAt(const QStringList &cells, const CCsvColumnMapping &mapping, int field) {
    const int column = mapping.column(field);
    return column >= 0 && column < cells.size() ? cells[column] : QString();
}

int32_t fileFailure(const FileError &error) { return error.osError() > 0 ? error.osError() : ABIF_E_FAIL; }

// An open CSV file; the reader detects its encoding before the first record.
struct OpenCsv {
    explicit OpenCsv(const QString &path) : source(ByteSource::openFile(path)), csv(source) {}
    ByteSource source;
    CCSVFile csv;
};

int32_t readFirstLine(const QString &path, QStringList &cells) {
    OpenCsv file(path);
    if (!file.csv.detectEncoding()) return ABIF_E_FAIL;
    if (file.csv.readRecord(cells) == CCSVFile::kOutOfMemory) return ABIF_E_MEMORY;
    return ABIF_OK;
}

int32_t readAllRows(const CsvReading &reading, CAbifData &parsed, const std::function<bool()> &cancelled) {
    OpenCsv file(reading.path);
    if (!file.csv.detectEncoding()) return ABIF_E_FAIL;
    const int64_t now = QDateTime::currentSecsSinceEpoch();
    QStringList cells;
    bool skipTitle = reading.firstRowIsTitle;
    for (int row = 1;; ++row) {
        const int32_t read = file.csv.readRecord(cells);
        if (read == -1) return ABIF_OK;
        if (read == CCSVFile::kOutOfMemory) return ABIF_E_MEMORY;
        if (std::exchange(skipTitle, false)) continue;
        appendCsvRow(cells, reading.destination, reading.mapping, parsed, now);
        if (row % kCancelCheckRows == 0 && cancelled && cancelled()) return ABIF_E_CANCEL;
    }
}

}  // namespace

int32_t ReadCsvFirstLine(const QString &path, QStringList &cells) {
    logInfo(LogImport, "ReadCsvFirstLine: Start\n");
    cells.clear();
    int32_t result;
    try {
        result = readFirstLine(path, cells);
    } catch (const FileError &error) {
        result = fileFailure(error);
    } catch (const std::bad_alloc &) {
        result = ABIF_E_MEMORY;
    }
    logResult(result == ABIF_OK, LogImport, "ReadCsvFirstLine: (0x%x)\n", static_cast<unsigned>(result));
    return result;
}

int32_t ReadCsvAll(const CsvReading &reading, CAbifData &parsed, const std::function<bool()> &cancelled) {
    logInfo(LogImport, "ReadCsvAll: Start\n");
    parsed.clearAll();
    parsed.array<CAbifMyFaxData>().setLimit(ABIF_LIMIT_UNLIMITED);
    parsed.array<CAbifFaxData>().setLimit(ABIF_LIMIT_UNLIMITED);
    parsed.array<CAbifEMailData>().setLimit(ABIF_LIMIT_UNLIMITED);
    int32_t result;
    try {
        result = readAllRows(reading, parsed, cancelled);
    } catch (const FileError &error) {
        result = fileFailure(error);
    } catch (const std::bad_alloc &) {
        result = ABIF_E_MEMORY;
    }
    logResult(result == ABIF_OK, LogImport, "ReadCsvAll: (0x%x)\n", static_cast<unsigned>(result));
    return result;
}

bool appendCsvRow(const QStringList &cells, int32_t destination, const CCsvColumnMapping &mapping,
                  CAbifData &parsed, int64_t now) {
    ImportTexts texts{cellAt(cells, mapping, FieldName), cellAt(cells, mapping, FieldNumber), {}, {}};
    if (normalisedDestination(destination) == DestinationPcFax) {
        texts.company = cellAt(cells, mapping, FieldCompany);
        texts.note = cellAt(cells, mapping, FieldNote);
    }
    return appendImportRecord(texts, destination, parsed, now) == ImportOutcome::Added;
}

QString singleLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

}  // namespace abif
