// Value rules an imported record must pass before it joins a container.
#pragma once

#include <QString>

namespace abif {

// Every character a printable ASCII one (32 to 126), as the machine shows them.
[[nodiscard]] bool isPrintableAscii(QStringView text);
// Digits and the dialling characters "*#:=-" only.
[[nodiscard]] bool hasFaxNumberCharacters(QStringView number);
// At most one at-sign, not at either end; local part and domain each without
// ".." and without a dot at either end, in their own character sets. A text
// without an at-sign is judged as a local part alone.
[[nodiscard]] bool isEmailAddress(QStringView address);

}  // namespace abif
