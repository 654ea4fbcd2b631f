// abif_string_tablegen [--namespace NS --include HEADER] <catalogue> <header out>
//                      <source out> <language file>...
// Checks the string files and writes the string tables of the library (or,
// with the options, of the program).
#include "string_source.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

bool readFile(const QString &path, QByteArray &content) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    content = file.readAll();
    return true;
}

// Leaves an unchanged output alone so that dependants are not rebuilt.
bool writeFile(const QString &path, const QByteArray &content) {
    QByteArray old;
    if (readFile(path, old) && old == content) return true;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

}  // namespace

int main(int argc, char **argv) {
    using namespace abif::tablegen;
    const char *program = argv[0];
    Target target;
    int first = 1;
    for (; first + 1 < argc && argv[first][0] == '-'; first += 2) {
        const QByteArray option = argv[first];
        if (option == "--namespace")
            target.nameSpace = argv[first + 1];
        else if (option == "--include")
            target.tablesHeader = argv[first + 1];
        else
            break;
    }
    argc -= first - 1;
    argv += first - 1;
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s catalogue header source language-file...\n", program);
        return 2;
    }
    QStringList errors;
    QByteArray content;
    const QString cataloguePath = QString::fromLocal8Bit(argv[1]);
    if (!readFile(cataloguePath, content)) errors << cataloguePath + QStringLiteral(": cannot read");
    const auto catalogue = parseCatalogue(content, cataloguePath, errors);

    std::vector<LanguageFile> languages;
    for (int i = 4; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        if (!readFile(path, content)) {
            errors << path + QStringLiteral(": cannot read");
            continue;
        }
        languages.push_back(parseLanguageFile(content, QFileInfo(path).fileName(), errors));
    }
    checkLanguages(catalogue, languages, errors);

    for (const QString &error : errors) std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
    if (!errors.isEmpty()) return 1;

    if (!writeFile(QString::fromLocal8Bit(argv[2]), generateHeader(catalogue, target))
        || !writeFile(QString::fromLocal8Bit(argv[3]), generateSource(languages, target))) {
        std::fprintf(stderr, "cannot write the generated tables\n");
        return 1;
    }
    return 0;
}
