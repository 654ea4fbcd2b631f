#include "ui/program_icons.h"

// The drawings are compiled into this static library; the linker keeps them
// only because this file asks for them.
static void loadProgramIcons() { Q_INIT_RESOURCE(icons); }

namespace lqa {

namespace {

void ensureLoaded() {
    static const bool loaded = (loadProgramIcons(), true);
    Q_UNUSED(loaded);
}

const char *baseName(TreeImage image) {
    switch (image) {
    case TreeImage::MachineBook: return "machine-book";
    case TreeImage::Fax: return "fax";
    case TreeImage::PcFaxBook: return "pcfax-book";
    case TreeImage::Group: return "group";
    }
    return "";
}

}  // namespace

QString treeImagePath(TreeImage image, bool online) {
    return QStringLiteral(":/icons/%1%2.svg").arg(QLatin1String(baseName(image)), online ? QString() : QStringLiteral("-offline"));
}

QIcon treeIcon(TreeImage image, bool online) {
    ensureLoaded();
    return QIcon(treeImagePath(image, online));
}

QIcon applicationIcon() {
    ensureLoaded();
    return QIcon::fromTheme(QStringLiteral(LINQUARA_APP_ID), QIcon(QStringLiteral(":/icons/linquara.svg")));
}

}  // namespace lqa
