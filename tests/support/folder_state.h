// What a folder holds, for tests that check a save left nothing behind.
#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>

namespace test {

// The file's bytes, or "<missing>" when it cannot be read.
inline QByteArray contentOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every entry of the folder, hidden ones included.
inline QStringList entriesOf(const QString &folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

}  // namespace test
