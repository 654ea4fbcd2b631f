// The mail program's address book: finding it, and reading Thunderbird's and
// Evolution's databases into the same people a vCard file gives.
#include "import/mail_program_book.h"
#include "import/vcard_ctrl.h"

#include "import_fixtures.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using imports::recordsOf;
using imports::ScriptedPicker;
using imports::writeFile;

const QByteArray kAnnaCard = "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:u1\r\nFN:Anna Lee\r\nN:Lee;Anna;;;\r\n"
                             "ORG:Acme\r\nNOTE:buyer\r\nTEL;TYPE=work,fax:5551000\r\nTEL;TYPE=home,fax:5552000\r\n"
                             "EMAIL;PREF=1:anna@acme.example\r\nEMAIL:anna@home.example\r\nEND:VCARD\r\n";
// Bob as an older Thunderbird keeps him, in named properties, and as a card.
const QList<QPair<QString, QString>> kBobProperties = {
    {u"DisplayName"_qs, u"Bob"_qs},         {u"FirstName"_qs, u"Bob"_qs},
    {u"LastName"_qs, u"Stone"_qs},          {u"Company"_qs, u"Stone; Sons"_qs},
    {u"Notes"_qs, u"two\nlines"_qs},        {u"FaxNumber"_qs, u"5553000"_qs},
    {u"PrimaryEmail"_qs, u"bob@stone.example"_qs}, {u"SecondEmail"_qs, u"b@stone.example"_qs}};
const QByteArray kBobCard = "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:u2\r\nFN:Bob\r\nN:Stone;Bob\r\nORG:Stone\\; Sons\r\n"
                            "NOTE:two\\nlines\r\nTEL;TYPE=FAX:5553000\r\nEMAIL;TYPE=PREF:bob@stone.example\r\n"
                            "EMAIL:b@stone.example\r\nEND:VCARD\r\n";
const QByteArray kFriendsCard = "BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:group\r\nUID:l1\r\nFN:Friends\r\n"
                                "MEMBER:u1\r\nMEMBER:u2\r\nEND:VCARD\r\n";

// Runs `sql` statements on a new database at `path`.
void makeDatabase(const QString &path, const QStringList &sql, const QList<QVariantList> &rows = {}) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"fixture"_qs);
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        for (qsizetype i = 0; i < sql.size(); ++i) {
            QSqlQuery query(db);
            ASSERT_TRUE(query.prepare(sql[i])) << sql[i].toStdString();
            for (const QVariant &value : rows.value(i)) query.addBindValue(value);
            ASSERT_TRUE(query.exec()) << sql[i].toStdString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(u"fixture"_qs);
}

void makeThunderbirdBook(const QString &path) {
    // Thunderbird keeps its book in write-ahead-log mode.
    QStringList sql = {u"PRAGMA journal_mode=WAL"_qs, u"CREATE TABLE properties (card TEXT, name TEXT, value TEXT)"_qs,
                       u"CREATE TABLE lists (uid TEXT PRIMARY KEY, name TEXT, nickName TEXT, description TEXT)"_qs,
                       u"CREATE TABLE list_cards (list TEXT, card TEXT, PRIMARY KEY(list, card))"_qs};
    QList<QVariantList> rows(4);
    const auto property = [&](const QString &card, const QString &name, const QString &value) {
        sql << u"INSERT INTO properties VALUES (?, ?, ?)"_qs;
        rows << QVariantList{card, name, value};
    };
    property(u"u1"_qs, u"DisplayName"_qs, u"Anna Lee"_qs);
    property(u"u1"_qs, u"_vCard"_qs, QString::fromUtf8(kAnnaCard));
    for (const auto &[name, value] : kBobProperties) property(u"u2"_qs, name, value);
    sql << u"INSERT INTO lists VALUES ('l1', 'Friends', '', '')"_qs << u"INSERT INTO list_cards VALUES ('l1', 'u1')"_qs
        << u"INSERT INTO list_cards VALUES ('l1', 'u2')"_qs;
    makeDatabase(path, sql, rows);
}

void writeProfiles(const QString &folder, const QByteArray &ini) {
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(writeFile(folder + u"/profiles.ini"_qs, ini));
}

struct Imported {
    QStringList shown;
    QList<QStringList> records;  // fax, email, PC fax
};

Imported importAll(CMapiCtrl &source, const QString &path, const std::optional<QStringList> &picked = std::nullopt) {
    Imported result;
    for (int32_t kind : {4, 8, 2}) {
        ScriptedPicker picker(picked);
        CAbifData data;
        int32_t processed = 0, notImported = 0;
        EXPECT_EQ(source.Import(nullptr, path, kind, data, processed, notImported), ABIF_OK);
        result.shown.clear();
        for (const abif::AddressEntry &entry : picker.shown) result.shown << entry.displayName;
        result.records << recordsOf(data, kind);
    }
    return result;
}

class MailProgramBook : public testing::Test {
protected:
    abif::MailProgramPlaces places() const { return {home_.path(), home_.filePath(u"data"_qs)}; }
    QString thunderbird() const { return home_.filePath(u".thunderbird"_qs); }

    void makeThunderbirdProfile() {
        writeProfiles(thunderbird(), "[Profile0]\nName=default\nIsRelative=1\nPath=p.default\nDefault=1\n");
        ASSERT_TRUE(QDir().mkpath(thunderbird() + u"/p.default"_qs));
        makeThunderbirdBook(thunderbird() + u"/p.default/abook.sqlite"_qs);
    }

    Imported fromVCards(const std::optional<QStringList> &picked = std::nullopt) {
        const QString path = home_.filePath(u"same.vcf"_qs);
        EXPECT_TRUE(writeFile(path, kAnnaCard + kBobCard + kFriendsCard));
        CVCardCtrl vcards;
        return importAll(vcards, path, picked);
    }

    // The same picks from the mail program's book and from the vCards give
    // the same records of every kind.
    void expectSameAsVCards() {
        CMailProgramCtrl mail(places());
        for (const auto &picked : {std::optional<QStringList>(), std::optional(QStringList{u"Friends"_qs}),
                                   std::optional(QStringList{u"Bob"_qs})}) {
            const Imported fromMail = importAll(mail, QString(), picked);
            const Imported expected = fromVCards(picked);
            EXPECT_EQ(fromMail.shown, expected.shown);
            EXPECT_EQ(fromMail.records, expected.records);
        }
    }

    QTemporaryDir home_;
};

TEST_F(MailProgramBook, thunderbirdBookGivesThePeopleOfTheSameVCards) {
    ASSERT_NO_FATAL_FAILURE(makeThunderbirdProfile());
    ASSERT_TRUE(CMailProgramCtrl::isAvailable(places()));

    expectSameAsVCards();

    CMailProgramCtrl mail(places());
    const Imported people = importAll(mail, QString(), QStringList{u"Anna Lee"_qs, u"Bob"_qs});
    EXPECT_EQ(people.shown, (QStringList{u"Anna Lee"_qs, u"Bob"_qs, u"Friends"_qs}));
    EXPECT_EQ(people.records[1], (QStringList{u"Anna Lee|anna@acme.example"_qs, u"Anna Lee|anna@home.example"_qs,
                                              u"Bob Stone|bob@stone.example"_qs, u"Bob Stone|b@stone.example"_qs}));
    EXPECT_EQ(people.records[2], (QStringList{u"Anna Lee|5551000|Acme|buyer"_qs, u"Anna Lee|5552000|Acme|buyer"_qs,
                                              u"Bob Stone|5553000|Stone; Sons|two\nlines"_qs}));
}

TEST_F(MailProgramBook, readingNeverHoldsUpTheMailProgramWritingItsBook) {
    ASSERT_NO_FATAL_FAILURE(makeThunderbirdProfile());
    {
        QSqlDatabase writer = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"writer"_qs);
        writer.setDatabaseName(thunderbird() + u"/p.default/abook.sqlite"_qs);
        ASSERT_TRUE(writer.open());
        QSqlQuery query(writer);
        ASSERT_TRUE(query.exec(u"BEGIN IMMEDIATE"_qs));
        ASSERT_TRUE(query.exec(u"INSERT INTO properties VALUES ('u3', 'DisplayName', 'Cy')"_qs));

        // The import sees what was committed and leaves the writer free to commit.
        CMailProgramCtrl mail(places());
        EXPECT_EQ(importAll(mail, QString()).shown, (QStringList{u"Anna Lee"_qs, u"Bob"_qs, u"Friends"_qs}));
        EXPECT_TRUE(query.exec(u"COMMIT"_qs));
        EXPECT_EQ(importAll(mail, QString()).shown.size(), 4);
        writer.close();
    }
    QSqlDatabase::removeDatabase(u"writer"_qs);
}

TEST_F(MailProgramBook, evolutionBookIsReadWhenThereIsNoThunderbird) {
    const QString folder = home_.filePath(u"data/evolution/addressbook/system"_qs);
    ASSERT_TRUE(QDir().mkpath(folder));
    QList<QVariantList> rows(1);
    QStringList sql = {u"CREATE TABLE folder_id (uid TEXT PRIMARY KEY, Rev TEXT, file_as TEXT, vcard TEXT)"_qs};
    for (const QByteArray &card : {kAnnaCard, kBobCard}) {
        sql << u"INSERT INTO folder_id (uid, vcard) VALUES (?, ?)"_qs;
        rows << QVariantList{QString::number(rows.size()), QString::fromUtf8(card)};
    }
    // Evolution keeps a contact list as a card whose addresses name their contacts.
    sql << u"INSERT INTO folder_id (uid, vcard) VALUES ('l1', ?)"_qs;
    rows << QVariantList{u"BEGIN:VCARD\r\nVERSION:3.0\r\nUID:l1\r\nFN:Friends\r\nX-EVOLUTION-LIST:TRUE\r\n"
                         "EMAIL;X-EVOLUTION-DEST-CONTACT-UID=u1:anna@acme.example\r\n"
                         "EMAIL;X-EVOLUTION-DEST-CONTACT-UID=u2:bob@stone.example\r\nEND:VCARD\r\n"_qs};
    makeDatabase(folder + u"/contacts.db"_qs, sql, rows);
    ASSERT_TRUE(CMailProgramCtrl::isAvailable(places()));

    expectSameAsVCards();
}

TEST_F(MailProgramBook, overLongNumbersAreDroppedAndCountedNotCut) {
    writeProfiles(thunderbird(), "[Profile0]\nIsRelative=1\nPath=p\n");
    ASSERT_TRUE(QDir().mkpath(thunderbird() + u"/p"_qs));
    const QString tooLong = QString(53, u'5');
    makeDatabase(thunderbird() + u"/p/abook.sqlite"_qs,
                 {u"CREATE TABLE properties (card TEXT, name TEXT, value TEXT)"_qs,
                  u"CREATE TABLE lists (uid TEXT PRIMARY KEY, name TEXT, nickName TEXT, description TEXT)"_qs,
                  u"CREATE TABLE list_cards (list TEXT, card TEXT, PRIMARY KEY(list, card))"_qs,
                  u"INSERT INTO properties VALUES ('u1', 'DisplayName', 'Al')"_qs,
                  u"INSERT INTO properties VALUES ('u1', 'FaxNumber', ?)"_qs,
                  u"INSERT INTO properties VALUES ('u1', 'PrimaryEmail', ?)"_qs},
                 {{}, {}, {}, {}, {tooLong}, {QString(60, u'a') + u"@example.com"_qs}});
    CMailProgramCtrl mail(places());
    for (int32_t kind : {4, 8, 2}) {
        ScriptedPicker picker;
        CAbifData data;
        int32_t processed = 0, notImported = 0;
        ASSERT_EQ(mail.Import(nullptr, QString(), kind, data, processed, notImported), ABIF_OK) << kind;
        EXPECT_EQ(recordsOf(data, kind), QStringList()) << kind;
        EXPECT_EQ(processed, 1) << kind;
        EXPECT_EQ(notImported, 1) << kind;
    }
}

TEST_F(MailProgramBook, withoutABookTheSourceIsUnavailableAndFails) {
    EXPECT_FALSE(CMailProgramCtrl::isAvailable(places()));
    CMailProgramCtrl mail(places());
    ScriptedPicker picker;
    CAbifData data;
    int32_t processed = 0, notImported = 0;
    EXPECT_EQ(mail.Import(nullptr, QString(), 4, data, processed, notImported), ABIF_E_FAIL);
}

TEST_F(MailProgramBook, databaseWithoutTheBookTablesFails) {
    writeProfiles(thunderbird(), "[Profile0]\nIsRelative=1\nPath=p\n");
    ASSERT_TRUE(QDir().mkpath(thunderbird() + u"/p"_qs));
    makeDatabase(thunderbird() + u"/p/abook.sqlite"_qs, {u"CREATE TABLE other (x TEXT)"_qs});
    CMailProgramCtrl mail(places());
    ScriptedPicker picker;
    CAbifData data;
    int32_t processed = 0, notImported = 0;
    EXPECT_EQ(mail.Import(nullptr, QString(), 4, data, processed, notImported), ABIF_E_FAIL);
    EXPECT_TRUE(picker.shown.isEmpty());
}

struct ProfileCase {
    const char *name;
    QByteArray ini;
    const char *chosen;  // relative to the Thunderbird folder
};

void PrintTo(const ProfileCase &c, std::ostream *out) { *out << c.name; }

class ChoosingTheProfile : public testing::TestWithParam<ProfileCase> {};

TEST_P(ChoosingTheProfile, findsTheDefaultProfilesBook) {
    QTemporaryDir home;
    const QString folder = home.filePath(u".thunderbird"_qs);
    writeProfiles(folder, GetParam().ini);
    for (const char *profile : {"a", "b", "c"}) {
        ASSERT_TRUE(QDir().mkpath(folder + u'/' + QLatin1String(profile)));
        ASSERT_TRUE(writeFile(folder + u'/' + QLatin1String(profile) + u"/abook.sqlite"_qs, {}));
    }
    const auto found = abif::findMailProgramBook({home.path(), home.filePath(u"data"_qs)});
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->program, abif::MailProgramBookFile::Program::Thunderbird);
    EXPECT_EQ(QDir::cleanPath(found->path), QDir::cleanPath(folder + u'/' + QLatin1String(GetParam().chosen) +
                                                            u"/abook.sqlite"_qs));
}

INSTANTIATE_TEST_SUITE_P(
    Thunderbird, ChoosingTheProfile,
    testing::Values(ProfileCase{"installSectionWins",
                                "[Profile0]\nIsRelative=1\nPath=a\nDefault=1\n[Profile1]\nIsRelative=1\nPath=b\n"
                                "[Install4F96D1932A9F858E]\nDefault=b\nLocked=1\n",
                                "b"},
                    ProfileCase{"markedProfileWithoutInstallSection",
                                "[Profile0]\nIsRelative=1\nPath=a\n[Profile1]\nIsRelative=1\nPath=c\nDefault=1\n",
                                "c"},
                    ProfileCase{"firstProfileWhenNoneIsMarked", "[General]\nVersion=2\n[Profile0]\nIsRelative=1\nPath=a\n",
                                "a"}));

}  // namespace
