// Copy and paste through the document's own clipboard: the copied entries
// and the snapshot they were copied from, so that a pasted group keeps only
// the members that are still what they were.
#include "dialogs/field_rules.h"
#include "document/document_prompt.h"
#include "document/linquara_doc.h"
#include "document/linquara_doc_editing_kinds.h"
#include "text/editor_text.h"

#include <QSet>

namespace {

// What a paste makes of the clipboard.
enum class PasteAs { Nothing, AioFax, AioEmail, Server, PcFax, PcFaxAsAioFax, AioFaxAsPcFax };

bool holdsAny(const CAdrData &data, quint32 kinds) {
    bool any = false;
    auto check = [&]<class Entry>() { any = any || ((kinds & Entry::kKind) && !data.Map<Entry>().IsEmpty()); };
    check.operator()<CAdrMemberAioFax>();
    check.operator()<CAdrMemberAioEmail>();
    check.operator()<CAdrMemberAioServer>();
    check.operator()<CAdrMemberPcFax>();
    check.operator()<CAdrGroupAioFax>();
    check.operator()<CAdrGroupAioEmail>();
    check.operator()<CAdrGroupPcFax>();
    return any;
}

PasteAs planPaste(const CAdrData &clip, CLinquaraDoc::TreeNode node) {
    using Node = CLinquaraDoc::TreeNode;
    const bool fax = holdsAny(clip, AdrPartAioFax);
    switch (node) {
    case Node::AddressBooks:
        if (fax) return PasteAs::AioFax;
        return holdsAny(clip, AdrPartPcFax) ? PasteAs::PcFax : PasteAs::Nothing;
    case Node::MachineBook:
        if (fax) return PasteAs::AioFax;
        if (holdsAny(clip, AdrPartAioEmail)) return PasteAs::AioEmail;
        return holdsAny(clip, AdrKindServer) ? PasteAs::Server : PasteAs::Nothing;
    case Node::MachineFax:
        if (fax) return PasteAs::AioFax;
        return holdsAny(clip, AdrKindPcFax) ? PasteAs::PcFaxAsAioFax : PasteAs::Nothing;
    case Node::PcFaxBook:
        if (holdsAny(clip, AdrPartPcFax)) return PasteAs::PcFax;
        return holdsAny(clip, AdrKindAioFax) ? PasteAs::AioFaxAsPcFax : PasteAs::Nothing;
    case Node::None: break;
    }
    return PasteAs::Nothing;
}

// Stores a copy of the entry of `kind` and `id` from `from` in `to`.
void copyEntry(const CAdrData &from, CAdrData &to, quint32 kind, quint16 id) {
    auto copy = [&]<class Entry>() {
        if (kind != Entry::kKind) return;
        if (const Entry *entry = from.Map<Entry>().Lookup(id)) to.StoreCopy(*entry);
    };
    copy.operator()<CAdrMemberAioFax>();
    copy.operator()<CAdrMemberAioEmail>();
    copy.operator()<CAdrMemberPcFax>();
    copy.operator()<CAdrGroupAioFax>();
    copy.operator()<CAdrGroupAioEmail>();
    copy.operator()<CAdrGroupPcFax>();
    if (kind == AdrKindServer) {
        CAdrMemberAioServer server;
        CAdrShareData record;
        if (from.CopyOutServer(id, &server, &record) == 0)
            to.StoreServerCopy(server, record.serverId != 0 ? &record : nullptr);
    }
}

// Names longer than a record holds are cut.
QString cutName(const QString &name) {
    constexpr int kMaxUnits = 32;
    return CutToLength(name, kMaxUnits);
}

// "Copy - name", or the first numbered copy name nobody has; the name itself
// when every one is taken.
QString copyName(const QString &name, const QSet<QString> &taken) {
    QString candidate = cutName(lqa::formatText(lqa::ids::TextCopyName, {name}));
    if (!taken.contains(candidate)) return candidate;
    for (int n = 1; n <= 9999; ++n) {
        candidate = cutName(lqa::formatText(lqa::ids::TextCopyNameNumbered, {QString::number(n), name}));
        if (!taken.contains(candidate)) return candidate;
    }
    return name;
}

template <class Entry>
QSet<QString> namesOf(const CAdrData &data) {
    QSet<QString> names;
    data.Map<Entry>().ForEach([&](const Entry &entry) { names.insert(entry.GetName()); });
    return names;
}

// Pasting across the books takes over the name and the fax number.
template <class Target, class Source>
Target converted(const Source &source) {
    Target target;
    target.SetName(source.GetName());
    target.SetFaxNumber(source.GetFaxNumber());
    return target;
}

template <class Entry>
QList<Entry> entriesOf(const CAdrData &data) {
    QList<Entry> entries;
    data.Map<Entry>().ForEach([&](const Entry &entry) { entries.append(entry); });
    return entries;
}

}  // namespace

void CLinquaraDoc::OnCopy(const QList<quint32> &rowCodes) {
    const BusyScope busy(*this);
    m_clipboard = CAdrData{};
    m_history.CopyCurrent(&m_clipboardSource);
    for (quint32 code : rowCodes) copyEntry(m_clipboardSource, m_clipboard, AdrRowKind(code), AdrRowId(code));
}

bool CLinquaraDoc::CanPaste(TreeNode node) const { return planPaste(m_clipboard, node) != PasteAs::Nothing; }

void CLinquaraDoc::OnPaste(TreeNode node) {
    const BusyScope busy(*this);
    if (!GetData()) return;
    // Only the PC Fax Address Book node renames the members it receives.
    const bool renameMembers = node == TreeNode::PcFaxBook;
    switch (planPaste(m_clipboard, node)) {
    case PasteAs::AioFax: PasteBook<CAdrMemberAioFax, CAdrGroupAioFax>(false); break;
    case PasteAs::AioEmail: PasteBook<CAdrMemberAioEmail, CAdrGroupAioEmail>(false); break;
    case PasteAs::PcFax: PasteBook<CAdrMemberPcFax, CAdrGroupPcFax>(renameMembers); break;
    case PasteAs::PcFaxAsAioFax: PasteConverted<CAdrMemberAioFax, CAdrMemberPcFax>(false); break;
    case PasteAs::AioFaxAsPcFax: PasteConverted<CAdrMemberPcFax, CAdrMemberAioFax>(true); break;
    case PasteAs::Server: {
        const QList<CAdrMemberAioServer> servers = entriesOf<CAdrMemberAioServer>(m_clipboard);
        if (GetData()->CountFreeIDs(AdrKindServer, MachineIdMode()) < servers.size()) {
            ShowMaxDataExceeded();
            return;
        }
        if (!m_history.Begin()) return;
        for (const CAdrMemberAioServer &server : servers) PasteEntry(server, false);
        SetModifiedFor(AdrKindServer);
        CommitStep(false);
        break;
    }
    case PasteAs::Nothing: break;
    }
}

template <class Member, class Group>
void CLinquaraDoc::PasteBook(bool rename) {
    const QList<Member> members = entriesOf<Member>(m_clipboard);
    const QList<Group> groups = entriesOf<Group>(m_clipboard);
    const CAdrData &current = *GetData();
    if (current.CountFreeIDs(Member::kKind, IdModeOf(Member::kKind)) < members.size() ||
        current.CountFreeIDs(Group::kKind, IdModeOf(Group::kKind)) < groups.size()) {
        ShowMaxDataExceeded();
        return;
    }
    if (!m_history.Begin()) return;
    for (const Member &member : members) PasteEntry(member, rename);
    for (Group group : groups) {
        // A member that changed or went since the copy is not the one the group meant.
        const CAdrData &working = *m_history.GetWorking();
        for (quint16 id : group.GetMemberIDs()) {
            const Member *now = working.Map<Member>().Lookup(id);
            if (!now || !now->IsEqual(m_clipboardSource.Map<Member>().Lookup(id))) group.RemoveMember(id);
        }
        PasteEntry(group, Group::kKind == AdrKindPcFaxGroup);
    }
    SetModifiedFor(Member::kKind);
    CommitStep(false);
}

template <class Target, class Source>
void CLinquaraDoc::PasteConverted(bool rename) {
    const QList<Source> sources = entriesOf<Source>(m_clipboard);
    if (GetData()->CountFreeIDs(Target::kKind, IdModeOf(Target::kKind)) < sources.size()) {
        ShowMaxDataExceeded();
        return;
    }
    if (!m_history.Begin()) return;
    for (const Source &source : sources) PasteEntry(converted<Target>(source), rename);
    SetModifiedFor(Target::kKind);
    CommitStep(false);
}

template <class Entry>
void CLinquaraDoc::PasteEntry(Entry entry, bool rename) {
    const CAdrData &working = *m_history.GetWorking();
    try {
        entry.SetID(working.FindFreeID(Entry::kKind, IdModeOf(Entry::kKind)));
    } catch (int) {
        return;  // no ID left: this entry is not pasted
    }
    if (rename) {
        entry.SetName(copyName(entry.GetName(), namesOf<Entry>(working)));
        AdrTouch(entry);
    }
    if constexpr (Entry::kKind == AdrKindServer) {
        // The folder share stays with the server it was made for.
        m_history.StoreServer(entry, nullptr);
    } else {
        m_history.Store(entry);
    }
}

bool CLinquaraDoc::OnDropOnNode(const QList<quint32> &rowCodes, TreeNode node) {
    // A drop copies the entries as copy and paste would, but leaves alone
    // what the person last copied.
    const CAdrData keptClipboard = m_clipboard;
    const CAdrData keptSource = m_clipboardSource;
    bool changed = false;
    const QMetaObject::Connection watch = connect(this, &CLinquaraDoc::dataChanged, this, [&changed] { changed = true; });
    OnCopy(rowCodes);
    OnPaste(node);
    disconnect(watch);
    m_clipboard = keptClipboard;
    m_clipboardSource = keptSource;
    return changed;
}
