// How the document asks a person for the new values of one entry. Every
// call works on the document's working copies and the snapshot they came
// from; it returns false when the person cancelled, and then leaves every
// argument as it was, except for a scan service user deleted meanwhile. On
// true the entry holds the accepted values: the (possibly changed) ID, the
// name and the kind's fields.
#pragma once

#include "document/scan_user_state.h"
#include "model/adr_data.h"

#include <QList>

// The scan-to-PC settings a server entry carries besides its fields.
struct ServerShareSettings {
    // The server's shared-folder record; serverId 0 when it has none. After
    // an accepted edit without Auto Share it has none; with Auto Share its
    // fields follow the entry, and isShared is kept only when nothing about
    // the share changed.
    CAdrShareData record;
    // The account the scanner logs on with; the name and password are those
    // chosen in the dialog when it asks to create and use the account.
    ScanUserState scanUser;
    // Set when the account was deleted from the dialog. An account cannot be
    // brought back by Cancel: `scanUser` then tells the state without it
    // even when the edit is cancelled.
    bool scanUserDeleted = false;
};

class EntryEditor {
public:
    virtual ~EntryEditor() = default;

    // `groups`: in, the IDs of the book's groups holding the member; out,
    // the groups chosen, ascending.
    virtual bool EditAioFax(CAdrMemberAioFax &entry, QList<quint16> &groups, const CAdrData &data) = 0;
    virtual bool EditPcFax(CAdrMemberPcFax &entry, QList<quint16> &groups, const CAdrData &data) = 0;
    virtual bool EditAioEmail(CAdrMemberAioEmail &entry, const CAdrData &data) = 0;
    virtual bool EditServer(CAdrMemberAioServer &entry, ServerShareSettings &share, const CAdrData &data) = 0;

    // The group comes back with its chosen members.
    virtual bool EditAioFaxGroup(CAdrGroupAioFax &group, const CAdrData &data) = 0;
    virtual bool EditAioEmailGroup(CAdrGroupAioEmail &group, const CAdrData &data) = 0;
    virtual bool EditPcFaxGroup(CAdrGroupPcFax &group, const CAdrData &data) = 0;
};
