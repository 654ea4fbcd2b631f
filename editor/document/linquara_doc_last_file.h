// The PC fax address book file that was open when the editor last closed.
#pragma once

#include <QSettings>
#include <QString>

// The editor's per-user settings.
[[nodiscard]] QSettings EditorSettings();

// Empty when none was kept or the value is not a text.
[[nodiscard]] QString ReadLastFileName();
void WriteLastFileName(const QString &path);
