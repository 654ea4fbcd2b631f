// The small image each imported row carries: a fax machine, an envelope or
// the PC fax address book.
#pragma once

#include <QIcon>

#include <cstdint>

namespace abif {

// The desktop theme's image for the destination's kind, or our own drawing
// when the theme has none.
QIcon importKindIcon(int32_t destination);

}  // namespace abif
