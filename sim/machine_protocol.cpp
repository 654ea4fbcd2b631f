#include "machine_protocol.h"

#include "abiflink.h"
#include "device/pab_checksum.h"
#include "device/pab_layout.h"
#include "device/pab_text.h"
#include "device/xsp_encrypt.h"
#include "qvs_stilib.h"

#include <QtEndian>

#include <array>

namespace qvs {
namespace {

namespace pab = abif::pab;

// A cursor that never moves past the end of the block.
class BlockReader {
public:
    BlockReader(const uint8_t *block, size_t length) : block_(block), length_(length) {}
    const uint8_t *take(size_t count) {
        if (!block_ || length_ - position_ < count) return nullptr;
        const uint8_t *at = block_ + position_;
        position_ += count;
        return at;
    }

private:
    const uint8_t *block_;
    size_t length_;
    size_t position_ = 0;
};

struct Header {
    uint16_t sectionCount = 0;
    bool longForm = false;
    uint16_t parameter = 0;
};

struct Section {
    uint8_t kind = 0;
    uint8_t type = 0;
    uint16_t firstSlot = 0;
    uint16_t count = 0;
};

uint16_t be16(const uint8_t *at) { return qFromBigEndian<uint16_t>(at); }

void appendBe16(std::vector<uint8_t> &out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

QString decipheredPassword(const uint8_t *enciphered) {
    std::array<uint8_t, pab::passwordSize> plain{};
    int written = 0;
    const int size = static_cast<int>(plain.size());
    abif::XSPEncrypt(enciphered, size, plain.data(), &written, size);
    return pab::readUtf8Field(plain.data(), plain.size());
}

// The status byte that refuses the block at its header, or 0.
uint8_t readHeader(const MachineState &state, const uint8_t *block, size_t length, BlockReader &reader, Header &header) {
    const uint8_t *at = reader.take(pab::shortHeaderSize);
    if (!at) return QVS_STI_STATUS_MALFORMED;
    header.sectionCount = be16(at + pab::headerSectionCount);
    header.longForm = at[pab::headerForm] != 0;
    QString password;
    if (header.longForm) {
        if (!reader.take(pab::longHeaderSize - pab::shortHeaderSize)) return QVS_STI_STATUS_MALFORMED;
        if (pab::verifyBlockChecksum(block, length) != ABIF_OK) return QVS_STI_STATUS_CHECKSUM;
        header.parameter = be16(at + pab::headerParameter);
        password = decipheredPassword(at + pab::headerPassword);
    }
    if (!state.password.isEmpty() && password != state.password) return QVS_STI_STATUS_PASSWORD;
    return 0;
}

bool readSection(BlockReader &reader, Section &section) {
    const uint8_t *at = reader.take(pab::sectionHeaderSize);
    if (!at) return false;
    section = {at[pab::sectionKind], at[pab::sectionType], be16(at + pab::sectionFirstSlot), be16(at + pab::sectionCount)};
    return section.type == pab::FaxRecord || section.type == pab::GroupRecord;
}

uint16_t capacityOf(const MachineState &state, uint8_t type) {
    return type == pab::FaxRecord ? state.faxCapacity : state.groupCapacity;
}

void appendSectionHeader(std::vector<uint8_t> &out, uint8_t kind, uint8_t type, uint16_t firstSlot, uint16_t count) {
    out.push_back(kind);
    out.push_back(type);
    appendBe16(out, firstSlot);
    appendBe16(out, count);
}

void appendFaxRecord(std::vector<uint8_t> &out, uint16_t id, const FaxSlot &slot) {
    appendBe16(out, id);
    pab::appendUtf8Field(out, slot.name, pab::nameFieldSize, pab::nameBytesWritten);
    pab::appendUtf8Field(out, slot.number, pab::numberFieldSize, pab::numberFieldSize);
    out.resize(out.size() + pab::faxRecordSize - pab::faxNumber - pab::numberFieldSize, 0);
}

void appendGroupRecord(std::vector<uint8_t> &out, uint16_t id, const GroupSlot &group) {
    appendBe16(out, id);
    pab::appendUtf8Field(out, group.name, pab::nameFieldSize, pab::nameBytesWritten);
    appendBe16(out, static_cast<uint16_t>(group.members.size()));
    for (uint16_t member : group.members) appendBe16(out, member);
}

// The occupied slots of [first, first + count) as a records section.
template <class Slots, class Append>
void appendRecordsSection(std::vector<uint8_t> &out, const Section &asked, const Slots &held, Append append) {
    const uint32_t end = uint32_t{asked.firstSlot} + asked.count;
    std::vector<std::pair<uint16_t, const typename Slots::mapped_type *>> found;
    for (auto it = held.lower_bound(asked.firstSlot); it != held.end() && it->first < end; ++it)
        found.emplace_back(it->first, &it->second);
    appendSectionHeader(out, pab::RecordsSection, asked.type, asked.firstSlot, static_cast<uint16_t>(found.size()));
    for (const auto &[id, slot] : found) append(out, id, *slot);
}

TransferAnswer refused(uint8_t status) {
    TransferAnswer answer;
    answer.status = status;
    return answer;
}

// The slots of an update block, before any of them is applied.
struct Update {
    std::vector<uint16_t> clearFax;
    std::vector<uint16_t> clearGroups;
    std::map<uint16_t, FaxSlot> fax;
    std::map<uint16_t, GroupSlot> groups;
};

bool readDeleteList(BlockReader &reader, const Section &section, uint16_t capacity, std::vector<uint16_t> &ids) {
    for (uint16_t i = 0; i < section.count; ++i) {
        const uint8_t *at = reader.take(pab::deleteListIdSize);
        if (!at || be16(at) < 1 || be16(at) > capacity) return false;
        ids.push_back(be16(at));
    }
    return true;
}

bool readFaxRecords(BlockReader &reader, const Section &section, const MachineState &state, bool longForm,
                    Update &update) {
    const size_t size = longForm ? pab::faxRecordSize : pab::shortFaxRecordSize;
    for (uint16_t i = 0; i < section.count; ++i) {
        const uint8_t *at = reader.take(size);
        if (!at) return false;
        const uint16_t id = be16(at + pab::faxId);
        FaxSlot slot{pab::readUtf8Field(at + pab::faxName, pab::nameFieldSize),
                     pab::readUtf8Field(at + pab::faxNumber, pab::numberFieldSize)};
        if (id < 1 || id > state.faxCapacity || !fitsName(slot.name) || !fitsNumber(slot.number)) return false;
        if (!update.fax.emplace(id, std::move(slot)).second) return false;
    }
    return true;
}

bool readGroupRecords(BlockReader &reader, const Section &section, const MachineState &state, Update &update) {
    for (uint16_t i = 0; i < section.count; ++i) {
        const uint8_t *at = reader.take(pab::groupMembers);
        if (!at) return false;
        const uint16_t id = be16(at + pab::groupId);
        const uint16_t memberCount = be16(at + pab::groupMemberCount);
        GroupSlot group{pab::readUtf8Field(at + pab::groupName, pab::nameFieldSize), {}};
        if (id < 1 || id > state.groupCapacity || memberCount > kMaxGroupMembers || !fitsName(group.name)) return false;
        const uint8_t *members = reader.take(size_t{memberCount} * 2);
        if (!members) return false;
        std::set<uint16_t> distinct;
        for (uint16_t m = 0; m < memberCount; ++m) {
            const uint16_t member = be16(members + 2 * m);
            if (member < 1 || member > state.faxCapacity || !distinct.insert(member).second) return false;
            group.members.push_back(member);
        }
        if (!update.groups.emplace(id, std::move(group)).second) return false;
    }
    return true;
}

bool readUpdate(BlockReader &reader, const Header &header, const MachineState &state, Update &update) {
    for (uint16_t i = 0; i < header.sectionCount; ++i) {
        Section section;
        if (!readSection(reader, section)) return false;
        const bool fax = section.type == pab::FaxRecord;
        bool read = false;
        switch (section.kind) {
        case pab::InformationSection: read = true; break;
        case pab::DeleteListSection:
            read = readDeleteList(reader, section, capacityOf(state, section.type), fax ? update.clearFax : update.clearGroups);
            break;
        case pab::RecordsSection:
            read = fax ? readFaxRecords(reader, section, state, header.longForm, update)
                       : readGroupRecords(reader, section, state, update);
            break;
        default: break;
        }
        if (!read) return false;
    }
    return true;
}

template <class Slots> void applySlots(Slots &held, const std::vector<uint16_t> &clear, const Slots &written) {
    for (uint16_t id : clear) held.erase(id);
    for (const auto &[id, slot] : written) held[id] = slot;
}

}  // namespace

TransferAnswer answerQuery(const MachineState &state, const uint8_t *block, size_t length) {
    BlockReader reader(block, length);
    Header header;
    if (const uint8_t status = readHeader(state, block, length, reader, header)) return refused(status);

    TransferAnswer answer;
    std::vector<uint8_t> &out = answer.response;
    appendBe16(out, header.sectionCount);
    out.push_back(pab::longForm);
    out.push_back(0);
    appendBe16(out, header.parameter);
    out.resize(pab::longHeaderSize, 0);
    for (uint16_t i = 0; i < header.sectionCount; ++i) {
        Section section;
        if (!readSection(reader, section)) return refused(QVS_STI_STATUS_MALFORMED);
        if (section.kind == pab::InformationSection) {
            appendSectionHeader(out, pab::InformationSection, section.type, 0, 0);
            appendBe16(out, capacityOf(state, section.type));
            appendBe16(out, 0);
        } else if (section.kind == pab::RecordsSection && section.type == pab::FaxRecord) {
            appendRecordsSection(out, section, state.fax, appendFaxRecord);
        } else if (section.kind == pab::RecordsSection) {
            appendRecordsSection(out, section, state.groups, appendGroupRecord);
        } else {
            return refused(QVS_STI_STATUS_MALFORMED);
        }
    }
    pab::addBlockChecksum(out.data(), out.size());
    return answer;
}

TransferAnswer applyUpdate(MachineState &state, const uint8_t *block, size_t length) {
    BlockReader reader(block, length);
    Header header;
    if (const uint8_t status = readHeader(state, block, length, reader, header)) return refused(status);
    Update update;
    if (!readUpdate(reader, header, state, update)) return refused(QVS_STI_STATUS_MALFORMED);

    TransferAnswer answer;
    const std::map<uint16_t, FaxSlot> before = state.fax;
    applySlots(state.fax, update.clearFax, update.fax);
    applySlots(state.groups, update.clearGroups, update.groups);
    // A slot that a delayed fax still waits for keeps what it had.
    for (uint16_t slot : state.delayedStart) {
        const auto was = before.find(slot);
        const auto now = state.fax.find(slot);
        const bool changed = (was == before.end()) != (now == state.fax.end()) ||
                             (was != before.end() && now != state.fax.end() && was->second != now->second);
        if (!changed) continue;
        answer.keptBack = true;
        if (was == before.end())
            state.fax.erase(slot);
        else
            state.fax[slot] = was->second;
    }
    return answer;
}

}  // namespace qvs
