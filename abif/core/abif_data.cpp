#include "core/abif_data.h"

void CAbifData::clearAll() {
    std::apply([](auto &...a) { (a.clear(), ...); }, arrays);
}

bool CAbifData::appendAll(const CAbifData &source) {
    // Every kind is attempted even after one has stopped at its limit.
    return std::apply(
        [&](auto &...target) {
            return (static_cast<int>(target.append(std::get<std::remove_reference_t<decltype(target)>>(source.arrays)
                                                       .records())) &
                    ...);
        },
        arrays) != 0;
}

void CAbifData::normalise() {
    std::apply([](auto &...a) { (a.normalise(), ...); }, arrays);
}

bool CAbifData::isNormalised() const {
    return std::apply([](const auto &...a) { return (a.isSorted() && ...); }, arrays);
}

namespace abif {

CAbifData normalisedView(const CAbifData &data) {
    CAbifData view(data);
    view.normalise();
    return view;
}

namespace {

template <class... Records>
bool kindsEqual(const CAbifData &a, const CAbifData &b) {
    return (a.array<Records>().sameRecords(b.array<Records>()) && ...);
}

}  // namespace

bool equalByKinds(const CAbifData &a, const CAbifData &b, uint32_t kindMask) {
    const CAbifData *sa = &a, *sb = &b;
    CAbifData viewA, viewB;
    if (!a.isNormalised()) sa = &(viewA = normalisedView(a));
    if (!b.isNormalised()) sb = &(viewB = normalisedView(b));

    bool equal = true;
    if (kindMask & ABIF_KIND_MYFAX) equal = equal && kindsEqual<CAbifMyFaxData, CAbifMyFaxGroupData>(*sa, *sb);
    if (kindMask & ABIF_KIND_FAX) equal = equal && kindsEqual<CAbifFaxData, CAbifFaxGroupData>(*sa, *sb);
    if (kindMask & ABIF_KIND_EMAIL) equal = equal && kindsEqual<CAbifEMailData, CAbifEMailGroupData>(*sa, *sb);
    if (kindMask & ABIF_KIND_SERVER) equal = equal && kindsEqual<CAbifServerAddressData>(*sa, *sb);
    if (kindMask & ABIF_KIND_SUBJECT) equal = equal && kindsEqual<CAbifEMailSubjectData>(*sa, *sb);
    if (kindMask & ABIF_KIND_BODY) equal = equal && kindsEqual<CAbifEMailBodyData>(*sa, *sb);
    return equal;
}

}  // namespace abif
