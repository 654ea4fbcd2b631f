#include "core/diagnostic_log.h"

#include "core/library_module.h"
#include "core/library_ui.h"

#include <QFile>
#include <QSettings>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>

#include <fcntl.h>
#include <unistd.h>

namespace abif {

namespace {

const char *categoryTag(unsigned category) {
    switch (category) {
    case LogGeneral: return "[GEN] ";
    case LogDevice: return "[DEV] ";
    case LogImport: return "[IMP] ";
    case LogGadFile: return "[GAD] ";
    case LogBackup: return "[GBK] ";
    default: return "[???] ";
    }
}

const char *levelTag(int level) {
    switch (level) {
    case LogError: return "[ERR] ";
    case LogWarning: return "[WRN] ";
    case LogInformation: return "[INF] ";
    default: return "[???] ";
    }
}

QByteArray timeStamp() {
    char text[32] = "";
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local)) std::strftime(text, sizeof text, "%Y/%m/%d-%H:%M:%S", &local);
    const auto ticks = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    char tick[24];
    std::snprintf(tick, sizeof tick, "(%010d) ", static_cast<int>(static_cast<uint32_t>(ticks.count())));
    return QByteArray(text) + tick;
}

QByteArray format(const char *format, va_list args) {
    va_list measure;
    va_copy(measure, args);
    const int size = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (size <= 0) return {};
    QByteArray text(size, '\0');
    std::vsnprintf(text.data(), static_cast<size_t>(size) + 1, format, args);
    return text;
}

// Another writer's momentary hold on the file is worth an immediate retry.
constexpr int kWriteAttempts = 101;

bool isTransient(int error) { return error == EINTR || error == EAGAIN || error == EBUSY; }

// The value of `key` ("Section/Name") in any letter case, as profile files
// were read: "[dumplog]" and "LEVEL=4" count as well.
QVariant profileValue(const QSettings &settings, const QString &key, const QVariant &fallback) {
    const QStringList keys = settings.allKeys();
    const auto found = std::find_if(keys.begin(), keys.end(),
                                    [&](const QString &k) { return k.compare(key, Qt::CaseInsensitive) == 0; });
    return found == keys.end() ? fallback : settings.value(*found);
}

}  // namespace

DiagnosticLog::DiagnosticLog(QString settingsFile, QString logFile)
    : settingsFile_(std::move(settingsFile)), logFile_(std::move(logFile)) {}

void DiagnosticLog::loadSettings() {
    loaded_ = true;
    const QSettings settings(settingsFile_, QSettings::IniFormat);
    level_ = profileValue(settings, QStringLiteral("DumpLog/Level"), 0).toInt();
    if (level_ == 0) return;
    categoryMask_ = static_cast<unsigned>(profileValue(settings, QStringLiteral("DumpLog/Category"), -1).toInt());
    timeStamp_ = profileValue(settings, QStringLiteral("DumpLog/TimeStamp"), 1).toInt() != 0;
}

bool DiagnosticLog::isOff() {
    std::lock_guard lock(mutex_);
    if (!loaded_) loadSettings();
    return level_ == 0;
}

bool DiagnosticLog::appendLine(const QByteArray &line) {
    const QByteArray path = QFile::encodeName(logFile_);
    for (int attempt = 0; attempt < kWriteAttempts; ++attempt) {
        // The log tells how the user works with the machine: theirs alone.
        const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (!isTransient(errno)) return false;
            continue;
        }
        const bool written = ::write(fd, line.constData(), static_cast<size_t>(line.size())) == line.size();
        const int writeError = errno;
        const bool closed = ::close(fd) == 0;
        if (written && closed) return true;
        if (!isTransient(written ? errno : writeError)) return false;
    }
    return false;
}

void DiagnosticLog::write(LogLevel level, unsigned category, const char *fmt, va_list args) {
    QByteArray line;
    {
        std::lock_guard lock(mutex_);
        if (!loaded_) loadSettings();
        if (level_ < level || (category & categoryMask_) == 0) return;

        QByteArray message = format(fmt, args);
        message.replace("\n", "\r\n");
        line = categoryTag(category) + QByteArray(levelTag(level)) + message;
        if (timeStamp_) line.prepend(timeStamp());
        // Texts arrive as UTF-8; the file is in the user's charset.
        line = QString::fromUtf8(line).toLocal8Bit();
        if (appendLine(line)) return;
        level_ = 0;
    }
    libraryUi().message(QStringLiteral("ERROR"), MessageButtons::Ok, MessageIcon::Error);
}

namespace {

std::atomic<DiagnosticLog *> replacementLog{nullptr};

}  // namespace

DiagnosticLog &diagnosticLog() {
    if (DiagnosticLog *log = replacementLog.load()) return *log;
    static auto *log = new DiagnosticLog(moduleSibling(QStringLiteral(".INI")), moduleSibling(QStringLiteral(".Log")));
    return *log;
}

void setDiagnosticLog(DiagnosticLog *log) { replacementLog.store(log); }

#define ABIF_FORWARD(level, category, format)     \
    va_list args;                                 \
    va_start(args, format);                       \
    diagnosticLog().write(level, category, format, args); \
    va_end(args)

void logError(unsigned category, const char *format, ...) { ABIF_FORWARD(LogError, category, format); }

void logInfo(unsigned category, const char *format, ...) { ABIF_FORWARD(LogInformation, category, format); }

void logResult(bool success, unsigned category, const char *format, ...) {
    ABIF_FORWARD(success ? LogInformation : LogError, category, format);
}

#undef ABIF_FORWARD

}  // namespace abif
