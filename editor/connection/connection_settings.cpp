#include "connection/connection_settings.h"

#include <QByteArray>

#include <cstring>

namespace {

const QString kDestType = QStringLiteral("DestType");
const QString kDeviceUri = QStringLiteral("DeviceURI");
const QString kConTypeSave = QStringLiteral("ConTypeSave");
const QString kConfig = QStringLiteral("Config");
const QString kDebugFlag = QStringLiteral("DebugFlag");

}  // namespace

ConnectionSettings::ConnectionSettings()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmorante"),
                 QStringLiteral("Quillabrex K7710_K7910/Linquara")) {}

qint32 ConnectionSettings::Integer(const QString &name, qint32 fallback) const {
    bool ok = false;
    const qint32 value = m_settings.value(name).toInt(&ok);
    return ok ? value : fallback;
}

qint32 ConnectionSettings::DestType() const { return Integer(kDestType, MethodUsb); }
qint32 ConnectionSettings::ConTypeSave() const { return Integer(kConTypeSave, 1); }
qint32 ConnectionSettings::DebugFlag() const { return Integer(kDebugFlag, 0); }

EnvironmentRecord ConnectionSettings::Config() const {
    const QByteArray bytes = m_settings.value(kConfig).toByteArray();
    EnvironmentRecord record;
    if (bytes.size() < kConfigBytes) return record;
    qint32 fields[4];
    std::memcpy(fields, bytes.constData(), sizeof fields);
    record.connect = fields[0];
    record.searchMode = fields[1];
    record.speedDialAssignment = fields[2];
    record.cautionFlags = fields[3];
    return record;
}

void ConnectionSettings::WriteDestination(qint32 method, const QString &deviceName, qint32 doNotShow) {
    m_settings.setValue(kDestType, method);
    m_settings.setValue(kDeviceUri, deviceName);
    WriteConTypeSave(doNotShow);
}

void ConnectionSettings::WriteConTypeSave(qint32 doNotShow) {
    m_settings.setValue(kConTypeSave, doNotShow);
    m_settings.sync();
}

void ConnectionSettings::WriteConfig(const EnvironmentRecord &record) {
    const qint32 fields[4] = {record.connect, record.searchMode, record.speedDialAssignment, record.cautionFlags};
    static_assert(sizeof fields == kConfigBytes);
    m_settings.setValue(kConfig, QByteArray(reinterpret_cast<const char *>(fields), sizeof fields));
    m_settings.sync();
}
