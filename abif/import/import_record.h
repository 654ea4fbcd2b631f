// The one place where every import source (CSV, vCard, the mail program's
// book) turns a contact's texts into a record of the destination's kind.
#pragma once

#include <QString>

#include <cstdint>

struct CAbifData;

namespace abif {

// What a source read for one record. `number` is the fax number, or the
// email address for the email destination; company and note are used by PC
// fax members only.
struct ImportTexts {
    QString name;
    QString number;
    QString company;
    QString note;
};

enum class ImportOutcome {
    Added,
    Refused,  // the texts break a rule of the destination's kind
    Full,     // the container refused the record: its kind is at its limit
};

// Adds the record made of `texts` to `container` when it passes the rules of
// `destination` (a value of ImportDestination). Control characters become
// spaces first (a note keeps its line breaks). The name, company and note
// are cut to their fields, while a number or address that does not fit whole
// is refused, since a shortened one would reach someone else. The record's ID
// is the count of its kind in the container + 1; `now` is a PC fax member's
// update time.
ImportOutcome appendImportRecord(ImportTexts texts, int32_t destination, CAbifData &container, int64_t now);

}  // namespace abif
