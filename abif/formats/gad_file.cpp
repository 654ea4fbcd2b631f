#include "formats/gad_file.h"

#include <cstring>
#include <string_view>

namespace {

constexpr size_t kGroupSlots = sizeof(CAbifMyFaxGroupData::members) / 2;

// Bytes of a record with every field at its maximum, for sizing the output
// once: markers, one-unit fields, the time's four units, then the texts.
constexpr qsizetype kMemberBytes = 2 * (10 + 2 + 4 + (32 + 50 + 64 + 254 + 64));
constexpr qsizetype kGroupBytes = 2 * (7 + 2 + 4 + 32 + kGroupSlots);

// Units of a text before its terminator, or npos when one of them is a unit
// the file cannot carry.
size_t fittingUnits(const void *field, size_t fieldBytes) {
    const auto *bytes = static_cast<const unsigned char *>(field);
    size_t n = 0;
    for (; n < fieldBytes / 2 - 1; ++n) {
        uint16_t unit;
        std::memcpy(&unit, bytes + 2 * n, 2);
        if (unit == 0) break;
        if (!CGADFile::fitsText(unit)) return std::string_view::npos;
    }
    return n;
}

}  // namespace

int32_t CGADFile::readHeader() {
    char16_t text[kHeaderUnits + 1] = {};
    if (const int32_t r = readText(text, sizeof text, kEnd); r != ABIF_OK) return r;
    return std::u16string_view(text) == kMagic ? ABIF_OK : ABIF_E_FORMAT;
}

void CGADFile::writeHeader() {
    for (char16_t unit : std::u16string_view(kMagic)) writeUnit(unit);
    writeUnit(kEnd);
}

int32_t CGADFile::readData(CAbifData &data) {
    data.clearAll();
    int32_t result = readHeader();
    while (result == ABIF_OK) result = readRecord(data);
    data.normalise();
    return result == ABIF_E_END ? ABIF_OK : result;
}

int32_t CGADFile::readTextField(void *field, size_t fieldBytes) {
    size_t units = 0;
    const int32_t result = readText(field, fieldBytes, kSeparator, &units);
    auto *bytes = static_cast<unsigned char *>(field);
    for (size_t i = 0; i < units; ++i) {
        uint16_t unit;
        std::memcpy(&unit, bytes + 2 * i, 2);
        if (!fitsText(unit)) std::memcpy(bytes + 2 * i, &kStandIn, 2);
    }
    return result;
}

int32_t CGADFile::readRecord(CAbifData &data) {
    if (atEnd()) return ABIF_E_END;
    switch (readUnit()) {
    case 0: return ABIF_E_END;
    case kMemberType: return readMember(data);
    case kGroupType: return readGroup(data);
    default: return ABIF_E_FORMAT;
    }
}

int32_t CGADFile::readMember(CAbifData &data) {
    CAbifMyFaxData r{};
    uint16_t id = 0, commMode = 0;
    int64_t updatedOn = 0;
    int32_t result = readUnitField(id);
    if (result == ABIF_OK) result = readTextField(r.name, sizeof r.name);
    if (result == ABIF_OK) result = readTextField(r.faxNumber, sizeof r.faxNumber);
    if (result == ABIF_OK) result = readTextField(r.company, sizeof r.company);
    if (result == ABIF_OK) result = readTextField(r.note, sizeof r.note);
    if (result == ABIF_OK) result = readUnitField(commMode);
    if (result == ABIF_OK) result = readInt64Field(updatedOn);
    if (result == ABIF_OK) result = readTextField(r.reservedText, sizeof r.reservedText);
    if (result == ABIF_OK && (atEnd() || readUnit() != kEnd)) result = ABIF_E_FORMAT;
    if (result != ABIF_OK) return result;
    r.id = id;
    const auto mode = static_cast<uint8_t>(commMode);  // the low byte, as the field holds
    r.commMode = mode < kCommModes ? mode : 0;
    r.updatedOn = updatedOn;
    return data.array<CAbifMyFaxData>().append({&r, 1}) ? ABIF_OK : ABIF_E_LIMIT;
}

int32_t CGADFile::readGroup(CAbifData &data) {
    CAbifMyFaxGroupData r{};
    uint16_t id = 0, memberCount = 0;
    int64_t updatedOn = 0;
    int32_t result = readUnitField(id);
    if (result == ABIF_OK) result = readTextField(r.name, sizeof r.name);
    if (result == ABIF_OK) result = readInt64Field(updatedOn);
    if (result == ABIF_OK) result = readUnitField(memberCount);
    if (result == ABIF_OK && memberCount > kGroupSlots) result = ABIF_E_FORMAT;
    if (result == ABIF_OK) result = readUnits(r.members, memberCount);
    if (result == ABIF_OK && (atEnd() || readUnit() != kSeparator)) result = ABIF_E_FORMAT;
    if (result == ABIF_OK && (atEnd() || readUnit() != kEnd)) result = ABIF_E_FORMAT;
    if (result != ABIF_OK) return result;
    r.id = id;
    r.updatedOn = updatedOn;
    r.memberCount = memberCount;
    return data.array<CAbifMyFaxGroupData>().append({&r, 1}) ? ABIF_OK : ABIF_E_LIMIT;
}

int32_t CGADFile::writeData(const CAbifData &data) {
    const CAbifData *source = &data;
    CAbifData view;
    if (!data.isNormalised()) source = &(view = abif::normalisedView(data));
    const auto &members = source->array<CAbifMyFaxData>();
    const auto &groups = source->array<CAbifMyFaxGroupData>();
    reserveOutput(2 * (std::size(kMagic) - 1 + 1) + members.count() * kMemberBytes + groups.count() * kGroupBytes);

    writeHeader();
    for (const CAbifMyFaxData &member : members.records())
        if (const int32_t r = writeMember(member); r != ABIF_OK) return r;
    for (const CAbifMyFaxGroupData &group : groups.records())
        if (const int32_t r = writeGroup(group); r != ABIF_OK) return r;
    return ABIF_OK;
}

bool CGADFile::writeTextField(const void *field, size_t fieldBytes) {
    const size_t units = fittingUnits(field, fieldBytes);
    if (units == std::string_view::npos) return false;
    writeUnits(field, units);
    writeUnit(kSeparator);
    return true;
}

// A refused record leaves the output half written; writeData's caller drops it.
int32_t CGADFile::writeMember(const CAbifMyFaxData &r) {
    if (r.commMode >= kCommModes) return ABIF_E_FORMAT;
    writeUnit(kMemberType);
    writeUnit(r.id);
    writeUnit(kSeparator);
    if (!writeTextField(r.name, sizeof r.name) || !writeTextField(r.faxNumber, sizeof r.faxNumber) ||
        !writeTextField(r.company, sizeof r.company) || !writeTextField(r.note, sizeof r.note))
        return ABIF_E_FORMAT;
    writeUnit(r.commMode);
    writeUnit(kSeparator);
    writeInt64(r.updatedOn);
    writeUnit(kSeparator);
    if (!writeTextField(r.reservedText, sizeof r.reservedText)) return ABIF_E_FORMAT;
    writeUnit(kEnd);
    return ABIF_OK;
}

int32_t CGADFile::writeGroup(const CAbifMyFaxGroupData &r) {
    const uint16_t memberCount = r.memberCount;
    if (memberCount > kGroupSlots) return ABIF_E_FORMAT;
    writeUnit(kGroupType);
    writeUnit(r.id);
    writeUnit(kSeparator);
    if (!writeTextField(r.name, sizeof r.name)) return ABIF_E_FORMAT;
    writeInt64(r.updatedOn);
    writeUnit(kSeparator);
    writeUnit(memberCount);
    writeUnit(kSeparator);
    writeUnits(r.members, memberCount);
    writeUnit(kSeparator);
    writeUnit(kEnd);
    return ABIF_OK;
}
