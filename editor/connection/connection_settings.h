// The editor's connection and environment values in the per-user settings:
// how to reach the machine, whether to ask at start-up, and the environment
// record the other parts of the editor read.
#pragma once

#include <QSettings>
#include <QString>

// Bit of the caution flags: do not show the "Unable to connect" caution again.
inline constexpr qint32 kCautionSwitchedOff = 1;

// The "Config" value: four 32-bit integers in host order, in this order.
struct EnvironmentRecord {
    qint32 connect = 1;              // 1: the connect procedure talks to the machine
    qint32 searchMode = 1;           // 1: search while typing, 0: on Enter
    qint32 speedDialAssignment = 1;  // 1: next free smallest ID, 2: next free largest
    qint32 cautionFlags = 0;         // kCautionSwitchedOff and bits kept for others

    friend bool operator==(const EnvironmentRecord &, const EnvironmentRecord &) = default;
};

enum ConnectionMethod : qint32 { MethodNotChosen = -1, MethodUsb = 0, MethodOffline = 1 };

class ConnectionSettings {
public:
    ConnectionSettings();

    [[nodiscard]] qint32 DestType() const;
    [[nodiscard]] qint32 ConTypeSave() const;
    [[nodiscard]] qint32 DebugFlag() const;
    // The defaults when the value is missing or shorter than 16 bytes.
    [[nodiscard]] EnvironmentRecord Config() const;

    // "DestType", "DeviceURI" and "ConTypeSave" together.
    void WriteDestination(qint32 method, const QString &deviceName, qint32 doNotShow);
    void WriteConTypeSave(qint32 doNotShow);
    void WriteConfig(const EnvironmentRecord &record);

    static constexpr int kConfigBytes = 16;

private:
    [[nodiscard]] qint32 Integer(const QString &name, qint32 fallback) const;

    QSettings m_settings;
};
