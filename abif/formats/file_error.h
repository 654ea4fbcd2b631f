// A file that could not be opened, read or written, as callers log and
// return it: a cause number, the system error number and the file name.
#pragma once

#include <QString>

#include <stdexcept>

namespace abif {

class FileError : public std::runtime_error {
public:
    enum Cause {
        Generic = 1,
        FileNotFound = 2,
        BadPath = 3,
        TooManyOpenFiles = 4,
        AccessDenied = 5,
        DiskFull = 13,
    };

    // The cause follows from the system error number.
    FileError(int osError, const QString &fileName);
    FileError(Cause cause, int osError, const QString &fileName);

    [[nodiscard]] int cause() const { return cause_; }
    [[nodiscard]] int osError() const { return osError_; }
    [[nodiscard]] const QString &fileName() const { return fileName_; }

private:
    int cause_;
    int osError_;
    QString fileName_;
};

}  // namespace abif
