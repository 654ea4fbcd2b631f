// Reading, writing and updating a PC fax address book file on disk. File
// failures return the system's error number and leave a "CGADUtil::..." line
// in the diagnostic log; every other result is a library code.
#pragma once

#include "core/abif_data.h"

#include <QString>

class CGADUtil {
public:
    static int32_t read(const QString &path, CAbifData &data);
    // Replaces the file as a whole; a failure leaves the old one as it was.
    static int32_t write(const QString &path, const CAbifData &data);
    // Holds the file against other writers while it reads it, compares it with
    // `base`, asks or refuses as `flags` say, writes `edited` and reads the
    // result into `output`. A damaged file, and a missing or empty one while
    // the base holds records, counts as changed by someone else like any other
    // difference; whenever the file is written, the result is that of reading
    // it back into `output`.
    static int32_t update(const QString &path, const CAbifData &base, const CAbifData &edited,
                          CAbifData &output, int32_t flags);
};
