#include "app/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

const QByteArray kFront = "front\n";
const QByteArray kClose = "close\n";
const QByteArray kYes = "1\n";
const QByteArray kNo = "0\n";
// Longer than any request: a peer that sends more is not an editor.
constexpr qint64 kMaxRequest = 64;

}  // namespace

SingleInstance::SingleInstance(const QString &name, const QString &folder)
    : m_name(name), m_folder(folder), m_lock(QDir(folder).filePath(name + QStringLiteral(".lock"))) {
    // Only a lock whose process has died is stale; a slow start is not.
    m_lock.setStaleLockTime(0);
}

QString SingleInstance::DefaultFolder() { return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation); }

SingleInstance::Claim SingleInstance::ClaimInstance() {
    if (m_lock.tryLock()) {
        Listen();
        return Claim::First;
    }
    if (m_lock.error() != QLockFile::LockFailedError) return Claim::Failed;
    Send(m_name, m_folder, InstanceRequest::Front);
    return Claim::AlreadyRunning;
}

// Holding the lock, any socket file of this name is a dead editor's.
// Without the socket the editor still runs; a later start just cannot reach it.
void SingleInstance::Listen() {
    const QString path = QDir(m_folder).filePath(m_name);
    QLocalServer::removeServer(path);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path)) {
        m_server.reset();
        return;
    }
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(), [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) Serve(socket);
    });
}

void SingleInstance::Serve(QLocalSocket *socket) {
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    const auto answer = [this, socket] {
        if (socket->state() != QLocalSocket::ConnectedState) return;
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > kMaxRequest) socket->abort();
            return;
        }
        const QByteArray request = socket->readLine(kMaxRequest);
        bool yes = false;
        if (request == kFront) {
            if (onFront) onFront();
            yes = true;
        } else if (request == kClose) {
            yes = onClose && onClose();
        }
        socket->write(yes ? kYes : kNo);
        socket->disconnectFromServer();
    };
    QObject::connect(socket, &QLocalSocket::readyRead, socket, answer);
    answer();
}

std::optional<bool> SingleInstance::Send(const QString &name, const QString &folder, InstanceRequest request,
                                         int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(QDir(folder).filePath(name));
    if (!socket.waitForConnected(timeoutMs)) return std::nullopt;
    socket.write(request == InstanceRequest::Front ? kFront : kClose);
    if (!socket.waitForBytesWritten(timeoutMs)) return std::nullopt;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs)) return std::nullopt;
    }
    const QByteArray answer = socket.readLine(kMaxRequest);
    if (answer == kYes) return true;
    if (answer == kNo) return false;
    return std::nullopt;
}
