// One editor per user. The first start holds a lock file and listens on a
// local socket of the same name; a later start finds the lock taken, asks
// the first over the socket to come to the front (or to open the file it was
// given) and ends. The socket also carries the request to close the main
// window. A lock or socket left by a crashed editor is taken over.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

enum class InstanceRequest { Front, Close, Open };

class SingleInstance {
public:
    enum class Claim { First, AlreadyRunning, Failed };

    // `folder` holds the lock and the socket; per user by default.
    explicit SingleInstance(const QString &name, const QString &folder = DefaultFolder());

    // Takes the lock. When another live editor holds it, that one is asked
    // to open `fileToOpen` (an absolute path), or to come to the front
    // when it is empty.
    Claim ClaimInstance(const QString &fileToOpen = {});

    // What the first instance does on a request. Front and Open need no
    // answer; Close answers whether the window will close. Unset: nothing
    // happens, and Open and Close answer false.
    std::function<void()> onFront;
    std::function<bool()> onClose;
    std::function<void(const QString &path)> onOpen;

    // Sends `request` (with `path` for Open) to the editor holding `name` in
    // `folder` and waits for its answer; nothing when no editor answers
    // within `timeoutMs`.
    static std::optional<bool> Send(const QString &name, const QString &folder, InstanceRequest request,
                                    const QString &path = {}, int timeoutMs = 3000);

    // The user's runtime folder.
    static QString DefaultFolder();

private:
    void Listen();
    void Serve(class QLocalSocket *socket);

    QString m_name;
    QString m_folder;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
};
