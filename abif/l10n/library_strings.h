// The library's texts by number, in the language of the calling thread.
#pragma once

#include "l10n/string_ids.h"
#include "l10n/text_format.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace abif {

// The languages the library carries texts for.
inline constexpr int32_t kLibraryLanguages[] = {1033, 1041, 1042, 1028, 2052, 1054, 1066};

// Which of the library's languages serves `requested`: the language itself,
// else its primary language with the default sub-language (3076 Chinese, Hong
// Kong SAR gives 1028), else the desktop's language when the library has it,
// else English.
int32_t resourceLanguage(int32_t requested);

// One of the library's languages for a locale, or 0.
int32_t languageOfLocale(const QLocale &locale);

// Text `id` in `language` as chosen by resourceLanguage(); empty when the
// number is unknown.
QString loadString(int id, int32_t language);
// Text `id` in the calling thread's language.
QString loadString(int id);

}  // namespace abif
