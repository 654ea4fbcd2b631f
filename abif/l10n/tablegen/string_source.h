// Reads the editable string files (the catalogue of numbers and one file per
// language), checks them against each other and writes the C++ tables the
// library is built with. A translator's slip is a build error, never a blank
// or garbled text at run time.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <vector>

namespace abif::tablegen {

struct CatalogueEntry {
    int id = 0;
    QString name;
};

struct LanguageFile {
    int32_t language = 0;
    QString fileName;
    std::map<int, QString> texts;
};

// The longest text the library loads.
inline constexpr qsizetype kMaxTextLength = 1023;

// Each parser appends "file:line: problem" lines to `errors`.
std::vector<CatalogueEntry> parseCatalogue(const QByteArray &content, const QString &fileName, QStringList &errors);
// The language comes from the file name, e.g. "ja_1041.txt".
LanguageFile parseLanguageFile(const QByteArray &content, const QString &fileName, QStringList &errors);

// Every language holds exactly the catalogue's numbers, and every text has
// the same "%d"/"%s" fields, in the same order, as the English one.
void checkLanguages(const std::vector<CatalogueEntry> &catalogue, const std::vector<LanguageFile> &languages,
                    QStringList &errors);

// Where the generated code lives: its namespace (the ids go into
// <nameSpace>::ids) and the header declaring StringEntry, StringTable and
// stringTables() in that namespace.
struct Target {
    QByteArray nameSpace = "abif";
    QByteArray tablesHeader = "l10n/string_tables.h";
};

QByteArray generateHeader(const std::vector<CatalogueEntry> &catalogue, const Target &target);
QByteArray generateSource(const std::vector<LanguageFile> &languages, const Target &target);

}  // namespace abif::tablegen
