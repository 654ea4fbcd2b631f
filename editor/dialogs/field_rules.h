// The rules an entry's fields must meet before an entry dialog accepts it,
// and the texts that tell the person which rule a field broke. Plain code:
// the dialogs call it, tests check it without widgets.
#pragma once

#include <QString>
#include <QStringList>

enum CharClass : int {
    CharPrintable = 0,       // codes 32 to 126
    CharPrintableLf = 1,     // codes 32 to 126 and line feed
    CharLetters = 2,         // A-Z, a-z
    CharDigits = 3,          // 0-9
    CharLettersDigits = 4,   // A-Z, a-z, 0-9
    CharFileNameSafe = 5,    // anything but " * / : < > ? |
    // Anything but control characters (codes 0 to 31 and 127 to 159): the PC
    // fax file cannot store some of them, and no one can see or type them.
    CharNoControl = 6,
};

// Every character of `text` belongs to `charClass` or is one of `extra`.
[[nodiscard]] bool CheckCharacters(const QString &text, const QString &extra, CharClass charClass);

// An address the machine can send to: a local part and, after one "@", an
// optional domain, neither starting or ending with "." nor holding "..".
// A text without "@" passes when it is a valid local part.
[[nodiscard]] bool CheckEmailAddress(const QString &text);

// The ports the machine reaches a server on: 139, 445 or 5000 to 65535 for
// a computer share, 21 or 5000 to 65535 for an FTP server.
[[nodiscard]] bool CheckPortNumber(int port, quint16 serverType);
// The text that states the port rule of `serverType`.
[[nodiscard]] int PortRuleTextId(quint16 serverType);
// The port "Use Default Port Number" stands for.
[[nodiscard]] quint16 DefaultPortNumber(quint16 serverType);

// `format` with its "%d" (also zero-padded, "%03d") filled with `id` and its
// "%s" with `name`, in that order of appearance; "%%" becomes "%".
[[nodiscard]] QString FormatTitle(const QString &format, int id, const QString &name);

// "Fill in", a blank line, then every name on a line of its own.
[[nodiscard]] QString FillInText(const QStringList &fieldNames);
// The ID is not a number from 1 to `max`.
[[nodiscard]] QString RangeErrorText(int max);
// The field named by `fieldTextId` holds characters its rule forbids.
[[nodiscard]] QString CharacterErrorText(int fieldTextId, int ruleTextId);
// A field refuses input beyond `max` characters.
[[nodiscard]] QString LengthLimitText(int max);

// `text` cut to at most `max` units, never between the halves of a surrogate pair.
[[nodiscard]] QString CutToLength(const QString &text, int max);

// The share name as the network sees it takes more than `maxBytes` bytes.
[[nodiscard]] bool ExceedsBytes(const QString &text, int maxBytes);
