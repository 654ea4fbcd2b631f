// Answers the document's edit requests from per-kind scripts: a script gets
// the entry (and, for fax members, the chosen groups) to change and returns
// whether the person pressed OK. A kind without a script is cancelled.
#pragma once

#include "document/entry_editor.h"

#include <functional>

namespace test {

class ScriptedEntryEditor : public EntryEditor {
public:
    template <class Entry>
    using MemberScript = std::function<bool(Entry &, QList<quint16> &)>;
    template <class Entry>
    using Script = std::function<bool(Entry &)>;

    bool EditAioFax(CAdrMemberAioFax &entry, QList<quint16> &groups, const CAdrData &) override {
        return Offer(entry.GetID(), groups) && aioFax && aioFax(entry, groups);
    }
    bool EditPcFax(CAdrMemberPcFax &entry, QList<quint16> &groups, const CAdrData &) override {
        return Offer(entry.GetID(), groups) && pcFax && pcFax(entry, groups);
    }
    bool EditAioEmail(CAdrMemberAioEmail &entry, const CAdrData &) override {
        return Offer(entry.GetID(), {}) && aioEmail && aioEmail(entry);
    }
    bool EditServer(CAdrMemberAioServer &entry, ServerShareSettings &share, const CAdrData &) override {
        return Offer(entry.GetID(), {}) && server && server(entry, share);
    }
    bool EditAioFaxGroup(CAdrGroupAioFax &group, const CAdrData &) override {
        return Offer(group.GetID(), {}) && aioFaxGroup && aioFaxGroup(group);
    }
    bool EditAioEmailGroup(CAdrGroupAioEmail &group, const CAdrData &) override {
        return Offer(group.GetID(), {}) && aioEmailGroup && aioEmailGroup(group);
    }
    bool EditPcFaxGroup(CAdrGroupPcFax &group, const CAdrData &) override {
        return Offer(group.GetID(), {}) && pcFaxGroup && pcFaxGroup(group);
    }

    MemberScript<CAdrMemberAioFax> aioFax;
    MemberScript<CAdrMemberPcFax> pcFax;
    Script<CAdrMemberAioEmail> aioEmail;
    std::function<bool(CAdrMemberAioServer &, ServerShareSettings &)> server;
    Script<CAdrGroupAioFax> aioFaxGroup;
    Script<CAdrGroupAioEmail> aioEmailGroup;
    Script<CAdrGroupPcFax> pcFaxGroup;

    int opened = 0;
    quint16 offeredId = 0;          // the ID the last dialog opened with
    QList<quint16> offeredGroups;  // the groups it was told hold the member

private:
    bool Offer(quint16 id, const QList<quint16> &groups) {
        ++opened;
        offeredId = id;
        offeredGroups = groups;
        return true;
    }
};

}  // namespace test
