// Machine address data blocks: the requests sent to the machine, the readers
// of its responses, and the blocks of a backup file's body.
#pragma once

#include "core/abif_data.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace abif {

// Slots the machine has for fax speed dials and for fax group dials; slots
// are numbered from 1, and an entry's ID is its slot.
struct PabCapacity {
    uint16_t fax = 0;
    uint16_t group = 0;
    friend bool operator==(const PabCapacity &, const PabCapacity &) = default;
};

// A block being built. Every builder appends to it and returns ABIF_OK or
// its first failure; a request is one builder call on a new object.
class CPabData {
public:
    // The long block header with the enciphered password and no checksum.
    int32_t MakePABHeader1(uint16_t sectionCount, uint16_t parameter, std::u16string_view password);

    int32_t makePasswordCheckRequest(std::u16string_view password);
    int32_t makeCapacityRequest(std::u16string_view password);
    int32_t makeReadRequest(const PabCapacity &capacity, std::u16string_view password);
    // Clears every slot no entry of `data` uses and stores every fax entry
    // and group entry, in container order.
    int32_t makeUpdateRequest(const PabCapacity &capacity, const CAbifData &data, std::u16string_view password);

    // Backup bodies: the slots to clear, and the entries to store.
    int32_t makeClearingBlock(const PabCapacity &capacity, const CAbifData &data, uint16_t parameter,
                              std::u16string_view password);
    int32_t makeEntriesBlock(const CAbifData &data, uint16_t parameter, std::u16string_view password);

    [[nodiscard]] const std::vector<uint8_t> &bytes() const { return bytes_; }

private:
    void appendU16(uint16_t value);
    void appendSectionHeader(uint8_t kind, uint8_t type, uint16_t firstSlot, uint16_t count);
    void appendDeleteLists(const PabCapacity &capacity, const CAbifData &data);
    int32_t appendRecordSections(const CAbifData &data);

    std::vector<uint8_t> bytes_;
};

// Readers of blocks from the machine and from backup files. None reads past
// `length`; records read before a fault stay in the container.

// The capacity response; ABIF_E_RESPONSE when it is not one.
int32_t readCapacityResponse(const uint8_t *block, size_t length, PabCapacity &capacity);

// The read response: adds its fax and group records to `data`. ABIF_E_RESPONSE
// when it is malformed, the container's code when it refuses a record.
int32_t readReadResponse(const uint8_t *block, size_t length, CAbifData &data);

// Any mix of sections, as in a backup body: adds fax and group records to
// `data` and skips the rest. ABIF_E_FORMAT when it is malformed, ABIF_E_FAIL
// for records or IDs of an unknown type, the container's code when it
// refuses a record.
int32_t readPabBlock(const uint8_t *block, size_t length, CAbifData &data);

}  // namespace abif
