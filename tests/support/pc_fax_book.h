// The largest PC fax address book the editor keeps: 500 members with every
// text at its maximum length and 500 groups of 30, already in normalised order.
#pragma once

#include "core/abif_data.h"

#include <cstring>
#include <vector>

namespace test {

// Printable units from Latin to CJK; never 0 or a marker unit of a file format.
inline void fillText(void *field, size_t fieldBytes, unsigned seed) {
    std::memset(field, 0, fieldBytes);
    auto *bytes = static_cast<unsigned char *>(field);
    for (size_t k = 0; k + 1 < fieldBytes / 2; ++k) {
        const auto unit = static_cast<uint16_t>(0x41 + (seed * 131 + k * 7) % 0x4E00);
        std::memcpy(bytes + 2 * k, &unit, 2);
    }
}

inline std::vector<CAbifMyFaxData> fullMembers() {
    std::vector<CAbifMyFaxData> members(500);
    for (unsigned i = 0; i < members.size(); ++i) {
        CAbifMyFaxData &r = members[i];
        r.id = static_cast<uint16_t>(i + 1);
        fillText(r.name, sizeof r.name, i);
        fillText(r.faxNumber, sizeof r.faxNumber, i + 1);
        fillText(r.company, sizeof r.company, i + 2);
        fillText(r.note, sizeof r.note, i + 3);
        r.commMode = static_cast<uint8_t>(i % 2);
        r.updatedOn = (i % 2 ? -1 : 1) * (int64_t{1} << 40) + i;
        fillText(r.reservedText, sizeof r.reservedText, i + 4);
    }
    return members;
}

inline std::vector<CAbifMyFaxGroupData> fullGroups() {
    std::vector<CAbifMyFaxGroupData> groups(500);
    for (unsigned i = 0; i < groups.size(); ++i) {
        CAbifMyFaxGroupData &r = groups[i];
        r.id = static_cast<uint16_t>(i + 1);
        fillText(r.name, sizeof r.name, i + 5);
        r.updatedOn = 1700000000 + int64_t{i} * 86400;
        r.memberCount = 30;
        for (unsigned k = 0; k < 30; ++k) r.members[k] = static_cast<uint16_t>(k * 16 + i % 16 + 1);
    }
    return groups;
}

inline CAbifData fullBook() {
    CAbifData book;
    book.array<CAbifMyFaxData>().append(fullMembers());
    book.array<CAbifMyFaxGroupData>().append(fullGroups());
    book.normalise();
    return book;
}

}  // namespace test
