#include "text/editor_text.h"

#include "text_format.h"

#include <algorithm>

namespace lqa {

namespace {

constexpr int32_t kBuiltInLanguage = 1033;

// Set once at start-up, before any other thread asks for a text.
std::span<const StringEntry> moduleTexts;

const char16_t *find(std::span<const StringEntry> entries, int id) {
    const auto it = std::lower_bound(entries.begin(), entries.end(), id,
                                     [](const StringEntry &entry, int wanted) { return entry.id < wanted; });
    return it != entries.end() && it->id == id ? it->text : nullptr;
}

}  // namespace

QString loadText(int id) {
    if (const char16_t *text = find(moduleTexts, id)) return QString::fromUtf16(text);
    for (const StringTable &table : stringTables()) {
        if (table.language != kBuiltInLanguage) continue;
        if (const char16_t *text = find(table.entries, id)) return QString::fromUtf16(text);
    }
    return {};
}

QString formatText(int id, const QStringList &fields) { return abif::formatText(loadText(id), fields); }

void setModuleTexts(std::span<const StringEntry> texts) { moduleTexts = texts; }

}  // namespace lqa
