#include "formats/pab_backup_container.h"

#include "device/pab_data.h"
#include "formats/pab_backup_layout.h"

#include <QtEndian>

#include <bitset>
#include <iterator>

namespace abif::backup {
namespace {

constexpr uint32_t blockCount = 2;
constexpr size_t headLength = containerHeadFixed + 4 * blockCount;

// Space recorded for the entries block by its usual formula: every group
// sized as if it held every fax entry.
size_t entriesBlockFormula(const CAbifData &data) {
    const size_t faxes = static_cast<size_t>(data.array<CAbifFaxData>().count());
    const size_t groups = static_cast<size_t>(data.array<CAbifFaxGroupData>().count());
    return 36 + 90 * faxes + groups * (38 + 2 * faxes);
}

void putU32(std::vector<uint8_t> &out, size_t offset, uint32_t value) { qToBigEndian(value, out.data() + offset); }

}  // namespace

int32_t makeContainer(const CAbifData &data, std::vector<uint8_t> &container) {
    CPabData clearing, entries;
    if (const int32_t r = clearing.makeClearingBlock({faxSlots, groupSlots}, data, 0, u"")) return r;
    if (const int32_t r = entries.makeEntriesBlock(data, 0, u"")) return r;
    // A group with more members than there are fax entries outgrows the
    // formula; its block is then sized by what it holds.
    const size_t clearingSize = clearing.bytes().size();
    const size_t entriesSize = std::max(entriesBlockFormula(data), entries.bytes().size());

    container.assign(headLength, 0);
    putU32(container, containerVersion, currentVersion);
    putU32(container, containerHeadLength, headLength);
    putU32(container, containerBlockCount, blockCount);
    putU32(container, containerBlockSizes, static_cast<uint32_t>(clearingSize));
    putU32(container, containerBlockSizes + 4, static_cast<uint32_t>(entriesSize));
    container.insert(container.end(), clearing.bytes().begin(), clearing.bytes().end());
    container.insert(container.end(), entries.bytes().begin(), entries.bytes().end());
    container.resize((headLength + clearingSize + entriesSize + 7) / 8 * 8, 0);
    return ABIF_OK;
}

int32_t readContainer(const uint8_t *container, size_t length, CAbifData &data) {
    if (!container || length < containerHeadFixed) return ABIF_E_FORMAT;
    const auto u32 = [container](size_t offset) { return uint64_t{qFromBigEndian<uint32_t>(container + offset)}; };
    const uint64_t head = u32(containerHeadLength), count = u32(containerBlockCount);
    if (u32(containerVersion) != currentVersion || head > length || count == 0 ||
        head != containerHeadFixed + 4 * count)
        return ABIF_E_FORMAT;
    uint64_t end = head;
    for (uint64_t i = 0; i < count; ++i) end += u32(containerBlockSizes + 4 * i);
    if (end > length) return ABIF_E_FORMAT;

    size_t offset = head;
    for (uint64_t i = 0; i < count; ++i) {
        const size_t size = u32(containerBlockSizes + 4 * i);
        if (const int32_t r = readPabBlock(container + offset, size, data)) return r;
        offset += size;
    }
    return ABIF_OK;
}

bool machineCanHold(const CAbifData &data) {
    std::bitset<faxSlots + 1> faxes;
    for (const CAbifFaxData &fax : data.array<CAbifFaxData>().records()) {
        const uint16_t id = fax.id;
        if (id == 0 || id > faxSlots || faxes.test(id)) return false;
        faxes.set(id);
    }
    std::bitset<groupSlots + 1> groups;
    for (const CAbifFaxGroupData &group : data.array<CAbifFaxGroupData>().records()) {
        const uint16_t id = group.id;
        if (id == 0 || id > groupSlots || groups.test(id)) return false;
        groups.set(id);
        for (uint16_t m = 0; m < group.memberCount && m < std::size(group.members); ++m) {
            const uint16_t member = group.members[m];
            if (member > faxSlots || !faxes.test(member)) return false;
        }
    }
    return true;
}

uint32_t wordSum(const uint8_t *data, size_t length) {
    uint32_t total = 0;
    for (size_t i = 0; i + 4 <= length; i += 4) total += qFromBigEndian<uint32_t>(data + i);
    return total;
}

}  // namespace abif::backup
