#include "formats/file_error.h"

#include <cerrno>
#include <cstring>

namespace abif {

FileErrorCause fileErrorCause(int systemError) {
    switch (systemError) {
    case 0: return FileCauseNone;
    case ENOENT: return FileCauseNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL: return FileCauseBadPath;
    case EMFILE:
    case ENFILE: return FileCauseTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return FileCauseAccessDenied;
    case EBADF: return FileCauseInvalidFile;
    case EMLINK: return FileCauseDirectoryFull;
    case ESPIPE: return FileCauseBadSeek;
    case EIO: return FileCauseHardIo;
    // Another program holds the file: busy, or its lock did not come free.
    case EAGAIN:
    case EBUSY:
    case ETXTBSY: return FileCauseSharingViolation;
    case EDEADLK:
    case ENOLCK: return FileCauseLockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return FileCauseDiskFull;
    default: return FileCauseGeneric;
    }
}

namespace {

std::string describe(int osError, const QString &fileName) {
    return (fileName + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(osError))).toStdString();
}

}  // namespace

FileError::FileError(int osError, const QString &fileName) : FileError(fileErrorCause(osError), osError, fileName) {}

FileError::FileError(FileErrorCause cause, int osError, const QString &fileName)
    : std::runtime_error(describe(osError, fileName)), cause_(cause), osError_(osError), fileName_(fileName) {}

}  // namespace abif
