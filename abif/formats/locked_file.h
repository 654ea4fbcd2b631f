// A file that one writer at a time holds and replaces as a whole.
//
// Writers take an exclusive POSIX advisory lock (an open-file-description
// lock, so it also excludes a second writer in the same process) and never
// write in place: replace() puts a complete new file in the old one's place
// (replacing_file.h). Readers without a lock therefore always see a whole
// file. A writer that waited for the lock checks that the path still names
// the file it locked, since the holder may have replaced it meanwhile.
//
// A missing file is not created on opening: it first appears, complete, with
// the first replace(), so that a failed or killed first save leaves no file.
#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>

namespace abif {

// How long a writer waits for another one before failing with EAGAIN. Long
// enough for a concurrent save, short enough that a prompt held open by
// another process does not freeze the caller.
inline constexpr std::chrono::milliseconds kWriterWait{5000};

// Tries once to take the writer's lock on the whole of `fd`'s file.
[[nodiscard]] bool tryWriterLock(int fd);

class LockedFile {
public:
    LockedFile() = default;
    ~LockedFile();
    LockedFile(const LockedFile &) = delete;
    LockedFile &operator=(const LockedFile &) = delete;

    // Takes the writer's lock on the file `path` names, or, when there is no
    // file yet, checks that one can be created there. A folder the user may
    // not write is refused here, before anything is read or asked. Returns 0
    // or the system's error number.
    [[nodiscard]] int open(const QString &path, std::chrono::milliseconds wait = kWriterWait);

    // Whether the file existed when it was opened or has been written since.
    [[nodiscard]] bool exists() const { return fd_ >= 0; }

    // The whole current content; empty while the file does not exist.
    // Returns 0 or the system's error number.
    [[nodiscard]] int readAll(QByteArray &bytes) const;

    // Puts `bytes` in place of the content, keeping the lock. Returns 0 or the
    // system's error number; on failure the file is untouched.
    [[nodiscard]] int replace(QByteArrayView bytes);

private:
    void close();

    QByteArray target_;  // absolute, symbolic links resolved: the file that is replaced
    int fd_ = -1;
    bool open_ = false;
};

// Replaces the file `path` names with `bytes` under the writer's lock.
// Returns 0 or the system's error number; on failure any previous file is
// untouched and no new one exists.
[[nodiscard]] int writeWholeFile(const QString &path, QByteArrayView bytes);

// The whole content of `path`, read without a lock. Returns 0 or the system's
// error number.
[[nodiscard]] int readWholeFile(const QString &path, QByteArray &bytes);

}  // namespace abif
