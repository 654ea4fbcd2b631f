// Writing one kind of address entry of a container to a CSV file.
#pragma once

#include "core/abif_data.h"

#include <QString>

namespace abif {

// Replaces `path` with one CSV record per entry of the kind an ABIF_EXPORT_*
// type names, in the container's current order; any other type gives an
// empty file. Returns ABIF_OK, ABIF_E_MEMORY, or the system error number when
// the file fails; on failure the previous file stays as it was. The busy
// cursor shows meanwhile.
int32_t exportCsv(const QString &path, int32_t type, const CAbifData &data);

}  // namespace abif
