// The user-interface language: the machine-wide choice written by the
// installer, and the language module that carries its texts.
#pragma once

#include <QLibrary>
#include <QString>

#include <memory>

struct UiLanguageRow {
    const char *code;
    qint16 languageId;
};

// In search order; the search stops at the row with the empty code.
inline constexpr UiLanguageRow kUiLanguageTable[] = {
    {"eng", 1033}, {"sch", 2052}, {"tch", 1028}, {"kor", 1042}, {"tha", 1054}, {"vit", 1066}, {"", 0},
};

// The machine-wide value naming the language, in the system-scope settings
// of organisation "Velmorante", application "Linquara".
inline constexpr char kUiLanguageValue[] = "LQALANG_QLK7710_K7910";

// The identifier and, in `code`, the code of the table row matching the
// machine-wide value exactly; "eng" / 1033 when it is missing, unreadable or
// in no row.
qint16 SelectUiLanguage(QString &code);

// The module of `code` in the folder of `programPath`, or an empty text when
// that path would be too long for the system to open.
QString LanguageModulePath(const QString &programPath, const QString &code);

// Loads the module of the selected language beside `programPath` and makes
// its texts the first source of every text. Null, silently, when there is
// no usable module: the built-in English texts stay. The module is never
// unloaded, since its texts are used for the rest of the process.
std::unique_ptr<QLibrary> LoadLanguageResources(const QString &programPath);
