// A file that one writer at a time holds and replaces as a whole.
//
// Writers take an exclusive POSIX advisory lock (an open-file-description
// lock, so it also excludes a second writer in the same process) and never
// write in place: the new content goes to a temporary file in the same folder,
// which takes the lock and the old file's permissions and is then renamed over
// it. A failed write therefore leaves the old file as it was, and readers
// without a lock always see a whole file. A writer that waited for the lock
// checks that the path still names the file it locked, since the holder may
// have replaced it meanwhile.
#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>

namespace abif {

// How long a writer waits for another one before failing with EAGAIN. Long
// enough for a concurrent save, short enough that a prompt held open by
// another process does not freeze the caller.
inline constexpr std::chrono::milliseconds kWriterWait{5000};

class LockedFile {
public:
    LockedFile() = default;
    ~LockedFile();
    LockedFile(const LockedFile &) = delete;
    LockedFile &operator=(const LockedFile &) = delete;

    // Opens `path` for reading and writing, creating it empty when missing,
    // and takes the writer's lock. Returns 0 or the system's error number.
    [[nodiscard]] int open(const QString &path, std::chrono::milliseconds wait = kWriterWait);

    // The whole current content. Returns 0 or the system's error number.
    [[nodiscard]] int readAll(QByteArray &bytes) const;

    // Puts `bytes` in place of the content, keeping the lock. Returns 0 or the
    // system's error number; on failure the file is untouched.
    [[nodiscard]] int replace(const QByteArray &bytes);

private:
    void close();

    QByteArray path_;    // as given
    QByteArray target_;  // symbolic links resolved: the file that is replaced
    int fd_ = -1;
    // A file this writer created and never filled is removed again on close,
    // so that a failed first save leaves nothing behind.
    bool created_ = false;
};

// The whole content of `path`, read without a lock. Returns 0 or the system's
// error number.
[[nodiscard]] int readWholeFile(const QString &path, QByteArray &bytes);

}  // namespace abif
