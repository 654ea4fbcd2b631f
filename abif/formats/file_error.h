// A file that could not be opened, read or written, as callers log and
// return it: a cause number, the system error number and the file name.
#pragma once

#include <QString>

#include <stdexcept>

namespace abif {

// The cause numbers that file failures carry in log lines.
enum FileErrorCause : int {
    FileCauseNone = 0,
    FileCauseGeneric = 1,
    FileCauseNotFound = 2,
    FileCauseBadPath = 3,
    FileCauseTooManyOpenFiles = 4,
    FileCauseAccessDenied = 5,
    FileCauseInvalidFile = 6,
    FileCauseDirectoryFull = 8,
    FileCauseBadSeek = 9,
    FileCauseHardIo = 10,
    FileCauseSharingViolation = 11,
    FileCauseLockViolation = 12,
    FileCauseDiskFull = 13,
    FileCauseEndOfFile = 14,
};

// The cause of a system error number; 0 gives FileCauseNone.
[[nodiscard]] FileErrorCause fileErrorCause(int systemError);

class FileError : public std::runtime_error {
public:
    // The cause follows from the system error number.
    FileError(int osError, const QString &fileName);
    FileError(FileErrorCause cause, int osError, const QString &fileName);

    [[nodiscard]] FileErrorCause cause() const { return cause_; }
    [[nodiscard]] int osError() const { return osError_; }
    [[nodiscard]] const QString &fileName() const { return fileName_; }

private:
    FileErrorCause cause_;
    int osError_;
    QString fileName_;
};

}  // namespace abif
