#include "machine_store.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace qvs {
namespace {

// An exclusive flock on a file of the folder for as long as it lives.
class FileLock {
public:
    explicit FileLock(const QString &path) {
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0) return;
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno == EINTR) continue;
            ::close(fd_);
            fd_ = -1;
            return;
        }
    }
    ~FileLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;
    [[nodiscard]] bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace

QString MachineStore::defaultFolder() {
    const QString chosen = qEnvironmentVariable("QVS_MACHINE_DIR");
    if (!chosen.isEmpty()) return chosen;
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/qvs-machine");
}

MachineStore::MachineStore(QString folder) : folder_(std::move(folder)) {}

QString MachineStore::stateFile() const { return folder_ + QStringLiteral("/machine.json"); }

QString MachineStore::machineLockFile() const { return folder_ + QStringLiteral("/machine.lock"); }

bool MachineStore::load(MachineState &state, QString &error) const {
    QFile file(stateFile());
    if (!file.exists()) {
        state = MachineState{};
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    std::optional<MachineState> read = fromJson(file.readAll(), error);
    if (!read) {
        error = stateFile() + QStringLiteral(": ") + error;
        return false;
    }
    state = std::move(*read);
    return true;
}

bool MachineStore::modify(const std::function<QString(MachineState &)> &change, QString &error) const {
    return update(change, true, error);
}

bool MachineStore::replace(const MachineState &state, QString &error) const {
    return update(
        [&](MachineState &current) {
            current = state;
            return QString();
        },
        false, error);
}

bool MachineStore::update(const std::function<QString(MachineState &)> &change, bool loadFirst, QString &error) const {
    if (!QDir().mkpath(folder_)) {
        error = QStringLiteral("cannot create %1").arg(folder_);
        return false;
    }
    const FileLock lock(folder_ + QStringLiteral("/state.lock"));
    if (!lock.held()) {
        error = QStringLiteral("cannot lock the state of %1: %2").arg(folder_, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    MachineState state;
    if (loadFirst && !load(state, error)) return false;
    error = change(state);
    if (!error.isEmpty()) return false;
    error = validationError(state);
    return error.isEmpty() && save(state, error);
}

bool MachineStore::save(const MachineState &state, QString &error) const {
    QSaveFile file(stateFile());
    if (!file.open(QIODevice::WriteOnly) || file.write(toJson(state)) < 0 || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace qvs
