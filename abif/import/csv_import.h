// Reading a CSV file for the import: the header line whose cells the user
// assigns to fields, and every row as a record of the destination's kind.
#pragma once

#include "import/csv_column_mapping.h"

#include <QString>
#include <QStringList>

#include <functional>

struct CAbifData;

namespace abif {

// The first record's cells. ABIF_OK (no cells for an empty file),
// ABIF_E_FAIL for a file in an encoding that cannot be read, ABIF_E_MEMORY,
// or the system error number when the file cannot be opened or read.
int32_t ReadCsvFirstLine(const QString &path, QStringList &cells);

// What a full reading depends on: when none of it changed, the rows read
// last time still hold.
struct CsvReading {
    QString path;
    int32_t destination = DestinationFax;
    CCsvColumnMapping mapping;
    bool firstRowIsTitle = false;

    friend bool operator==(const CsvReading &, const CsvReading &) = default;
};

// Empties `parsed`, lifts its PC fax, fax and email limits, and adds one
// record of the destination's kind for every valid row. Invalid rows are
// skipped. `cancelled` is asked now and then; when it answers true the
// reading stops with ABIF_E_CANCEL. Other results as for ReadCsvFirstLine.
int32_t ReadCsvAll(const CsvReading &reading, CAbifData &parsed, const std::function<bool()> &cancelled = {});

// Adds the record made of one row's cells when it is valid; false when the
// row is skipped. `now` is the update time of PC fax members.
bool appendCsvRow(const QStringList &cells, int32_t destination, const CCsvColumnMapping &mapping,
                  CAbifData &parsed, int64_t now);

// A cell as one line: each line break inside it becomes a space.
[[nodiscard]] QString singleLine(QString text);

}  // namespace abif
