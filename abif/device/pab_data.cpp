// Builders of machine address data blocks.
#include "device/pab_data.h"

#include "core/diagnostic_log.h"
#include "core/record_text.h"
#include "device/pab_layout.h"
#include "device/pab_text.h"
#include "device/xsp_encrypt.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>

namespace abif {

using namespace pab;

namespace {

// Slots 1..capacity that no entry uses, ascending. Entries outside the slots
// or sharing one are tolerated, so the count always matches the list.
template <class Record> std::vector<uint16_t> unusedSlots(uint16_t capacity, const RecordArray<Record> &entries) {
    std::vector<bool> used(size_t{capacity} + 1, false);
    for (const Record &r : entries.records()) {
        const uint16_t id = r.id;
        if (id >= 1 && id <= capacity) used[id] = true;
    }
    std::vector<uint16_t> freeSlots;
    for (uint32_t slot = 1; slot <= capacity; ++slot)
        if (!used[slot]) freeSlots.push_back(static_cast<uint16_t>(slot));
    return freeSlots;
}

}  // namespace

void CPabData::appendU16(uint16_t value) {
    std::array<uint8_t, 2> be;
    qToBigEndian(value, be.data());
    bytes_.insert(bytes_.end(), be.begin(), be.end());
}

void CPabData::appendSectionHeader(uint8_t kind, uint8_t type, uint16_t firstSlot, uint16_t count) {
    bytes_.push_back(kind);
    bytes_.push_back(type);
    appendU16(firstSlot);
    appendU16(count);
}

int32_t CPabData::MakePABHeader1(uint16_t sections, uint16_t parameter, std::u16string_view password) {
    // The terminator is kept only when it fits in the area.
    std::vector<uint8_t> plain;
    appendUtf8Field(plain, QStringView(password.data(), static_cast<qsizetype>(password.size())).toString(),
                    passwordSize, passwordSize + 1);
    std::array<uint8_t, passwordSize> enciphered{};
    int written = 0;
    const int result = XSPEncrypt(plain.data(), static_cast<int>(passwordSize), enciphered.data(), &written,
                                  static_cast<int>(passwordSize));
    if (result != 0 || written != static_cast<int>(passwordSize)) {
        logError(LogDevice, "    CPabData::MakePABHeader1: XSPEncrypt error (%d)\n", result);
        return ABIF_E_FAIL;
    }
    // Lengths only: the password itself never reaches the log.
    logInfo(LogDevice, "    CPabData::MakePABHeader1: Encrypt [0x%x]->[0x%x]\n", static_cast<unsigned>(passwordSize),
            static_cast<unsigned>(written));
    appendU16(sections);
    bytes_.push_back(longForm);
    bytes_.push_back(0);  // checksum flag
    appendU16(parameter);
    bytes_.insert(bytes_.end(), enciphered.begin(), enciphered.end());
    bytes_.insert(bytes_.end(), 4, 0);  // checksum
    return ABIF_OK;
}

int32_t CPabData::makePasswordCheckRequest(std::u16string_view password) {
    if (const int32_t r = MakePABHeader1(1, requestParameter, password)) return r;
    appendSectionHeader(InformationSection, FaxRecord, 0, 0);
    return ABIF_OK;
}

int32_t CPabData::makeCapacityRequest(std::u16string_view password) {
    if (const int32_t r = MakePABHeader1(2, requestParameter, password)) return r;
    appendSectionHeader(InformationSection, FaxRecord, 0, 0);
    appendSectionHeader(InformationSection, GroupRecord, 0, 0);
    return ABIF_OK;
}

int32_t CPabData::makeReadRequest(const PabCapacity &capacity, std::u16string_view password) {
    if (const int32_t r = MakePABHeader1(2, requestParameter, password)) return r;
    appendSectionHeader(RecordsSection, FaxRecord, 1, capacity.fax);
    appendSectionHeader(RecordsSection, GroupRecord, 1, capacity.group);
    return ABIF_OK;
}

int32_t CPabData::makeUpdateRequest(const PabCapacity &capacity, const CAbifData &data,
                                    std::u16string_view password) {
    if (const int32_t r = MakePABHeader1(4, requestParameter, password)) return r;
    appendDeleteLists(capacity, data);
    return appendRecordSections(data);
}

int32_t CPabData::makeClearingBlock(const PabCapacity &capacity, const CAbifData &data, uint16_t parameter,
                                    std::u16string_view password) {
    if (const int32_t r = MakePABHeader1(2, parameter, password)) return r;
    appendDeleteLists(capacity, data);
    return ABIF_OK;
}

int32_t CPabData::makeEntriesBlock(const CAbifData &data, uint16_t parameter, std::u16string_view password) {
    if (const int32_t r = MakePABHeader1(2, parameter, password)) return r;
    return appendRecordSections(data);
}

void CPabData::appendDeleteLists(const PabCapacity &capacity, const CAbifData &data) {
    const auto appendList = [this](uint8_t type, const std::vector<uint16_t> &freeSlots) {
        appendSectionHeader(DeleteListSection, type, 0, static_cast<uint16_t>(freeSlots.size()));
        for (uint16_t slot : freeSlots) appendU16(slot);
    };
    appendList(FaxRecord, unusedSlots(capacity.fax, data.array<CAbifFaxData>()));
    appendList(GroupRecord, unusedSlots(capacity.group, data.array<CAbifFaxGroupData>()));
}

int32_t CPabData::appendRecordSections(const CAbifData &data) {
    const auto faxes = data.array<CAbifFaxData>().records();
    const auto groups = data.array<CAbifFaxGroupData>().records();
    // Counts are 16-bit on the wire; the container's limits keep far below.
    if (faxes.size() > UINT16_MAX || groups.size() > UINT16_MAX) return ABIF_E_LIMIT;

    appendSectionHeader(RecordsSection, FaxRecord, 0, static_cast<uint16_t>(faxes.size()));
    for (const CAbifFaxData &r : faxes) {
        appendU16(r.id);
        appendUtf8Field(bytes_, readQString(r.name, sizeof r.name), nameFieldSize, nameBytesWritten);
        appendUtf8Field(bytes_, readQString(r.faxNumber, sizeof r.faxNumber), numberFieldSize, numberFieldSize);
        bytes_.resize(bytes_.size() + (faxRecordSize - faxNumber - numberFieldSize), 0);
    }

    appendSectionHeader(RecordsSection, GroupRecord, 0, static_cast<uint16_t>(groups.size()));
    for (const CAbifFaxGroupData &r : groups) {
        const uint16_t memberCount = r.memberCount;
        // The count is caller data; members beyond the array do not exist.
        if (memberCount > maxGroupMembers) return ABIF_E_INDEX;
        appendU16(r.id);
        appendUtf8Field(bytes_, readQString(r.name, sizeof r.name), nameFieldSize, nameBytesWritten);
        appendU16(memberCount);
        std::array<uint16_t, maxGroupMembers> members;
        std::memcpy(members.data(), reinterpret_cast<const unsigned char *>(&r) + offsetof(CAbifFaxGroupData, members),
                    sizeof members);
        for (size_t i = 0; i < memberCount; ++i) appendU16(members[i]);
    }
    return ABIF_OK;
}

}  // namespace abif
