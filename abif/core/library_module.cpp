#include "core/library_module.h"

#include "core/library_ui.h"

#include <QDir>
#include <QFileInfo>

#include <dlfcn.h>
#include <mutex>

namespace abif {

namespace {

Dl_info moduleInfo() {
    Dl_info info{};
    dladdr(reinterpret_cast<void *>(&modulePath), &info);
    return info;
}

thread_local int32_t languageOfThread = 0;

std::mutex helpMutex;
QString helpPath = QString::fromLatin1(kNoHelpFile);

}  // namespace

QString modulePath() {
    const Dl_info info = moduleInfo();
    return info.dli_fname ? QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath() : QString();
}

uintptr_t moduleHandle() { return reinterpret_cast<uintptr_t>(moduleInfo().dli_fbase); }

QString moduleSibling(const QString &extension) {
    const QFileInfo file(modulePath());
    const QString name = file.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return file.dir().filePath((dot > 0 ? name.left(dot) : name) + extension);
}

int32_t threadLanguage() { return languageOfThread; }

void setThreadLanguage(int32_t languageId) { languageOfThread = languageId; }

bool isRightToLeftLanguage(int32_t languageId) {
    return languageId == 1037 /* Hebrew */ || languageId == 1025 /* Arabic */;
}

QString helpFilePath() {
    std::lock_guard lock(helpMutex);
    return helpPath;
}

void setHelpFilePath(const QString &path) {
    std::lock_guard lock(helpMutex);
    helpPath = path;
}

bool hasHelpFile() {
    const QString path = helpFilePath();
    return !path.isEmpty() && path != QLatin1String(kNoHelpFile);
}

namespace {

bool isHtmlHelpFile(const QString &path) { return path.endsWith(QLatin1String(".chm"), Qt::CaseInsensitive); }

// The page of `context` in a folder of pages "<context>.html"; the folder's
// contents page when the topic has no page of its own, so that the reader
// lands in the help rather than on a browser error.
QUrl pageInFolder(const QString &folder, uint32_t context) {
    const QDir pages(folder);
    const QString topic = pages.filePath(QString::number(context) + QLatin1String(".html"));
    const QString contents = pages.filePath(QStringLiteral("index.html"));
    return QUrl::fromLocalFile(!QFileInfo::exists(topic) && QFileInfo::exists(contents) ? contents : topic);
}

}  // namespace

bool usesHtmlHelp() {
    const QString path = helpFilePath();
    return isHtmlHelpFile(path) || (hasHelpFile() && QFileInfo(path).isDir());
}

QUrl helpTopicUrl(uint32_t context) {
    const QString path = helpFilePath();
    if (path == QLatin1String(kNoHelpFile) || path.isEmpty()) return {};
    if (isHtmlHelpFile(path)) return pageInFolder(path.left(path.size() - 4), context);
    if (QFileInfo(path).isDir()) return pageInFolder(path, context);
    QUrl url = QUrl::fromLocalFile(path);
    url.setFragment(QString::number(context));
    return url;
}

void requestHelp(uint32_t context) {
    const QUrl topic = helpTopicUrl(context);
    if (!topic.isEmpty()) libraryUi().openHelp(topic);
}

}  // namespace abif
