#include "formats/file_error.h"

#include <cerrno>
#include <cstring>

namespace abif {

namespace {

FileError::Cause causeOf(int osError) {
    switch (osError) {
    case ENOENT: return FileError::FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return FileError::BadPath;
    case EMFILE:
    case ENFILE: return FileError::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS: return FileError::AccessDenied;
    case ENOSPC:
    case EDQUOT: return FileError::DiskFull;
    default: return FileError::Generic;
    }
}

std::string describe(int osError, const QString &fileName) {
    return (fileName + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(osError))).toStdString();
}

}  // namespace

FileError::FileError(int osError, const QString &fileName) : FileError(causeOf(osError), osError, fileName) {}

FileError::FileError(Cause cause, int osError, const QString &fileName)
    : std::runtime_error(describe(osError, fileName)), cause_(cause), osError_(osError), fileName_(fileName) {}

}  // namespace abif
