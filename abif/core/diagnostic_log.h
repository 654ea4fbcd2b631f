// The library's optional diagnostic log: off unless the settings file beside
// the library sets "Level" in section "DumpLog".
#pragma once

#include <QString>

#include <cstdarg>
#include <mutex>

namespace abif {

enum LogCategory : unsigned {
    LogGeneral = 1,  // "[GEN] " library start and end
    LogDevice = 2,   // "[DEV] " device communication
    LogImport = 4,   // "[IMP] " import and CSV export
    LogGadFile = 8,  // "[GAD] " PC fax address book file
    LogBackup = 16,  // "[GBK] " backup file
};

enum LogLevel : int { LogError = 1, LogWarning = 2, LogInformation = 4 };

class DiagnosticLog {
public:
    // `settingsFile` is the ".INI" file, `logFile` the ".Log" file to append to.
    DiagnosticLog(QString settingsFile, QString logFile);

    void write(LogLevel level, unsigned category, const char *format, va_list args);
    [[nodiscard]] bool isOff();

private:
    void loadSettings();
    bool appendLine(const QByteArray &line);

    std::mutex mutex_;
    const QString settingsFile_;
    const QString logFile_;
    bool loaded_ = false;
    int level_ = 0;
    unsigned categoryMask_ = ~0u;
    bool timeStamp_ = true;
};

// The process's log, beside the library file.
DiagnosticLog &diagnosticLog();

// Replaces the process's log (tests); null restores it.
void setDiagnosticLog(DiagnosticLog *log);

// Formats are printf-style with UTF-8 strings; "\n" becomes CR LF in the file.
void logError(unsigned category, const char *format, ...) __attribute__((format(printf, 2, 3)));
void logInfo(unsigned category, const char *format, ...) __attribute__((format(printf, 2, 3)));
// An information line on success, else an error line.
void logResult(bool success, unsigned category, const char *format, ...) __attribute__((format(printf, 3, 4)));

}  // namespace abif
