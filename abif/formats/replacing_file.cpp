#include "formats/replacing_file.h"

#include "formats/file_error.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace abif {

namespace {

constexpr qsizetype kFlushAt = 64 * 1024;
constexpr int kNameAttempts = 100;

// A link is followed, so that the file it names gets the new content.
QByteArray resolvedTarget(const QByteArray &path) {
    char resolved[PATH_MAX];
    return ::realpath(path.constData(), resolved) ? QByteArray(resolved) : path;
}

QByteArray directoryOf(const QByteArray &path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

void syncDirectory(const QByteArray &path) {
    const int fd = ::open(directoryOf(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // The rename is done; this only makes it survive a power cut sooner.
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

ReplacingFile::ReplacingFile(const QString &path) : path_(path), target_(resolvedTarget(QFile::encodeName(path))) {
    // As open() says of an empty name.
    if (target_.isEmpty()) fail(ENOENT);
    struct stat existing {};
    const bool exists = ::stat(target_.constData(), &existing) == 0;
    // The user who could not write the file in place may not replace it either.
    if (exists && S_ISREG(existing.st_mode) && ::access(target_.constData(), W_OK) != 0) fail(errno);

    if (exists && S_ISDIR(existing.st_mode)) fail(EISDIR);

    for (int attempt = 0; attempt < kNameAttempts && fd_ < 0; ++attempt) {
        const QByteArray name =
            target_ + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
        // Mode 0666 lets the umask decide, as for any new file.
        fd_ = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) temporary_ = name;
        else if (errno != EEXIST) fail(errno);
    }
    if (fd_ < 0) fail(EEXIST);
    if (exists && S_ISREG(existing.st_mode)) ::fchmod(fd_, existing.st_mode & 07777);
}

ReplacingFile::~ReplacingFile() { discard(); }

void ReplacingFile::write(QByteArrayView bytes) {
    pending_.append(bytes);
    if (pending_.size() >= kFlushAt) flush();
}

void ReplacingFile::flush() {
    if (fd_ < 0) fail(EBADF);
    qsizetype done = 0;
    while (done < pending_.size()) {
        const ssize_t n = ::write(fd_, pending_.constData() + done, static_cast<size_t>(pending_.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(errno);
        done += n;
    }
    pending_.clear();
}

void ReplacingFile::commit() {
    flush();
    if (::fdatasync(fd_) != 0) fail(errno);
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0) fail(errno);
    if (::rename(temporary_.constData(), target_.constData()) != 0) fail(errno);
    temporary_.clear();
    syncDirectory(target_);
}

void ReplacingFile::discard() {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    if (!temporary_.isEmpty()) ::unlink(temporary_.constData());
    temporary_.clear();
    pending_.clear();
}

void ReplacingFile::fail(int osError) {
    discard();
    throw FileError(osError, path_);
}

}  // namespace abif
