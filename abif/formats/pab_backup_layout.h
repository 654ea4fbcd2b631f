// Byte layout of the machine address book backup file: a print-job wrapper
// around a 64-byte header and an enciphered container of two machine address
// data blocks. Every integer is big-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace abif::backup {

// The universal exit sequence opens and closes the file.
inline constexpr std::string_view exitSequence{"\x1b%-12345X", 9};
inline constexpr std::string_view firstLine = "@PJL\r\n";
inline constexpr std::string_view buildLine = "@PJL COMMENT BUILD=";
inline constexpr std::string_view versionLine = "@PJL COMMENT VERSION:BACKUP=";
inline constexpr std::string_view languageLine = "@PJL ENTER LANGUAGE=DOWNLOAD\r\n";
// What ends the scan of lines, after the "@".
inline constexpr std::string_view languageCommand = "PJL ENTER LANGUAGE=DOWNLOAD";
inline constexpr char lineMark = '@';
inline constexpr const char *stampFormat = "yyyyMMddHHmm";

// File header.
inline constexpr size_t headerSize = 64;
inline constexpr size_t headerTag = 0;  // "ORVANE-KTR", zero-filled to 16
inline constexpr size_t tagFieldSize = 16;
inline constexpr std::string_view tag{"ORVANE-KTR\0", 11};  // its terminator counts
inline constexpr size_t headerStamp = 16;  // 12 digits, zero-filled to 16
inline constexpr size_t headerFormat = 32;
inline constexpr uint32_t formatConstant = 0x00100007;
inline constexpr size_t headerBodyLength = 44;
inline constexpr size_t headerBodyChecksum = 48;
inline constexpr size_t headerCipherType = 56;
inline constexpr size_t headerChecksum = 60;  // over bytes 0 to 59
inline constexpr uint32_t cipherNone = 0;
inline constexpr uint32_t cipherBlowfish = 2;

// The body's key; files written with any other key cannot be restored.
inline constexpr std::array<uint8_t, 7> BackupKey{0x3C, 0x71, 0xE2, 0x05, 0xB8, 0x4D, 0x9A};

// Container inside the body.
inline constexpr size_t containerVersion = 0;  // always 1
inline constexpr size_t containerHeadLength = 4;
inline constexpr size_t containerBlockCount = 8;
inline constexpr size_t containerBlockSizes = 16;  // u32 each
inline constexpr size_t containerHeadFixed = 16;   // head length = this + 4 per block
inline constexpr uint32_t currentVersion = 1;
// The clearing block covers every slot the machine can have.
inline constexpr uint16_t faxSlots = 99;
inline constexpr uint16_t groupSlots = 6;

}  // namespace abif::backup
