// The one way the library puts new content in place of a file (the PC fax
// book, the backup file, the CSV export).
//
// The bytes go to a temporary file beside the target, named
// ".<target name>.abif-<8 letters or digits>", which holds the writer's lock
// from the moment it exists. It takes the target's owner where the user may
// give it away, its group where the user belongs to it, its mode, its access
// control list and its extended attributes; it is synced and then renamed
// over the target. Any failure removes it and leaves the target as it was.
// A process killed meanwhile leaves the target old or new and, at worst,
// its temporary file, which the next replacement of the same target removes
// once its lock shows that no writer holds it any more.
//
// A file that may be written in a folder that may not is refused with the
// folder's error number before anything changes: rewriting it in place
// could leave it torn, and saving it elsewhere remains possible.
#pragma once

#include <QByteArray>

namespace abif {

// Puts `bytes` in place of `target` (absolute, symbolic links resolved).
// `old` is a descriptor of the file being replaced, whose attributes the new
// file takes, or -1 when there is none yet: the target is then created only
// if nobody else created it meanwhile (EAGAIN if someone did). Returns 0 and
// a descriptor of the new file, already locked, in `replacement`; or the
// system's error number. Once the new content is in place the result is 0.
[[nodiscard]] int replaceFile(const QByteArray &target, int old, QByteArrayView bytes, int &replacement);

}  // namespace abif
