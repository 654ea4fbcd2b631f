// The address book the import reads people and distribution lists from. Each
// source (vCard files, the mail program's book) presents its entries through
// this interface; the import logic itself knows none of them.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace abif {

enum class AddressObjectType { Other, MailUser, DistList };

// One row of the book or of a list's contents. An empty identifier marks an
// entry without properties.
struct AddressEntry {
    QByteArray entryId;
    AddressObjectType type = AddressObjectType::Other;
    QString displayName;
};

// The properties of a person the import reads; each is absent when the
// person does not carry it.
struct AddressProperties {
    std::optional<QString> normalizedSubject;
    std::optional<QString> displayName;
    std::optional<QString> companyName;
    std::optional<QString> comment;
    std::optional<QString> primaryFaxNumber;
    std::optional<QString> businessFaxNumber;
    std::optional<QString> homeFaxNumber;
    // The default address and its type ("SMTP" for internet mail).
    std::optional<QString> emailAddress;
    std::optional<QString> addrType;
    std::optional<QStringList> contactEmailAddresses;
    std::optional<QStringList> contactAddrTypes;
    std::optional<int> contactDefaultAddressIndex;

    friend bool operator==(const AddressProperties &, const AddressProperties &) = default;
};

class AddressBook {
public:
    virtual ~AddressBook() = default;
    // The people and lists a user picks from.
    [[nodiscard]] virtual QList<AddressEntry> entries() const = 0;
    // ABIF_OK, or a failure code of the source when the person cannot be read.
    virtual int32_t openMailUser(const QByteArray &entryId, AddressProperties &properties) const = 0;
    // ABIF_OK with the list's contents, or a failure code of the source.
    virtual int32_t openDistList(const QByteArray &entryId, QList<AddressEntry> &contents) const = 0;
};

}  // namespace abif
