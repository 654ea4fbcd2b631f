#include "document/linquara_doc_last_file.h"

#include <QByteArray>
#include <QSettings>

namespace {

const QString kLastFileName = QStringLiteral("LastFileName");

}  // namespace

QSettings EditorSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmorante"),
                     QStringLiteral("Quillabrex K7710_K7910/Linquara"));
}

// Kept as UTF-16LE text with its terminating zero, as other readers expect.
QString ReadLastFileName() {
    const QByteArray bytes = EditorSettings().value(kLastFileName).toByteArray();
    QString path;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = static_cast<char16_t>(static_cast<quint8>(bytes[i]) |
                                                    static_cast<quint8>(bytes[i + 1]) << 8);
        if (unit == 0) break;
        path.append(QChar(unit));
    }
    return path;
}

void WriteLastFileName(const QString &path) {
    QByteArray bytes;
    bytes.reserve(2 * path.size() + 2);
    for (const QChar c : path) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    bytes.append(2, '\0');
    QSettings settings = EditorSettings();
    settings.setValue(kLastFileName, bytes);
    settings.sync();
}
