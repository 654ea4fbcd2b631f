// Small builders of library records for tests.
#pragma once

#include "abiflink.h"
#include "core/record_text.h"

#include <initializer_list>

namespace test {

inline CAbifFaxData fax(uint16_t id, std::u16string_view name, std::u16string_view number = u"0123") {
    CAbifFaxData r{};
    r.id = id;
    abif::writeText(r.name, sizeof r.name, name);
    abif::writeText(r.faxNumber, sizeof r.faxNumber, number);
    return r;
}

inline CAbifFaxGroupData faxGroup(uint16_t id, std::u16string_view name, std::initializer_list<uint16_t> members) {
    CAbifFaxGroupData r{};
    r.id = id;
    abif::writeText(r.name, sizeof r.name, name);
    r.memberCount = static_cast<uint16_t>(members.size());
    if (members.size() != 0) std::memcpy(r.members, std::data(members), members.size() * 2);
    return r;
}

inline CAbifMyFaxData myFax(uint16_t id, std::u16string_view name) {
    CAbifMyFaxData r{};
    r.id = id;
    abif::writeText(r.name, sizeof r.name, name);
    return r;
}

inline CAbifMyFaxGroupData myFaxGroup(uint16_t id, std::u16string_view name,
                                      std::initializer_list<uint16_t> members) {
    CAbifMyFaxGroupData r{};
    r.id = id;
    abif::writeText(r.name, sizeof r.name, name);
    r.memberCount = static_cast<uint16_t>(members.size());
    size_t i = 0;
    for (uint16_t member : members) r.members[i++] = member;
    return r;
}

}  // namespace test
