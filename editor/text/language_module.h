// The one entry point of a language module: a small shared library beside the
// program that hands over the texts of one language.
#pragma once

#include "text/text_tables.h"

#include <cstddef>

namespace lqa {

// Returns the module's texts, ascending by id and alive while the module is
// loaded, and stores their number in *count.
using LanguageModuleEntry = const StringEntry *(*)(std::size_t *count);

inline constexpr char kLanguageModuleEntryName[] = "LinquaraRes_Texts";

}  // namespace lqa
