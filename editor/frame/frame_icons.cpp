#include "frame/frame_icons.h"

#include <QStandardPaths>
#include <QStringList>

namespace lqa {

QIcon commandIcon(const QString &name, const QIcon &fallback) { return QIcon::fromTheme(name, fallback); }

void useInstalledIconTheme() {
    // Without a desktop (offscreen, a bare X server) Qt knows neither the
    // theme nor where the system keeps its themes.
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString &folder : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                           QStandardPaths::LocateDirectory))
        if (!paths.contains(folder)) paths << folder;
    QIcon::setThemeSearchPaths(paths);
    const QString hicolor = QStringLiteral("hicolor");
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == hicolor) QIcon::setThemeName(QStringLiteral("Adwaita"));
}

}  // namespace lqa
