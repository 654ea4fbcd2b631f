#include "import/vcard_ctrl.h"

#include "abiflink.h"
#include "core/diagnostic_log.h"
#include "import/contact_book.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

// The cards of one file; nothing when it cannot be read.
std::optional<QList<abif::VCard>> readFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        abif::logError(abif::LogImport, "vCard: cannot open %s (%s)\n", path.toUtf8().constData(),
                       file.errorString().toUtf8().constData());
        return std::nullopt;
    }
    return abif::readVCards(file.readAll());
}

}  // namespace

QString CVCardCtrl::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/contacts");
}

int32_t CVCardCtrl::open(const QString &path) {
    auto book = std::make_unique<abif::ContactBook>();
    if (path.isEmpty()) {
        // An absent folder is an empty book, as a new user has it.
        const QDir folder(defaultFolder());
        for (const QString &name : folder.entryList({QStringLiteral("*.vcf")}, QDir::Files | QDir::Readable, QDir::Name))
            if (const auto cards = readFile(folder.filePath(name))) book->addVCards(*cards);
    } else {
        const auto cards = readFile(path);
        if (!cards || cards->isEmpty()) {
            abif::logError(abif::LogImport, "vCard: no card in %s\n", path.toUtf8().constData());
            return ABIF_E_FAIL;
        }
        book->addVCards(*cards);
    }
    book_ = std::move(book);
    return ABIF_OK;
}
