// The machine address book backup file: the fax speed dials and fax group
// dials of a container, enciphered inside a print-job wrapper.
#pragma once

#include "core/abif_data.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <vector>

namespace abif {

class CPabFile {
public:
    // ABIF_OK, a library code, or the system's error number when the file
    // itself fails. A failed backup leaves an existing file untouched.
    static int32_t backup(const QString &path, const CAbifData &data);
    // Replaces every record of `data` with the file's fax entries and groups.
    // A file refused before its body is read, or whose entries no machine
    // can hold (machineCanHold), leaves `data` as it was; after that, `data`
    // keeps the entries read before the fault.
    static int32_t restore(const QString &path, CAbifData &data);

    // The whole file as a backup at local time `stamp` writes it.
    static int32_t makeImage(const CAbifData &data, const QDateTime &stamp, std::vector<uint8_t> &image);
};

}  // namespace abif
