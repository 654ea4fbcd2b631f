// The code that names a list row: the entry's ID in bits 0 to 15, a member
// kind in bits 16 to 23 or a group kind in bits 24 to 31. Both kinds sit
// where AdrKind puts them, shifted up by 16.
#pragma once

#include "model/adr_types.h"

[[nodiscard]] constexpr quint32 LqaRowCode(quint32 kind, quint16 id) { return (kind << 16) | id; }
// The row code's kind bits, e.g. 0x80000 for a PC fax member.
[[nodiscard]] constexpr quint32 LqaRowKindBits(quint32 code) { return code & 0xFFFF0000u; }
[[nodiscard]] constexpr quint32 LqaRowKind(quint32 code) { return code >> 16; }
[[nodiscard]] constexpr quint16 LqaRowId(quint32 code) { return static_cast<quint16>(code & 0xFFFFu); }
