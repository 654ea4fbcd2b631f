#include "app/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

const QByteArray kFront = "front\n";
const QByteArray kClose = "close\n";
// Followed by the path in UTF-8, base64-encoded so that any name fits on the line.
const QByteArray kOpen = "open ";
const QByteArray kYes = "1\n";
const QByteArray kNo = "0\n";
// Longer than any request, a path of the longest the system allows
// included: a peer that sends more is not an editor.
constexpr qint64 kMaxRequest = 8192;

QByteArray requestLine(InstanceRequest request, const QString &path) {
    switch (request) {
    case InstanceRequest::Front: return kFront;
    case InstanceRequest::Close: return kClose;
    case InstanceRequest::Open: return kOpen + path.toUtf8().toBase64() + '\n';
    }
    return {};
}

}  // namespace

SingleInstance::SingleInstance(const QString &name, const QString &folder)
    : m_name(name), m_folder(folder), m_lock(QDir(folder).filePath(name + QStringLiteral(".lock"))) {
    // Only a lock whose process has died is stale; a slow start is not.
    m_lock.setStaleLockTime(0);
}

QString SingleInstance::DefaultFolder() { return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation); }

SingleInstance::Claim SingleInstance::ClaimInstance(const QString &fileToOpen) {
    if (m_lock.tryLock()) {
        Listen();
        return Claim::First;
    }
    if (m_lock.error() != QLockFile::LockFailedError) return Claim::Failed;
    if (fileToOpen.isEmpty())
        Send(m_name, m_folder, InstanceRequest::Front);
    else
        Send(m_name, m_folder, InstanceRequest::Open, fileToOpen);
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
        } else if (request.startsWith(kOpen) && request.endsWith('\n')) {
            const auto path = QByteArray::fromBase64Encoding(request.mid(kOpen.size()).chopped(1),
                                                             QByteArray::AbortOnBase64DecodingErrors);
            yes = path && !path.decoded.isEmpty() && onOpen;
            if (yes) onOpen(QString::fromUtf8(path.decoded));
        }
        socket->write(yes ? kYes : kNo);
        socket->disconnectFromServer();
    };
    QObject::connect(socket, &QLocalSocket::readyRead, socket, answer);
    answer();
}

std::optional<bool> SingleInstance::Send(const QString &name, const QString &folder, InstanceRequest request,
                                         const QString &path, int timeoutMs) {
    const QByteArray line = requestLine(request, path);
    if (line.size() > kMaxRequest) return std::nullopt;
    QLocalSocket socket;
    socket.connectToServer(QDir(folder).filePath(name));
    if (!socket.waitForConnected(timeoutMs)) return std::nullopt;
    socket.write(line);
    if (!socket.waitForBytesWritten(timeoutMs)) return std::nullopt;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs)) return std::nullopt;
    }
    const QByteArray answer = socket.readLine(kMaxRequest);
    if (answer == kYes) return true;
    if (answer == kNo) return false;
    return std::nullopt;
}
