// The program's help: a folder of pages "<topic>.html" with an index page,
// installed beside the program's folder and opened with the desktop's handler.
#pragma once

#include <QString>
#include <QUrl>

namespace lqa {

// The help folder of this copy of the program (the build tree is laid out the
// same way), or empty when it has no help pages; hand it to the library with
// Abif_SetHelpFileName, or "DMY" when empty.
QString helpFolder();

// The page of `topic` in `folder`; the index page when the topic has none.
QUrl helpPage(const QString &folder, int topic);

// Opens the page of `topic`; false when there is no help to open.
bool openHelpTopic(int topic);

}  // namespace lqa
