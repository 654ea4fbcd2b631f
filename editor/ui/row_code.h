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

// The kind bits of each kind of row, to test a row code against.
inline constexpr quint32 kLqaFaxMemberBits = LqaRowCode(AdrKindAioFax, 0);
inline constexpr quint32 kLqaEmailMemberBits = LqaRowCode(AdrKindAioEmail, 0);
inline constexpr quint32 kLqaPcFaxMemberBits = LqaRowCode(AdrKindPcFax, 0);
inline constexpr quint32 kLqaFaxGroupBits = LqaRowCode(AdrKindAioFaxGroup, 0);
inline constexpr quint32 kLqaEmailGroupBits = LqaRowCode(AdrKindAioEmailGroup, 0);
inline constexpr quint32 kLqaPcFaxGroupBits = LqaRowCode(AdrKindPcFaxGroup, 0);
inline constexpr quint32 kLqaMemberKindBits = 0x00FF0000u;
inline constexpr quint32 kLqaGroupKindBits = 0xFF000000u;
