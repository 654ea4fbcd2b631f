// Readers of machine address data blocks. Blocks come from the machine and
// from backup files, so every length and count is checked against the bytes
// that remain before anything is read.
#include "device/pab_data.h"

#include "device/pab_layout.h"
#include "device/pab_text.h"

#include <QtEndian>

#include <cstring>

namespace abif {

using namespace pab;

namespace {

// A read cursor that hands out only bytes the block has.
class BlockCursor {
public:
    BlockCursor(const uint8_t *block, size_t length) : next_(block), remaining_(block ? length : 0) {}

    // The next `n` bytes, consumed; null when fewer remain.
    const uint8_t *take(size_t n) {
        if (n > remaining_) return nullptr;
        const uint8_t *p = next_;
        next_ += n;
        remaining_ -= n;
        return p;
    }

private:
    const uint8_t *next_;
    size_t remaining_;
};

struct BlockHeader {
    uint16_t sectionCount;
    bool longForm;
};

struct SectionHeader {
    uint8_t kind;
    uint8_t type;
    uint16_t count;
};

bool readBlockHeader(BlockCursor &in, BlockHeader &header) {
    const uint8_t *start = in.take(shortHeaderSize);
    if (!start) return false;
    header.sectionCount = qFromBigEndian<uint16_t>(start + headerSectionCount);
    header.longForm = start[headerForm] != 0;
    return !header.longForm || in.take(longHeaderSize - shortHeaderSize);
}

bool readSectionHeader(BlockCursor &in, SectionHeader &section) {
    const uint8_t *p = in.take(sectionHeaderSize);
    if (!p) return false;
    section = {p[sectionKind], p[sectionType], qFromBigEndian<uint16_t>(p + sectionCount)};
    return true;
}

template <class Record> int32_t addRecord(CAbifData &data, const Record &record) {
    return data.array<Record>().append({&record, 1}) ? ABIF_OK : ABIF_E_LIMIT;
}

// `recordSize` is 90, or 88 in a block with a short header.
int32_t readFaxRecords(BlockCursor &in, uint16_t count, size_t recordSize, CAbifData &data, int32_t malformed) {
    for (uint16_t i = 0; i < count; ++i) {
        const uint8_t *p = in.take(recordSize);
        if (!p) return malformed;
        CAbifFaxData r{};
        r.id = qFromBigEndian<uint16_t>(p + faxId);
        writeRecordText(r.name, sizeof r.name, readUtf8Field(p + faxName, nameFieldSize));
        writeRecordText(r.faxNumber, sizeof r.faxNumber, readUtf8Field(p + faxNumber, numberFieldSize));
        if (const int32_t result = addRecord(data, r)) return result;
    }
    return ABIF_OK;
}

int32_t readGroupRecords(BlockCursor &in, uint16_t count, CAbifData &data, int32_t malformed) {
    for (uint16_t i = 0; i < count; ++i) {
        const uint8_t *p = in.take(groupMembers);
        if (!p) return malformed;
        const uint16_t memberCount = qFromBigEndian<uint16_t>(p + groupMemberCount);
        if (memberCount > maxGroupMembers) return malformed;
        const uint8_t *members = in.take(size_t{memberCount} * 2);
        if (!members) return malformed;
        CAbifFaxGroupData r{};
        r.id = qFromBigEndian<uint16_t>(p + groupId);
        writeRecordText(r.name, sizeof r.name, readUtf8Field(p + groupName, nameFieldSize));
        r.memberCount = memberCount;
        uint16_t ids[maxGroupMembers] = {};
        for (size_t m = 0; m < memberCount; ++m) ids[m] = qFromBigEndian<uint16_t>(members + 2 * m);
        std::memcpy(reinterpret_cast<unsigned char *>(&r) + offsetof(CAbifFaxGroupData, members), ids, sizeof ids);
        if (const int32_t result = addRecord(data, r)) return result;
    }
    return ABIF_OK;
}

// The next section header, when it has the kind and type a response needs.
bool expectSection(BlockCursor &in, uint8_t kind, uint8_t type, SectionHeader &section) {
    return readSectionHeader(in, section) && section.kind == kind && section.type == type;
}

}  // namespace

int32_t readCapacityResponse(const uint8_t *block, size_t length, PabCapacity &capacity) {
    BlockCursor in(block, length);
    BlockHeader header;
    if (!readBlockHeader(in, header) || header.sectionCount != 2) return ABIF_E_RESPONSE;
    uint16_t found[2];
    const uint8_t types[2] = {FaxRecord, GroupRecord};
    for (size_t i = 0; i < 2; ++i) {
        SectionHeader section;
        if (!expectSection(in, InformationSection, types[i], section)) return ABIF_E_RESPONSE;
        const uint8_t *rest = in.take(informationResponseSize - sectionHeaderSize);
        if (!rest) return ABIF_E_RESPONSE;
        found[i] = qFromBigEndian<uint16_t>(rest + (informationCapacity - sectionHeaderSize));
    }
    capacity = {found[0], found[1]};
    return ABIF_OK;
}

int32_t readReadResponse(const uint8_t *block, size_t length, CAbifData &data) {
    BlockCursor in(block, length);
    BlockHeader header;
    if (!readBlockHeader(in, header) || header.sectionCount != 2) return ABIF_E_RESPONSE;
    SectionHeader section;
    if (!expectSection(in, RecordsSection, FaxRecord, section)) return ABIF_E_RESPONSE;
    if (const int32_t r = readFaxRecords(in, section.count, faxRecordSize, data, ABIF_E_RESPONSE)) return r;
    if (!expectSection(in, RecordsSection, GroupRecord, section)) return ABIF_E_RESPONSE;
    return readGroupRecords(in, section.count, data, ABIF_E_RESPONSE);
}

int32_t readPabBlock(const uint8_t *block, size_t length, CAbifData &data) {
    BlockCursor in(block, length);
    BlockHeader header;
    if (!readBlockHeader(in, header)) return ABIF_E_FORMAT;
    const size_t faxSize = header.longForm ? faxRecordSize : shortFaxRecordSize;
    for (uint16_t s = 0; s < header.sectionCount; ++s) {
        SectionHeader section;
        if (!readSectionHeader(in, section)) return ABIF_E_FORMAT;
        const bool knownType = section.type == FaxRecord || section.type == GroupRecord;
        int32_t result = ABIF_OK;
        switch (section.kind) {
        case InformationSection:
            if (!in.take(informationResponseSize - sectionHeaderSize)) result = ABIF_E_FORMAT;
            break;
        case RecordsSection:
            if (section.type == FaxRecord)
                result = readFaxRecords(in, section.count, faxSize, data, ABIF_E_FORMAT);
            else if (section.type == GroupRecord)
                result = readGroupRecords(in, section.count, data, ABIF_E_FORMAT);
            else
                result = ABIF_E_FAIL;
            break;
        case DeleteListSection:
            if (!knownType)
                result = ABIF_E_FAIL;
            else if (!in.take(size_t{section.count} * deleteListIdSize))
                result = ABIF_E_FORMAT;
            break;
        default:  // unknown kinds are bare headers
            break;
        }
        if (result != ABIF_OK) return result;
    }
    return ABIF_OK;
}

}  // namespace abif
