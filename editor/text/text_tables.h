// The program's texts as the string generator writes them.
#pragma once

#include <cstdint>
#include <span>

namespace lqa {

struct StringEntry {
    int id;
    const char16_t *text;
};

struct StringTable {
    int32_t language;
    std::span<const StringEntry> entries;  // ascending by id
};

// The tables of every language the program has texts for.
std::span<const StringTable> stringTables();

}  // namespace lqa
