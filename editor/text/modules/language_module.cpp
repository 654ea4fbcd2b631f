// A language module: the generated tables of its language, handed over
// through the one exported function.
#include "text/language_module.h"

#include <span>

#ifndef LQA_MODULE_LANGUAGE
#error "LQA_MODULE_LANGUAGE names the language this module carries"
#endif

extern "C" __attribute__((visibility("default"))) const lqa::StringEntry *LinquaraRes_Texts(std::size_t *count) {
    for (const lqa::StringTable &table : lqa::stringTables()) {
        if (table.language != LQA_MODULE_LANGUAGE) continue;
        if (count) *count = table.entries.size();
        return table.entries.data();
    }
    if (count) *count = 0;
    return nullptr;
}

// The loader calls the entry through this type.
[[maybe_unused]] constexpr lqa::LanguageModuleEntry kEntryHasTheLoadersType = &LinquaraRes_Texts;
