// The PC fax address book file ("qad"): a header, then member and group
// records, all in 16-bit units.
//
//   header  "VELMORANTE_AIO_ADDRESS_BOOK_1000" END
//   member  1 id SEP name SEP faxNumber SEP company SEP note SEP commMode SEP
//           updatedOn(4 units) SEP reservedText SEP END
//   group   2 id SEP name SEP updatedOn(4 units) SEP memberCount SEP
//           members(memberCount units) SEP END
//
// SEP is 0x0003, END 0x0004. Records run to the end of the input or to a
// type unit of 0. Texts carry no terminator and may not contain SEP or END.
//
// Reader and writer share one rule, so that every book read can be written
// back: a text unit that fitsText() refuses (a marker, or a zero that would
// end the text in memory) is read as a space and refused by the writer, and
// so is a communication mode from kCommModes on, which is read as 0.
#pragma once

#include "formats/unicode_file.h"

class CGADFile final : public CUnicodeFile {
public:
    // Reads parse `image`; writes build output() and need no input.
    explicit CGADFile(std::span<const unsigned char> image = {}) : CUnicodeFile(image) {}

    // ABIF_OK; ABIF_E_FORMAT or ABIF_E_LIMIT keeping the records read before
    // the fault. The container comes out normalised either way.
    int32_t readData(CAbifData &data) override;
    // Members, then groups, each in normalised order. A text holding a unit
    // fitsText() refuses, a communication mode out of range, or a group of
    // more than 30 members is refused with ABIF_E_FORMAT.
    int32_t writeData(const CAbifData &data) override;
    int32_t readHeader() override;
    void writeHeader() override;

    static constexpr char16_t kMagic[] = u"VELMORANTE_AIO_ADDRESS_BOOK_1000";
    static constexpr uint16_t kEnd = 0x0004;
    static constexpr uint16_t kMemberType = 1;
    static constexpr uint16_t kGroupType = 2;
    // The header text may run this long before its end unit.
    static constexpr size_t kHeaderUnits = 256;
    // "G3 Auto" and "F4800".
    static constexpr uint8_t kCommModes = 2;
    // What a read text holds in place of a unit the file cannot carry.
    static constexpr uint16_t kStandIn = u' ';

    [[nodiscard]] static constexpr bool fitsText(uint16_t unit) {
        return unit != 0 && unit != kSeparator && unit != kEnd;
    }

private:
    int32_t readTextField(void *field, size_t fieldBytes);
    // The text and its separator; false, having written nothing of it, for a
    // text holding a unit fitsText() refuses.
    bool writeTextField(const void *field, size_t fieldBytes);
    int32_t readRecord(CAbifData &data);
    int32_t readMember(CAbifData &data);
    int32_t readGroup(CAbifData &data);
    int32_t writeMember(const CAbifMyFaxData &member);
    int32_t writeGroup(const CAbifMyFaxGroupData &group);
};
