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

enum class LineBreaks { Replace, Keep };
// Every control character (codes 0 to 31 and 127 to 159) replaced by a space,
// a CR LF pair by one: the PC fax file cannot store some of them and nobody
// can see them. With Keep, CR and LF stay, for a text of several lines.
[[nodiscard]] QString withoutControlCharacters(QString text, LineBreaks lineBreaks);

}  // namespace abif
