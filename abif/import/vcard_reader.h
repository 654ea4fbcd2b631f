// Reads vCard 2.1, 3.0 and 4.0 text as address programs write it: folded
// lines, quoted-printable values with soft line breaks, CHARSET parameters,
// base64 values, TYPE parameters in the 2.1 style ("TEL;WORK;FAX") and the
// later one ("TEL;TYPE=work,fax"), and "item1."-style group prefixes.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

namespace abif {

struct VCardProperty {
    QByteArray group;  // "item1" of "item1.EMAIL", else empty
    QByteArray name;   // upper case
    // Parameter names in upper case; a 2.1 bare parameter such as "WORK" is
    // kept as TYPE=WORK, a bare "QUOTED-PRINTABLE" as ENCODING=QUOTED-PRINTABLE.
    QList<QPair<QByteArray, QString>> parameters;
    // Decoded to text, backslash escapes still in place.
    QString value;

    // TYPE values, one per item of every TYPE parameter, upper case.
    [[nodiscard]] QStringList types() const;
    [[nodiscard]] bool hasType(QStringView type) const;
    [[nodiscard]] std::optional<QString> parameter(QByteArrayView name) const;
    // The value with escapes resolved.
    [[nodiscard]] QString text() const;
    // The components of a structured value (N, ORG), escapes resolved.
    [[nodiscard]] QStringList components() const;
};

struct VCard {
    QList<VCardProperty> properties;

    [[nodiscard]] const VCardProperty *first(QByteArrayView name) const;
    [[nodiscard]] QList<const VCardProperty *> all(QByteArrayView name) const;
};

// Every card of `bytes`, in order. Text without a card gives none; a card cut
// off at the end keeps the properties read so far.
QList<VCard> readVCards(QByteArrayView bytes);

}  // namespace abif
