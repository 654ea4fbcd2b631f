#include "frame/frame_icons.h"

namespace lqa {

QIcon commandIcon(const QString &name, const QIcon &fallback) { return QIcon::fromTheme(name, fallback); }

void useInstalledIconTheme() {
    const QString hicolor = QStringLiteral("hicolor");
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == hicolor) QIcon::setThemeName(QStringLiteral("Adwaita"));
}

}  // namespace lqa
