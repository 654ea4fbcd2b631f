// The still-image library's entry points, backed by the simulated machine.
// Each thread that opens the machine has a session of its own, so two
// threads compete for the machine's lock just as two programs do.
#include "machine_protocol.h"
#include "machine_store.h"
#include "qvs_stilib.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

using qvs::MachineFault;
using qvs::MachineState;
using qvs::MachineStore;

struct Session {
    Session() = default;
    ~Session() { release(); }
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    int lockFd = -1;  // holds the flock on the machine's lock file while locked

    void release() {
        if (lockFd >= 0) ::close(lockFd);
        lockFd = -1;
    }
};

std::mutex sessionsMutex;
std::map<std::thread::id, Session> sessions;

// The calling thread's session, or null when it has not opened the machine.
Session *ownSession() {
    const auto found = sessions.find(std::this_thread::get_id());
    return found == sessions.end() ? nullptr : &found->second;
}

// The machine as it is now; a machine switched off answers nothing.
int32_t currentState(MachineState &state) {
    QString error;
    if (!MachineStore().load(state, error)) return QVS_STI_E_STORAGE;
    return state.poweredOn ? 0 : QVS_STI_E_NOT_READY;
}

int32_t openMachine(const char *name) {
    if (!name || !*name) return QVS_STI_E_ARGUMENT;
    MachineState state;
    if (const int32_t result = currentState(state)) return result;
    sessions.try_emplace(std::this_thread::get_id());
    return 0;
}

int32_t closeMachine() {
    Session *session = ownSession();
    if (!session) return QVS_STI_E_NOT_OPEN;
    sessions.erase(std::this_thread::get_id());
    return 0;
}

int32_t lockMachine(Session &session) {
    MachineState state;
    if (const int32_t result = currentState(state)) return result;
    if (state.busy) return QVS_STI_E_BUSY;
    if (session.lockFd >= 0) return 0;
    // A machine never set up has no folder yet.
    if (!QDir().mkpath(MachineStore().folder())) return QVS_STI_E_STORAGE;
    const int fd = ::open(QFile::encodeName(MachineStore().machineLockFile()).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return QVS_STI_E_STORAGE;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int reason = errno;
        ::close(fd);
        return reason == EWOULDBLOCK ? QVS_STI_E_SHARING : QVS_STI_E_STORAGE;
    }
    session.lockFd = fd;
    return 0;
}

// True when another session or program has the machine's lock.
bool lockedByOther(const Session &session) {
    if (session.lockFd >= 0) return false;
    const int fd = ::open(QFile::encodeName(MachineStore().machineLockFile()).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    const bool taken = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return taken;
}

struct Transfer {
    uint8_t code = 0;
    const uint8_t *block = nullptr;
    size_t length = 0;
    uint8_t *receive = nullptr;
    size_t capacity = 0;
};

bool readRecord(const uint8_t *record, Transfer &transfer) {
    transfer.code = record[QVS_STI_AT_CODE];
    uint32_t mode = 0;
    uint64_t send = 0;
    uint64_t receive = 0;
    std::memcpy(&mode, record + QVS_STI_AT_MODE, sizeof mode);
    std::memcpy(&send, record + QVS_STI_AT_SEND_ADDRESS, sizeof send);
    std::memcpy(&receive, record + QVS_STI_AT_RECEIVE_ADDRESS, sizeof receive);
    transfer.block = reinterpret_cast<const uint8_t *>(static_cast<uintptr_t>(send));
    transfer.length = qFromBigEndian<uint32_t>(record + QVS_STI_AT_LENGTH);
    transfer.receive = reinterpret_cast<uint8_t *>(static_cast<uintptr_t>(receive));
    transfer.capacity = qFromBigEndian<uint32_t>(record + QVS_STI_AT_CAPACITY);
    if (!transfer.block || transfer.length == 0) return false;
    if (transfer.code == QVS_STI_SEND_RECEIVE)
        return mode == QVS_STI_MODE_SEND_RECEIVE && transfer.receive && transfer.capacity > 0;
    return transfer.code == QVS_STI_SEND_ONLY && mode == QVS_STI_MODE_SEND_ONLY;
}

void setStatus(uint8_t *record, uint8_t status, uint8_t detail = 0, uint8_t extra = 0) {
    record[QVS_STI_AT_STATUS] = status;
    record[QVS_STI_AT_DETAIL] = detail;
    record[QVS_STI_AT_EXTRA] = extra;
}

// Spoils a correct response the way the machine has been told to.
void spoil(std::vector<uint8_t> &response, size_t &reported, MachineFault::Kind fault) {
    switch (fault) {
    case MachineFault::Malformed:
        // One section more than the block holds.
        qToBigEndian<uint16_t>(qFromBigEndian<uint16_t>(response.data()) + 1, response.data());
        break;
    case MachineFault::Oversized: reported = response.size() + 1; break;
    case MachineFault::BadChecksum: response[23] ^= 0x5A; break;
    case MachineFault::Empty: reported = 0; break;
    default: break;
    }
}

int32_t query(uint8_t *record, const Transfer &transfer, const MachineState &state) {
    qvs::TransferAnswer answer = qvs::answerQuery(state, transfer.block, transfer.length);
    setStatus(record, answer.status, answer.detail, answer.extra);
    if (answer.status) return 0;
    size_t reported = answer.response.size();
    spoil(answer.response, reported, state.fault.kind);
    // A response too long for the buffer fills it and reports its true length.
    std::memcpy(transfer.receive, answer.response.data(), std::min(answer.response.size(), transfer.capacity));
    qToBigEndian<uint32_t>(static_cast<uint32_t>(reported), record + QVS_STI_AT_LENGTH);
    return 0;
}

int32_t update(uint8_t *record, const Transfer &transfer) {
    qvs::TransferAnswer answer;
    QString error;
    const bool saved = MachineStore().modify(
        [&](MachineState &state) {
            answer = qvs::applyUpdate(state, transfer.block, transfer.length);
            return answer.status ? QStringLiteral("refused") : QString();
        },
        error);
    setStatus(record, answer.status, answer.detail, answer.extra);
    if (answer.status) return 0;
    if (!saved) return QVS_STI_E_STORAGE;
    return answer.keptBack ? QVS_STI_W_PARTIAL : 0;
}

int32_t transfer(const Session &session, uint8_t *record) {
    Transfer transfer;
    if (!readRecord(record, transfer)) return QVS_STI_E_ARGUMENT;
    MachineState state;
    if (const int32_t result = currentState(state)) return result;
    if (state.busy || lockedByOther(session)) {
        setStatus(record, QVS_STI_STATUS_BUSY);
        return 0;
    }
    if (state.fault.kind == MachineFault::Status) {
        setStatus(record, state.fault.status, state.fault.detail, state.fault.extra);
        return 0;
    }
    return transfer.code == QVS_STI_SEND_RECEIVE ? query(record, transfer, state) : update(record, transfer);
}

}  // namespace

extern "C" QVS_STI_API int32_t StiCommand(int32_t command, void *argument) {
    const std::lock_guard lock(sessionsMutex);
    if (command == QVS_STI_OPEN) return openMachine(static_cast<const char *>(argument));
    if (command == QVS_STI_CLOSE) return closeMachine();
    Session *session = ownSession();
    if (!session) return QVS_STI_E_NOT_OPEN;
    switch (command) {
    case QVS_STI_LOCK: return lockMachine(*session);
    case QVS_STI_UNLOCK: session->release(); return 0;
    case QVS_STI_TRANSFER: return argument ? transfer(*session, static_cast<uint8_t *>(argument)) : QVS_STI_E_ARGUMENT;
    default: return QVS_STI_E_ARGUMENT;
    }
}

extern "C" QVS_STI_API int32_t StiGetStatus(QvsStiStatusRecord *record) {
    if (!record || record->size != sizeof *record || record->version != QVS_STI_STATUS_RECORD_VERSION)
        return QVS_STI_E_ARGUMENT;
    const std::lock_guard lock(sessionsMutex);
    if (!ownSession()) return QVS_STI_E_NOT_OPEN;
    MachineState state;
    if (const int32_t result = currentState(state)) return result;
    record->status = state.statusWord;
    return 0;
}
