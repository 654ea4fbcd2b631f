// Moves entries of the editor's data set into library containers and back.
// Each kind goes over in ascending ID order, so the library receives records
// sorted by ID.
#pragma once

#include "model/adr_data.h"

#include <QtGlobal>

struct CAbifData;

// Adds every entry of `Entry`'s kind in `data` to `container` in one call.
// Returns 0, or AdrIoConversionFailed when the library refuses them.
template <class Entry>
quint16 AddEntries(CAbifData *container, const CAdrData &data);
// Adds one subject record and one body record.
quint16 AddSubComm(CAbifData *container, const CAdrData &data);

// Stores every record of the entry's kind in `container` into `data`,
// replacing entries with the same ID; records that cannot be taken are
// skipped. Returns 0, or AdrIoConversionFailed for a record that is no valid
// entry (an ID or member ID out of range): the entries before it stay.
template <class Entry>
quint16 TakeRecords(CAbifData *container, CAdrData &data);
// As TakeRecords, but each entry gets the next free ID of its kind in `mode`
// instead of the record's; a PC fax member is stamped as updated now.
// AdrIoNoFreeId when the kind is full: the entries before stay.
template <class Entry>
quint16 TakeRecordsAsNew(CAbifData *container, CAdrData &data, AdrIdMode mode);
