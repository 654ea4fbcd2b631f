#include "import/mail_program_book.h"

#include "abiflink.h"
#include "core/diagnostic_log.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>

namespace abif {

namespace {

// Thunderbird's folder as Debian, the snap and the flatpak install it.
QStringList thunderbirdFolders(const QString &home) {
    return {home + u"/.thunderbird"_qs, home + u"/snap/thunderbird/common/.thunderbird"_qs,
            home + u"/.var/app/org.mozilla.Thunderbird/.thunderbird"_qs};
}

QString profilePath(const QString &folder, const QString &path, bool relative) {
    return relative ? QDir(folder).filePath(path) : path;
}

// The default profile: the one an install section names, else the one
// marked Default=1, else the first.
std::optional<QString> defaultProfile(const QString &folder) {
    const QString ini = folder + u"/profiles.ini"_qs;
    if (!QFileInfo::exists(ini)) return std::nullopt;
    QSettings settings(ini, QSettings::IniFormat);
    std::optional<QString> installed, marked, first;
    for (const QString &group : settings.childGroups()) {
        settings.beginGroup(group);
        const QString path = settings.value(u"Path"_qs).toString();
        const QString defaultValue = settings.value(u"Default"_qs).toString();
        const bool relative = settings.value(u"IsRelative"_qs, 1).toInt() != 0;
        if (group.startsWith(u"Install"_qs) && !defaultValue.isEmpty() && !installed)
            installed = profilePath(folder, defaultValue, !QDir::isAbsolutePath(defaultValue));
        if (group.startsWith(u"Profile"_qs) && !path.isEmpty()) {
            if (!first) first = profilePath(folder, path, relative);
            if (!marked && defaultValue == u"1"_qs) marked = profilePath(folder, path, relative);
        }
        settings.endGroup();
    }
    if (installed) return installed;
    return marked ? marked : first;
}

// One read-only connection for one pass; busy waits stay short so that the
// mail program, which may be writing, is never held up for long.
class ReadOnlyDatabase {
public:
    explicit ReadOnlyDatabase(const QString &path)
        : name_(u"abif-import-"_qs + QUuid::createUuid().toString(QUuid::WithoutBraces)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, name_);
        db.setDatabaseName(path);
        db.setConnectOptions(u"QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"_qs);
        if (!db.open())
            logError(LogImport, "Address book: cannot open %s (%s)\n", path.toUtf8().constData(),
                     db.lastError().text().toUtf8().constData());
    }
    ~ReadOnlyDatabase() {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    ReadOnlyDatabase(const ReadOnlyDatabase &) = delete;
    ReadOnlyDatabase &operator=(const ReadOnlyDatabase &) = delete;

    [[nodiscard]] QSqlDatabase database() const { return QSqlDatabase::database(name_, false); }

    // Runs `sql`; false (logged) when the book does not have its tables.
    bool run(QSqlQuery &query, const QString &sql) const {
        query.setForwardOnly(true);
        if (query.exec(sql)) return true;
        logError(LogImport, "Address book: %s (%s)\n", sql.toUtf8().constData(),
                 query.lastError().text().toUtf8().constData());
        return false;
    }

private:
    const QString name_;
};

// Escapes a text for a vCard value.
QString escaped(const QString &text) {
    return QString(text).replace(u'\\', u"\\\\"_qs).replace(u';', u"\\;"_qs).replace(u'\n', u"\\n"_qs);
}

VCardProperty cardProperty(const QByteArray &name, const QString &value, const QStringList &types = {}) {
    VCardProperty property;
    property.name = name;
    for (const QString &type : types) property.parameters.append({"TYPE", type});
    property.value = value;
    return property;
}

// Cards written before Thunderbird kept a vCard of each contact hold named
// properties instead; they are read as the vCard they stand for.
VCard cardOfProperties(const QHash<QString, QString> &values) {
    VCard card;
    const auto add = [&](const char *key, const QByteArray &name, const QStringList &types = {}) {
        if (const QString value = values.value(QLatin1String(key)); !value.isEmpty())
            card.properties << cardProperty(name, escaped(value), types);
    };
    add("DisplayName", "FN");
    if (values.contains(u"FirstName"_qs) || values.contains(u"LastName"_qs))
        card.properties << cardProperty("N", escaped(values.value(u"LastName"_qs)) + u';' +
                                                 escaped(values.value(u"FirstName"_qs)));
    add("Company", "ORG");
    add("Notes", "NOTE");
    add("FaxNumber", "TEL", {u"FAX"_qs});
    add("PrimaryEmail", "EMAIL", {u"PREF"_qs});
    add("SecondEmail", "EMAIL");
    return card;
}

}  // namespace

MailProgramPlaces userPlaces() {
    return {QDir::homePath(), QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)};
}

std::optional<MailProgramBookFile> findMailProgramBook(const MailProgramPlaces &places) {
    for (const QString &folder : thunderbirdFolders(places.home)) {
        if (const auto profile = defaultProfile(folder)) {
            const QString book = QDir(*profile).filePath(u"abook.sqlite"_qs);
            if (QFileInfo(book).isFile()) return MailProgramBookFile{MailProgramBookFile::Program::Thunderbird, book};
        }
    }
    const QString evolution = places.dataHome + u"/evolution/addressbook/system/contacts.db"_qs;
    if (QFileInfo(evolution).isFile()) return MailProgramBookFile{MailProgramBookFile::Program::Evolution, evolution};
    return std::nullopt;
}

int32_t readThunderbirdBook(const QString &path, ContactBook &book) {
    const ReadOnlyDatabase db(path);
    if (!db.database().isOpen()) return ABIF_E_FAIL;
    QSqlQuery cards(db.database());
    if (!db.run(cards, u"SELECT card, name, value FROM properties ORDER BY rowid"_qs)) return ABIF_E_FAIL;
    QStringList order;
    QHash<QString, QHash<QString, QString>> values;
    while (cards.next()) {
        const QString card = cards.value(0).toString();
        if (!values.contains(card)) order << card;
        values[card].insert(cards.value(1).toString(), cards.value(2).toString());
    }
    for (const QString &uid : std::as_const(order)) {
        const QHash<QString, QString> &card = values[uid];
        const QList<VCard> vcard = readVCards(card.value(u"_vCard"_qs).toUtf8());
        book.addPerson({uid, propertiesOfVCard(vcard.isEmpty() ? cardOfProperties(card) : vcard.first())});
    }

    QSqlQuery lists(db.database());
    QSqlQuery members(db.database());
    if (!db.run(lists, u"SELECT uid, name FROM lists ORDER BY rowid"_qs) ||
        !db.run(members, u"SELECT list, card FROM list_cards ORDER BY rowid"_qs))
        return ABIF_E_FAIL;
    QHash<QString, QStringList> membersOf;
    while (members.next()) membersOf[members.value(0).toString()] << members.value(1).toString();
    while (lists.next()) {
        const QString uid = lists.value(0).toString();
        book.addList({uid, lists.value(1).toString(), membersOf.value(uid)});
    }
    return ABIF_OK;
}

int32_t readEvolutionBook(const QString &path, ContactBook &book) {
    const ReadOnlyDatabase db(path);
    if (!db.database().isOpen()) return ABIF_E_FAIL;
    QSqlQuery cards(db.database());
    if (!db.run(cards, u"SELECT vcard FROM folder_id"_qs)) return ABIF_E_FAIL;
    QList<VCard> all;
    while (cards.next()) all << readVCards(cards.value(0).toString().toUtf8());
    book.addVCards(all);
    return ABIF_OK;
}

}  // namespace abif

CMailProgramCtrl::CMailProgramCtrl(abif::MailProgramPlaces places) : places_(std::move(places)) {}

bool CMailProgramCtrl::isAvailable(const abif::MailProgramPlaces &places) {
    return abif::findMailProgramBook(places).has_value();
}

int32_t CMailProgramCtrl::open(const QString &) {
    const auto file = abif::findMailProgramBook(places_);
    if (!file) {
        abif::logError(abif::LogImport, "Address book: no mail program address book found\n");
        return ABIF_E_FAIL;
    }
    auto book = std::make_unique<abif::ContactBook>();
    const int32_t result = file->program == abif::MailProgramBookFile::Program::Thunderbird
                               ? abif::readThunderbirdBook(file->path, *book)
                               : abif::readEvolutionBook(file->path, *book);
    if (result != ABIF_OK) return result;
    book_ = std::move(book);
    return ABIF_OK;
}
