// The values the import passes around: where the addresses come from, which
// book they go to, and the fields a CSV column can be assigned to.
#pragma once

#include "abiflink.h"

#include <cstdint>

namespace abif {

enum ImportSource : int32_t {
    SourceCsv = 0,
    SourceVCard = 1,        // a vCard file, or the personal contacts folder
    SourceMailProgram = 2,  // the mail program's address book
};

// Bit values: callers pass a set of them, the wizard keeps one.
enum ImportDestination : int32_t {
    DestinationFaxAlias = 1,  // an older spelling of DestinationFax
    DestinationPcFax = 2,
    DestinationFax = 4,
    DestinationEmail = 8,
};

// With this option the candidate rows of the row selection start highlighted.
inline constexpr int32_t kImportHighlightCandidates = 0x200;

// 1 and 4 both mean the machine's fax speed dials.
[[nodiscard]] constexpr int32_t normalisedDestination(int32_t destination) {
    return destination == DestinationFaxAlias ? DestinationFax : destination;
}

// The fields a CSV column can fill, in the order the assignment page lists
// them. The second is the fax number, or the email address for email.
enum ImportField : int { FieldName = 0, FieldNumber = 1, FieldCompany = 2, FieldNote = 3 };
inline constexpr int kImportFieldCount = 4;
// Name and number (or address) must both be assigned.
inline constexpr int kRequiredImportFields = 2;

[[nodiscard]] constexpr int importFieldCount(int32_t destination) {
    return normalisedDestination(destination) == DestinationPcFax ? 4 : 2;
}

// Calls `f` with a default-constructed record of the destination's kind.
template <class F> decltype(auto) withDestinationRecord(int32_t destination, F &&f) {
    switch (normalisedDestination(destination)) {
    case DestinationPcFax: return f(CAbifMyFaxData{});
    case DestinationEmail: return f(CAbifEMailData{});
    default: return f(CAbifFaxData{});
    }
}

}  // namespace abif
