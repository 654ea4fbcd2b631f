// The PC fax address book file that was open when the editor last closed.
#pragma once

#include <QString>

// Empty when none was kept or the value is not a text.
[[nodiscard]] QString ReadLastFileName();
void WriteLastFileName(const QString &path);
