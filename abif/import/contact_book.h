// An address book held in memory: the people and lists a source read, with
// list members named by the uid of a person or list, or by "mailto:" for an
// address that is not in the book.
#pragma once

#include "import/address_book.h"
#include "import/vcard_reader.h"

#include <QHash>

namespace abif {

struct ContactPerson {
    QString uid;
    AddressProperties properties;
};

struct ContactList {
    QString uid;
    QString name;
    QStringList members;
};

class ContactBook : public AddressBook {
public:
    void addPerson(const ContactPerson &person);
    void addList(const ContactList &list);
    // People, and lists for cards of kind group (vCard 4, Apple's and
    // Evolution's forms).
    void addVCards(const QList<VCard> &cards);

    [[nodiscard]] QList<AddressEntry> entries() const override;
    int32_t openMailUser(const QByteArray &entryId, AddressProperties &properties) const override;
    int32_t openDistList(const QByteArray &entryId, QList<AddressEntry> &contents) const override;

private:
    [[nodiscard]] AddressEntry memberEntry(const QString &reference) const;
    [[nodiscard]] QString uniqueUid(const QString &uid) const;

    QList<ContactPerson> people_;
    QList<ContactList> lists_;
    QList<AddressEntry> entries_;
    QHash<QString, AddressEntry> byUid_;
};

// The properties of a person card: FN the display name, N the normalised
// subject, ORG the company, NOTE the comment, TEL with FAX the fax numbers by
// WORK and HOME, EMAIL the addresses with PREF the default.
AddressProperties propertiesOfVCard(const VCard &card);

// One-off person for an address that is not in the book.
AddressProperties propertiesOfAddress(const QString &address);

}  // namespace abif
