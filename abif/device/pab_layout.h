// Byte layout of the machine address data block: a block header, then
// sections of a six-byte header each, optionally followed by records or IDs.
// Every integer in a block is big-endian; texts are UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>

namespace abif::pab {

// Block header. The long form is the only one the library builds; byte 2
// alone tells the forms apart (non-zero: long).
inline constexpr size_t headerSectionCount = 0;  // u16
inline constexpr size_t headerForm = 2;          // u8
inline constexpr size_t headerChecksumFlag = 3;  // u8: 1 when the checksum is set
inline constexpr size_t headerParameter = 4;     // u16
inline constexpr size_t headerPassword = 6;      // enciphered, passwordSize bytes
inline constexpr size_t headerChecksum = 20;     // u32
inline constexpr size_t passwordSize = 14;
inline constexpr size_t longHeaderSize = 24;
inline constexpr size_t shortHeaderSize = 10;
inline constexpr uint8_t longForm = 0x80;
// Every block sent to the machine carries this parameter word.
inline constexpr uint16_t requestParameter = 1;

// Section header.
inline constexpr size_t sectionKind = 0;       // u8, SectionKind
inline constexpr size_t sectionType = 1;       // u8, RecordType
inline constexpr size_t sectionFirstSlot = 2;  // u16
inline constexpr size_t sectionCount = 4;      // u16: records, IDs or slots
inline constexpr size_t sectionHeaderSize = 6;
// An information section in a response carries the capacity after its header.
inline constexpr size_t informationCapacity = 6;  // u16
inline constexpr size_t informationResponseSize = 10;
inline constexpr size_t deleteListIdSize = 2;

enum SectionKind : uint8_t { InformationSection = 0, RecordsSection = 1, DeleteListSection = 2 };
enum RecordType : uint8_t { FaxRecord = 3, GroupRecord = 4 };

// Texts are zero-terminated; the name field's last byte always stays zero.
inline constexpr size_t nameFieldSize = 34;
inline constexpr size_t nameBytesWritten = 33;  // terminator included
inline constexpr size_t numberFieldSize = 51;

// Fax speed dial record. Blocks with a short header carry it without its
// last two bytes.
inline constexpr size_t faxId = 0;  // u16
inline constexpr size_t faxName = 2;
inline constexpr size_t faxNumber = 36;
inline constexpr size_t faxRecordSize = 90;
inline constexpr size_t shortFaxRecordSize = 88;

// Fax group dial record: groupMembers + 2 bytes per member.
inline constexpr size_t groupId = 0;  // u16
inline constexpr size_t groupName = 2;
inline constexpr size_t groupMemberCount = 36;  // u16
inline constexpr size_t groupMembers = 38;      // u16 each
inline constexpr uint16_t maxGroupMembers = 99;

}  // namespace abif::pab
