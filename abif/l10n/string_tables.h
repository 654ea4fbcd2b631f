// The library's texts in each of its languages, generated at build time from
// the files under strings/.
#pragma once

#include <cstdint>
#include <span>

namespace abif {

struct StringEntry {
    int id;
    const char16_t *text;
};

struct StringTable {
    int32_t language;
    std::span<const StringEntry> entries;  // ascending by id
};

std::span<const StringTable> stringTables();

}  // namespace abif
