#include "import/contact_book.h"

#include "abiflink.h"

namespace abif {

namespace {

constexpr char kPersonPrefix = 'p';
constexpr char kListPrefix = 'l';
constexpr char kAddressPrefix = 'm';

QByteArray entryIdOf(char prefix, qsizetype index) { return prefix + QByteArray::number(index); }

// The index an identifier of `prefix` names, or -1.
qsizetype indexOf(const QByteArray &entryId, char prefix, qsizetype count) {
    if (entryId.size() < 2 || entryId[0] != prefix) return -1;
    bool ok = false;
    const qsizetype index = entryId.mid(1).toLongLong(&ok);
    return ok && index >= 0 && index < count ? index : -1;
}

QString textOf(const VCardProperty *property) { return property ? property->text().trimmed() : QString(); }

std::optional<QString> nonEmpty(const QString &text) {
    return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
}

// "Dr. Anna B. Müller Jr." from N: family;given;additional;prefix;suffix.
QString nameOfN(const VCardProperty *n) {
    if (!n) return {};
    const QStringList parts = n->components();
    QStringList ordered;
    for (int i : {3, 1, 2, 0, 4})
        if (i < parts.size() && !parts[i].trimmed().isEmpty()) ordered << parts[i].trimmed();
    return ordered.join(u' ');
}

QString displayNameOf(const VCard &card) {
    const QString fn = textOf(card.first("FN"));
    return fn.isEmpty() ? nameOfN(card.first("N")) : fn;
}

QString telephoneNumber(const VCardProperty &tel) {
    QString number = tel.text().trimmed();
    if (number.startsWith(u"tel:", Qt::CaseInsensitive)) number.remove(0, 4);
    return number;
}

// Mail systems a 2.1 card may name for an address; every other address is
// internet mail.
QString addressTypeOf(const VCardProperty &email) {
    static const QStringList mailSystems = {u"AOL"_qs,     u"APPLELINK"_qs,  u"ATTMAIL"_qs, u"CIS"_qs,
                                            u"EWORLD"_qs,  u"IBMMAIL"_qs,    u"MCIMAIL"_qs, u"POWERSHARE"_qs,
                                            u"PRODIGY"_qs, u"TLX"_qs,        u"X400"_qs};
    for (const QString &type : email.types())
        if (mailSystems.contains(type)) return type;
    return u"SMTP"_qs;
}

bool isPreferred(const VCardProperty &property) {
    return property.hasType(u"PREF") || property.parameter("PREF").has_value();
}

bool isGroupCard(const VCard &card) {
    return textOf(card.first("KIND")).compare(u"group", Qt::CaseInsensitive) == 0 ||
           textOf(card.first("X-ADDRESSBOOKSERVER-KIND")).compare(u"group", Qt::CaseInsensitive) == 0 ||
           textOf(card.first("X-EVOLUTION-LIST")).compare(u"TRUE", Qt::CaseInsensitive) == 0;
}

QStringList membersOf(const VCard &card) {
    QStringList members;
    for (const VCardProperty &property : card.properties) {
        if (property.name == "MEMBER" || property.name == "X-ADDRESSBOOKSERVER-MEMBER") {
            members << property.text().trimmed();
        } else if (property.name == "EMAIL") {
            // Evolution names each member by its contact and its address.
            const std::optional<QString> uid = property.parameter("X-EVOLUTION-DEST-CONTACT-UID");
            members << (uid ? *uid : u"mailto:"_qs + property.text().trimmed());
        }
    }
    return members;
}

}  // namespace

AddressProperties propertiesOfVCard(const VCard &card) {
    AddressProperties p;
    p.displayName = nonEmpty(textOf(card.first("FN")));
    p.normalizedSubject = nonEmpty(nameOfN(card.first("N")));
    if (const VCardProperty *org = card.first("ORG")) p.companyName = nonEmpty(org->components().value(0).trimmed());
    p.comment = nonEmpty(textOf(card.first("NOTE")));

    for (const VCardProperty *tel : card.all("TEL")) {
        if (!tel->hasType(u"FAX")) continue;
        std::optional<QString> &slot = tel->hasType(u"WORK")   ? p.businessFaxNumber
                                       : tel->hasType(u"HOME") ? p.homeFaxNumber
                                                               : p.primaryFaxNumber;
        if (!slot) slot = nonEmpty(telephoneNumber(*tel));
    }

    QStringList addresses, types;
    int defaultIndex = -1;
    for (const VCardProperty *email : card.all("EMAIL")) {
        const QString address = email->text().trimmed();
        if (address.isEmpty()) continue;
        if (defaultIndex < 0 && isPreferred(*email)) defaultIndex = static_cast<int>(addresses.size());
        addresses << address;
        types << addressTypeOf(*email);
    }
    if (!addresses.isEmpty()) {
        if (defaultIndex < 0) defaultIndex = 0;
        p.contactEmailAddresses = addresses;
        p.contactAddrTypes = types;
        p.contactDefaultAddressIndex = defaultIndex;
        p.emailAddress = addresses[defaultIndex];
        p.addrType = types[defaultIndex];
    }
    return p;
}

AddressProperties propertiesOfAddress(const QString &address) {
    AddressProperties p;
    p.displayName = address;
    p.emailAddress = address;
    p.addrType = u"SMTP"_qs;
    p.contactEmailAddresses = QStringList{address};
    p.contactAddrTypes = QStringList{u"SMTP"_qs};
    p.contactDefaultAddressIndex = 0;
    return p;
}

QString ContactBook::uniqueUid(const QString &uid) const {
    if (!uid.isEmpty() && !byUid_.contains(uid)) return uid;
    return u"#"_qs + QString::number(entries_.size());
}

void ContactBook::addPerson(const ContactPerson &person) {
    ContactPerson kept = person;
    kept.uid = uniqueUid(person.uid);
    const AddressEntry entry{entryIdOf(kPersonPrefix, people_.size()), AddressObjectType::MailUser,
                             kept.properties.displayName.value_or(kept.properties.normalizedSubject.value_or(QString()))};
    people_ << kept;
    entries_ << entry;
    byUid_.insert(kept.uid, entry);
}

void ContactBook::addList(const ContactList &list) {
    ContactList kept = list;
    kept.uid = uniqueUid(list.uid);
    const AddressEntry entry{entryIdOf(kListPrefix, lists_.size()), AddressObjectType::DistList, kept.name};
    lists_ << kept;
    entries_ << entry;
    byUid_.insert(kept.uid, entry);
}

void ContactBook::addVCards(const QList<VCard> &cards) {
    for (const VCard &card : cards) {
        const QString uid = textOf(card.first("UID"));
        if (isGroupCard(card)) addList({uid, displayNameOf(card), membersOf(card)});
        else addPerson({uid, propertiesOfVCard(card)});
    }
}

QList<AddressEntry> ContactBook::entries() const { return entries_; }

int32_t ContactBook::openMailUser(const QByteArray &entryId, AddressProperties &properties) const {
    if (const qsizetype index = indexOf(entryId, kPersonPrefix, people_.size()); index >= 0) {
        properties = people_[index].properties;
        return ABIF_OK;
    }
    if (entryId.size() > 1 && entryId[0] == kAddressPrefix) {
        properties = propertiesOfAddress(QString::fromUtf8(entryId.mid(1)));
        return ABIF_OK;
    }
    return ABIF_E_FAIL;
}

int32_t ContactBook::openDistList(const QByteArray &entryId, QList<AddressEntry> &contents) const {
    const qsizetype index = indexOf(entryId, kListPrefix, lists_.size());
    if (index < 0) return ABIF_E_FAIL;
    contents.clear();
    for (const QString &member : lists_[index].members) contents << memberEntry(member);
    return ABIF_OK;
}

AddressEntry ContactBook::memberEntry(const QString &reference) const {
    for (const QString &uid : {reference, QString(reference).remove(u"urn:uuid:"_qs, Qt::CaseInsensitive)})
        if (const auto found = byUid_.constFind(uid); found != byUid_.cend()) return *found;
    if (reference.startsWith(u"mailto:", Qt::CaseInsensitive)) {
        const QString address = reference.mid(7);
        return {kAddressPrefix + address.toUtf8(), AddressObjectType::MailUser, address};
    }
    return {{}, AddressObjectType::Other, reference};
}

}  // namespace abif
