#include "ui/detail_lines.h"

#include "text/editor_text.h"
#include "ui/row_code.h"

#include <QCollator>

#include <algorithm>
#include <vector>

namespace {

QString caption(int textId) { return lqa::formatText(lqa::ids::CaptionFormat, {lqa::loadText(textId)}); }

QString threeDigits(quint16 id) { return QStringLiteral("%1").arg(id, 3, 10, QLatin1Char('0')); }

class Lines {
public:
    void add(int captionId, const QString &value) { m_lines << caption(captionId) << value; }
    // One row per entry, the first captioned with the section text; none
    // when the section is empty.
    void addSection(int sectionId, const QStringList &values) {
        for (qsizetype i = 0; i < values.size(); ++i)
            m_lines << (i == 0 ? lqa::loadText(sectionId) : QString()) << values[i];
    }
    [[nodiscard]] QStringList take() { return std::move(m_lines); }

private:
    QStringList m_lines;
};

struct SectionEntry {
    quint16 id;
    QString name;
};

// Names in the user's locale order, case-sensitive; equal names by ID so the
// order never depends on the container.
QStringList sectionValues(std::vector<SectionEntry> entries, bool withId) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseSensitive);
    std::stable_sort(entries.begin(), entries.end(), [&](const SectionEntry &a, const SectionEntry &b) {
        return collator.compare(a.name, b.name) < 0;
    });
    QStringList values;
    for (const SectionEntry &e : entries)
        values << (withId ? QStringLiteral("%1. %2").arg(threeDigits(e.id), e.name) : e.name);
    return values;
}

template <class Group>
QStringList groupsHolding(const CAdrData &data, quint16 memberId, bool withId) {
    std::vector<SectionEntry> found;
    data.Map<Group>().ForEach([&](const Group &g) {
        if (g.HasMember(memberId)) found.push_back({g.GetID(), g.GetName()});
    });
    return sectionValues(std::move(found), withId);
}

// Member IDs the book has no entry for are left out: there is no name to show.
template <class Member>
QStringList membersOf(const CAdrData &data, const CAdrGroup &group, bool withId) {
    std::vector<SectionEntry> found;
    for (quint16 id : group.GetMemberIDs()) {
        if (const Member *m = data.Map<Member>().Lookup(id)) found.push_back({id, m->GetName()});
    }
    return sectionValues(std::move(found), withId);
}

QStringList aioFaxLines(const CAdrData &data, const CAdrMemberAioFax &e) {
    Lines l;
    l.add(lqa::ids::TitleId, threeDigits(e.GetID()));
    l.add(lqa::ids::TitleName, e.GetName());
    l.add(lqa::ids::TitleFaxNumber, e.GetFaxNumber());
    l.addSection(lqa::ids::SectionGroups, groupsHolding<CAdrGroupAioFax>(data, e.GetID(), true));
    return l.take();
}

QStringList aioEmailLines(const CAdrData &data, const CAdrMemberAioEmail &e) {
    Lines l;
    l.add(lqa::ids::TitleId, threeDigits(e.GetID()));
    l.add(lqa::ids::TitleName, e.GetName());
    l.add(lqa::ids::FieldEmailAddress, e.GetEmailAddress());
    l.addSection(lqa::ids::SectionGroups, groupsHolding<CAdrGroupAioEmail>(data, e.GetID(), true));
    return l.take();
}

QStringList serverLines(const CAdrMemberAioServer &e) {
    Lines l;
    l.add(lqa::ids::TitleId, threeDigits(e.GetID()));
    l.add(lqa::ids::TitleName, e.GetName());
    if (!e.GetShareName().isEmpty()) l.add(lqa::ids::CaptionShareName, e.GetShareName());
    l.add(lqa::ids::CaptionPath, e.GetFolderPath());
    l.add(lqa::ids::CaptionLoginName, e.GetLoginName());
    l.add(lqa::ids::CaptionPortNumber, QString::number(e.GetPortNumber()));
    return l.take();
}

QStringList pcFaxLines(const CAdrData &data, const CAdrMemberPcFax &e) {
    Lines l;
    l.add(lqa::ids::TitleName, e.GetName());
    l.add(lqa::ids::TitleUpdatedOn, e.GetUpdatedOnText());
    l.add(lqa::ids::TitleFaxNumber, e.GetFaxNumber());
    l.add(lqa::ids::CaptionCompany, e.GetCompany());
    l.add(lqa::ids::CaptionNote, e.GetNote());
    l.addSection(lqa::ids::SectionGroups, groupsHolding<CAdrGroupPcFax>(data, e.GetID(), false));
    return l.take();
}

template <class Member>
QStringList machineGroupLines(const CAdrData &data, const CAdrGroup &g) {
    Lines l;
    l.add(lqa::ids::TitleId, threeDigits(g.GetID()));
    l.add(lqa::ids::FieldGroupName, g.GetName());
    l.addSection(lqa::ids::SectionMembers, membersOf<Member>(data, g, true));
    return l.take();
}

QStringList pcFaxGroupLines(const CAdrData &data, const CAdrGroupPcFax &g) {
    Lines l;
    l.add(lqa::ids::FieldGroupName, g.GetName());
    l.add(lqa::ids::TitleUpdatedOn, g.GetUpdatedOnText());
    l.addSection(lqa::ids::SectionMembers, membersOf<CAdrMemberPcFax>(data, g, false));
    return l.take();
}

// The lines of the entry stored under `id`, or nothing.
template <class Entry, class Build>
std::optional<QStringList> linesOf(const CAdrData &data, quint16 id, Build build) {
    const Entry *entry = data.Map<Entry>().Lookup(id);
    if (!entry) return std::nullopt;
    return build(*entry);
}

std::optional<QStringList> linesFor(const CAdrData &data, quint32 kind, quint16 id) {
    switch (kind) {
    case AdrKindAioFax:
        return linesOf<CAdrMemberAioFax>(data, id, [&](const auto &e) { return aioFaxLines(data, e); });
    case AdrKindAioEmail:
        return linesOf<CAdrMemberAioEmail>(data, id, [&](const auto &e) { return aioEmailLines(data, e); });
    case AdrKindServer:
        return linesOf<CAdrMemberAioServer>(data, id, [&](const auto &e) { return serverLines(e); });
    case AdrKindPcFax:
        return linesOf<CAdrMemberPcFax>(data, id, [&](const auto &e) { return pcFaxLines(data, e); });
    case AdrKindAioFaxGroup:
        return linesOf<CAdrGroupAioFax>(
            data, id, [&](const auto &g) { return machineGroupLines<CAdrMemberAioFax>(data, g); });
    case AdrKindAioEmailGroup:
        return linesOf<CAdrGroupAioEmail>(
            data, id, [&](const auto &g) { return machineGroupLines<CAdrMemberAioEmail>(data, g); });
    case AdrKindPcFaxGroup:
        return linesOf<CAdrGroupPcFax>(data, id, [&](const auto &g) { return pcFaxGroupLines(data, g); });
    default: return std::nullopt;
    }
}

}  // namespace

std::optional<CLqaDetailContent> DetailContentFor(const CAdrData &data, quint32 rowCode) {
    std::optional<QStringList> lines = linesFor(data, LqaRowKind(rowCode), LqaRowId(rowCode));
    if (!lines) return std::nullopt;
    return CLqaDetailContent{LqaRowKindBits(rowCode), std::move(*lines)};
}
