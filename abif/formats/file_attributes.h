// What a replaced file keeps of the file it replaces.
#pragma once

#include <QByteArray>

namespace abif {

// Gives the file `to` the owner of `from` where the user may give a file
// away, its group where the user belongs to that group, and its mode, access
// control list and extended attributes (those the user may set; security
// labels are left to the system). The paths only name the files in
// messages. Returns 0 or the system's error number.
[[nodiscard]] int copyFileAttributes(const QByteArray &fromPath, int from, const QByteArray &toPath, int to);

}  // namespace abif
