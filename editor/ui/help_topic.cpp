#include "ui/help_topic.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace lqa {

namespace {

const QString kIndexPage = QStringLiteral("index.html");

}  // namespace

QString helpFolder() {
    const QDir folder(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(LINQUARA_HELP_FROM_BIN)));
    return folder.exists(kIndexPage) ? folder.absolutePath() : QString();
}

QUrl helpPage(const QString &folder, int topic) {
    const QDir pages(folder);
    const QString page = pages.filePath(QString::number(topic) + QLatin1String(".html"));
    return QUrl::fromLocalFile(QFileInfo::exists(page) ? page : pages.filePath(kIndexPage));
}

bool openHelpTopic(int topic) {
    const QString folder = helpFolder();
    return !folder.isEmpty() && QDesktopServices::openUrl(helpPage(folder, topic));
}

}  // namespace lqa
