// Images of the menu and toolbar commands: the desktop's icon theme first,
// with the program's own drawings where it has one.
#pragma once

#include <QIcon>
#include <QString>

namespace lqa {

// The desktop theme's icon `name`, else `fallback`.
QIcon commandIcon(const QString &name, const QIcon &fallback = {});

// Lets standard actions find their images in the icon theme installed with
// the program when the desktop names no theme (or only the bare fallback).
void useInstalledIconTheme();

}  // namespace lqa
