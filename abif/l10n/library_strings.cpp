#include "l10n/library_strings.h"

#include "core/library_module.h"
#include "l10n/string_tables.h"

#include <QLocale>

#include <algorithm>

namespace abif {

namespace {

const StringTable *tableFor(int32_t language) {
    for (const StringTable &table : stringTables())
        if (table.language == language) return &table;
    return nullptr;
}

// Windows language identifiers: primary language in the low 10 bits,
// sub-language above them.
int32_t withDefaultSublanguage(int32_t language) { return (language & 0x3FF) | (1 << 10); }

// The desktop's language does not change while the library runs.
int32_t desktopLanguage() {
    static const int32_t language = [] {
        const int32_t ofLocale = languageOfLocale(QLocale::system());
        return ofLocale ? ofLocale : 1033;
    }();
    return language;
}

}  // namespace

int32_t languageOfLocale(const QLocale &locale) {
    switch (locale.language()) {
    case QLocale::English: return 1033;
    case QLocale::Japanese: return 1041;
    case QLocale::Korean: return 1042;
    case QLocale::Thai: return 1054;
    case QLocale::Vietnamese: return 1066;
    case QLocale::Chinese:
        return locale.script() == QLocale::TraditionalChineseScript ? 1028 : 2052;
    default: return 0;
    }
}

int32_t resourceLanguage(int32_t requested) {
    if (tableFor(requested)) return requested;
    if (tableFor(withDefaultSublanguage(requested))) return withDefaultSublanguage(requested);
    return desktopLanguage();
}

QString loadString(int id, int32_t language) {
    const StringTable *table = tableFor(resourceLanguage(language));
    if (!table) return {};
    const auto found = std::lower_bound(table->entries.begin(), table->entries.end(), id,
                                        [](const StringEntry &entry, int wanted) { return entry.id < wanted; });
    if (found == table->entries.end() || found->id != id) return {};
    return QString::fromUtf16(found->text);
}

QString loadString(int id) { return loadString(id, threadLanguage()); }

}  // namespace abif
