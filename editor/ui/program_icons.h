// The program's own drawings: the application icon and the images of the
// address-book tree, online and offline.
#pragma once

#include <QIcon>
#include <QString>

namespace lqa {

enum class TreeImage { MachineBook, Fax, PcFaxBook, Group };

// The resource path of a tree image; offline images are greyed and badged.
QString treeImagePath(TreeImage image, bool online);
QIcon treeIcon(TreeImage image, bool online);

// The desktop theme's copy of the application icon, installed with the
// program, else the built-in drawing.
QIcon applicationIcon();

}  // namespace lqa
