#include "string_source.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <set>

namespace abif::tablegen {

namespace {

constexpr int32_t kEnglish = 1033;

// Lines of a UTF-8 file with their numbers; comments and blank lines dropped.
struct Line {
    int number;
    QString text;
};

std::vector<Line> contentLines(const QByteArray &content, const QString &fileName, QStringList &errors) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(content);
    if (decoder.hasError()) {
        errors << QStringLiteral("%1: not valid UTF-8").arg(fileName);
        return {};
    }
    std::vector<Line> lines;
    const QStringList raw = text.split(u'\n');
    for (qsizetype i = 0; i < raw.size(); ++i) {
        QString line = raw[i];
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#')) continue;
        lines.push_back({static_cast<int>(i + 1), line});
    }
    return lines;
}

QString where(const QString &fileName, int line) { return QStringLiteral("%1:%2: ").arg(fileName).arg(line); }

// "\n", "\t" and "\\" are the only escapes; anything else is a typing error.
bool unescape(const QString &raw, QString &out) {
    out.clear();
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] != u'\\') {
            out += raw[i];
            continue;
        }
        if (++i == raw.size()) return false;
        switch (raw[i].unicode()) {
        case u'n': out += u'\n'; break;
        case u't': out += u'\t'; break;
        case u'\\': out += u'\\'; break;
        default: return false;
        }
    }
    return true;
}

// The fields a text is formatted with, in order ("%%" is a literal sign;
// "%1" to "%9" are numbered fields). Returns false for a specifier nobody
// fills in.
bool formatFields(const QString &text, QString &fields) {
    fields.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'%') continue;
        // A zero-padded number ("%03d") is a number field like "%d".
        if (i + 3 < text.size() && text[i + 1] == u'0' && text[i + 2].isDigit() && text[i + 3] == u'd') {
            fields += u'd';
            i += 3;
            continue;
        }
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (next == u'd' || next == u's' || (next >= u'1' && next <= u'9'))
            fields += next;
        else if (next != u'%')
            return false;
        ++i;
    }
    return true;
}

// A UTF-16 literal that compiles the same under any source character set.
QByteArray cppLiteral(const QString &text) {
    QByteArray out = "u\"";
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == u'\n') {
            out += "\\n";
        } else if (u == u'\t') {
            out += "\\t";
        } else if (u >= 0x20 && u < 0x7F) {
            out += static_cast<char>(u);
        } else {
            // Raw code units: surrogate halves cannot be written as \u escapes.
            out += "\\x" + QByteArray::number(u, 16).rightJustified(4, '0') + "\" u\"";
        }
    }
    out += '"';
    return out;
}

}  // namespace

std::vector<CatalogueEntry> parseCatalogue(const QByteArray &content, const QString &fileName, QStringList &errors) {
    static const QRegularExpression form(QStringLiteral("^(\\d+)\\t([A-Z][A-Za-z0-9]*)(\\t.*)?$"));
    std::vector<CatalogueEntry> entries;
    std::set<int> ids;
    std::set<QString> names;
    for (const Line &line : contentLines(content, fileName, errors)) {
        const auto match = form.match(line.text);
        if (!match.hasMatch()) {
            errors << where(fileName, line.number) + QStringLiteral("expected: number, tab, Name, tab, note");
            continue;
        }
        const CatalogueEntry entry{match.captured(1).toInt(), match.captured(2)};
        if (!ids.insert(entry.id).second)
            errors << where(fileName, line.number) + QStringLiteral("number %1 listed twice").arg(entry.id);
        else if (!names.insert(entry.name).second)
            errors << where(fileName, line.number) + QStringLiteral("name %1 listed twice").arg(entry.name);
        else
            entries.push_back(entry);
    }
    return entries;
}

LanguageFile parseLanguageFile(const QByteArray &content, const QString &fileName, QStringList &errors) {
    static const QRegularExpression languageInName(QStringLiteral("_(\\d+)\\.txt$"));
    static const QRegularExpression form(QStringLiteral("^(\\d+)\\t(.*)$"));
    LanguageFile file;
    file.fileName = fileName;
    const auto language = languageInName.match(fileName);
    if (language.hasMatch())
        file.language = language.captured(1).toInt();
    else
        errors << QStringLiteral("%1: the file name must end in _<language number>.txt").arg(fileName);

    for (const Line &line : contentLines(content, fileName, errors)) {
        const auto match = form.match(line.text);
        if (!match.hasMatch()) {
            errors << where(fileName, line.number) + QStringLiteral("expected: number, tab, text");
            continue;
        }
        const int id = match.captured(1).toInt();
        QString text;
        if (!unescape(match.captured(2), text)) {
            errors << where(fileName, line.number) + QStringLiteral("unknown escape; use \\n, \\t or \\\\");
        } else if (text.isEmpty()) {
            errors << where(fileName, line.number) + QStringLiteral("empty text");
        } else if (text.size() > kMaxTextLength) {
            errors << where(fileName, line.number)
                          + QStringLiteral("text longer than %1 characters").arg(kMaxTextLength);
        } else if (!file.texts.emplace(id, text).second) {
            errors << where(fileName, line.number) + QStringLiteral("number %1 given twice").arg(id);
        }
    }
    return file;
}

void checkLanguages(const std::vector<CatalogueEntry> &catalogue, const std::vector<LanguageFile> &languages,
                    QStringList &errors) {
    const auto english = std::find_if(languages.begin(), languages.end(),
                                      [](const LanguageFile &f) { return f.language == kEnglish; });
    if (english == languages.end()) errors << QStringLiteral("no English file (_1033.txt)");

    std::set<int32_t> seen;
    for (const LanguageFile &file : languages) {
        if (!seen.insert(file.language).second)
            errors << QStringLiteral("%1: language %2 has two files").arg(file.fileName).arg(file.language);
        for (const CatalogueEntry &entry : catalogue) {
            if (!file.texts.count(entry.id))
                errors << QStringLiteral("%1: missing %2 (%3)").arg(file.fileName).arg(entry.id).arg(entry.name);
        }
        for (const auto &[id, text] : file.texts) {
            const bool listed = std::any_of(catalogue.begin(), catalogue.end(),
                                            [id = id](const CatalogueEntry &e) { return e.id == id; });
            if (!listed) errors << QStringLiteral("%1: %2 is not in the catalogue").arg(file.fileName).arg(id);

            QString fields;
            if (!formatFields(text, fields)) {
                errors << QStringLiteral("%1: %2 uses a format other than %d, %s or %%").arg(file.fileName).arg(id);
                continue;
            }
            if (english == languages.end() || &file == &*english) continue;
            const auto source = english->texts.find(id);
            QString expected;
            if (source != english->texts.end() && formatFields(source->second, expected) && fields != expected)
                errors << QStringLiteral("%1: %2 must have the fields \"%3\" like the English text, has \"%4\"")
                              .arg(file.fileName)
                              .arg(id)
                              .arg(expected, fields);
        }
    }
}

QByteArray generateHeader(const std::vector<CatalogueEntry> &catalogue, const Target &target) {
    QByteArray out = "// Generated from the string catalogue; edit that file instead.\n"
                     "#pragma once\n\nnamespace " + target.nameSpace + "::ids {\n\nenum StringId : int {\n";
    for (const CatalogueEntry &entry : catalogue)
        out += "    " + entry.name.toUtf8() + " = " + QByteArray::number(entry.id) + ",\n";
    out += "};\n\n}  // namespace " + target.nameSpace + "::ids\n";
    return out;
}

QByteArray generateSource(const std::vector<LanguageFile> &languages, const Target &target) {
    QByteArray out = "// Generated from the string files; edit those instead.\n"
                     "#include \"" + target.tablesHeader + "\"\n\nnamespace " + target.nameSpace +
                     " {\n\nnamespace {\n\n";
    for (const LanguageFile &file : languages) {
        out += "constexpr StringEntry strings" + QByteArray::number(file.language) + "[] = {\n";
        for (const auto &[id, text] : file.texts)  // ascending: lookups search it
            out += "    {" + QByteArray::number(id) + ", " + cppLiteral(text) + "},\n";
        out += "};\n\n";
    }
    out += "constexpr StringTable tables[] = {\n";
    for (const LanguageFile &file : languages) {
        const QByteArray n = QByteArray::number(file.language);
        out += "    {" + n + ", strings" + n + "},\n";
    }
    out += "};\n\n}  // namespace\n\nstd::span<const StringTable> stringTables() { return tables; }\n\n"
           "}  // namespace " + target.nameSpace + "\n";
    return out;
}

}  // namespace abif::tablegen
