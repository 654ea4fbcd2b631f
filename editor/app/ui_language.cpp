#include "app/ui_language.h"

#include "text/editor_text.h"
#include "text/language_module.h"

#include <QSettings>

#include <algorithm>
#include <climits>
#include <span>

namespace {

constexpr qint16 kDefaultLanguage = 1033;
const QString kDefaultCode = QStringLiteral("eng");

// A module handing over a table that the lookups cannot search is ignored.
bool usable(const lqa::StringEntry *texts, std::size_t count) {
    if (!texts || count == 0) return false;
    const std::span<const lqa::StringEntry> entries(texts, count);
    const bool ascending = std::adjacent_find(entries.begin(), entries.end(), [](const auto &a, const auto &b) {
                               return a.id >= b.id;
                           }) == entries.end();
    return ascending && std::all_of(entries.begin(), entries.end(), [](const auto &e) { return e.text != nullptr; });
}

}  // namespace

qint16 SelectUiLanguage(QString &code) {
    QSettings machine(QSettings::NativeFormat, QSettings::SystemScope, QStringLiteral("Velmorante"),
                      QStringLiteral("Linquara"));
    machine.setFallbacksEnabled(false);
    const QVariant value = machine.value(QLatin1String(kUiLanguageValue));
    const QString wanted = value.typeId() == QMetaType::QString ? value.toString() : QString();
    for (const UiLanguageRow &row : kUiLanguageTable) {
        if (row.code[0] == '\0') break;
        if (wanted == QLatin1String(row.code)) {
            code = QLatin1String(row.code);
            return row.languageId;
        }
    }
    code = kDefaultCode;
    return kDefaultLanguage;
}

QString LanguageModulePath(const QString &programPath, const QString &code) {
    // Without a folder the loader would search the system's library paths.
    const qsizetype nameStart = programPath.lastIndexOf(QLatin1Char('/')) + 1;
    if (nameStart == 0) return {};
    const QString path = programPath.left(nameStart) + QStringLiteral("LinquaraRes_%1.so").arg(code);
    return path.toLocal8Bit().size() < PATH_MAX ? path : QString();
}

std::unique_ptr<QLibrary> LoadLanguageResources(const QString &programPath) {
    QString code;
    SelectUiLanguage(code);
    const QString path = LanguageModulePath(programPath, code);
    if (path.isEmpty()) return nullptr;
    auto module = std::make_unique<QLibrary>(path);
    const auto entry = reinterpret_cast<lqa::LanguageModuleEntry>(module->resolve(lqa::kLanguageModuleEntryName));
    std::size_t count = 0;
    const lqa::StringEntry *texts = entry ? entry(&count) : nullptr;
    if (!usable(texts, count)) {
        module->unload();
        return nullptr;
    }
    lqa::setModuleTexts({texts, count});
    return module;
}
