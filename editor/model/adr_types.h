// Kind codes and error codes shared by every class of the editor model.
#pragma once

#include <QtGlobal>

// Bit flags naming one kind of entry or, combined, a set of kinds.
enum AdrKind : quint32 {
    AdrKindAioFax = 0x1,
    AdrKindAioEmail = 0x2,
    AdrKindServer = 0x4,  // together with the shared-folder records
    AdrKindPcFax = 0x8,
    AdrKindSubComm = 0x10,  // email subject line and message body
    AdrKindAioFaxGroup = 0x100,
    AdrKindAioEmailGroup = 0x200,
    AdrKindPcFaxGroup = 0x800,
};

// The parts of the two books as callers combine the kinds.
inline constexpr quint32 AdrPartPcFax = AdrKindPcFax | AdrKindPcFaxGroup;
inline constexpr quint32 AdrPartAioFax = AdrKindAioFax | AdrKindAioFaxGroup;
inline constexpr quint32 AdrPartAioEmail = AdrKindAioEmail | AdrKindAioEmailGroup;
inline constexpr quint32 AdrPartMachine = AdrPartAioFax | AdrPartAioEmail | AdrKindServer | AdrKindSubComm;
inline constexpr quint32 AdrKindsAll = AdrPartMachine | AdrPartPcFax;

// A bad argument is thrown as this integer; a missing entry is returned.
enum AdrErr : int {
    AdrErrBadArgument = 2,
    AdrErrNotFound = 4,
};

// Find free ID's answer when no ID is left; SetID refuses it.
inline constexpr quint16 AdrNoFreeId = 0xFFFF;

[[noreturn]] inline void AdrThrowBadArgument() { throw static_cast<int>(AdrErrBadArgument); }

// Copies `source` into `target`: a null source throws, the ID passes the
// target's range check before anything changes, a self-copy does nothing.
template <class Entry>
void AdrCopyEntry(Entry &target, const Entry *source) {
    if (!source) AdrThrowBadArgument();
    if (source == &target) return;
    target.SetID(source->GetID());
    target = *source;
}

// The key an entry is stored under in its map.
template <class Entry>
[[nodiscard]] quint16 AdrKeyOf(const Entry &entry) {
    return entry.GetID();
}
