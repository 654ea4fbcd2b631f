// Sorting, comparing and merging containers inside the library.
#include "core/abif_data.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using abif::equalByKinds;

template <class Record> std::vector<uint16_t> idsOf(const CAbifData &data) {
    std::vector<uint16_t> ids;
    for (const Record &r : data.array<Record>().records()) ids.push_back(r.id);
    return ids;
}

TEST(Normalise, sortsByIdThenNameAndMarksEveryKindSorted) {
    CAbifData data;
    const CAbifFaxData records[] = {test::fax(3, u"C"), test::fax(1, u"B"), test::fax(1, u"A"), test::fax(2, u"")};
    data.array<CAbifFaxData>().append(records);
    EXPECT_FALSE(data.isNormalised());
    data.normalise();
    EXPECT_TRUE(data.isNormalised());
    EXPECT_EQ(idsOf<CAbifFaxData>(data), (std::vector<uint16_t>{1, 1, 2, 3}));
    EXPECT_EQ(abif::readText(data.array<CAbifFaxData>().at(0).name, sizeof records[0].name), u"A");
}

TEST(Normalise, shorterTextThatIsAPrefixSortsFirst) {
    CAbifData data;
    const CAbifFaxData records[] = {test::fax(1, u"Abcd"), test::fax(1, u"Abc"), test::fax(1, u"Ab")};
    data.array<CAbifFaxData>().append(records);
    data.normalise();
    std::vector<std::u16string> names;
    for (const auto &r : data.array<CAbifFaxData>().records()) names.push_back(abif::readText(r.name, sizeof r.name));
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Ab", u"Abc", u"Abcd"}));
}

TEST(Normalise, sortsEachGroupsMemberListAscending) {
    CAbifData data;
    const CAbifFaxGroupData group = test::faxGroup(1, u"G", {9, 3, 65535, 1});
    data.array<CAbifFaxGroupData>().append({&group, 1});
    data.normalise();
    const auto &sorted = data.array<CAbifFaxGroupData>().at(0);
    EXPECT_EQ(sorted.members[0], 1);
    EXPECT_EQ(sorted.members[1], 3);
    EXPECT_EQ(sorted.members[2], 9);
    EXPECT_EQ(sorted.members[3], 65535);
}

TEST(Normalise, memberCountBeyondTheListIsNeverReadPastTheRecord) {
    CAbifData data;
    CAbifEMailGroupData groups[2]{};
    groups[0].memberCount = groups[1].memberCount = 0xFFFF;
    for (uint16_t k = 0; k < 10; ++k) {
        groups[0].members[k] = static_cast<uint16_t>(20 - k);
        groups[1].members[k] = static_cast<uint16_t>(10 - k);
    }
    data.array<CAbifEMailGroupData>().append(groups);
    data.normalise();
    const auto &first = data.array<CAbifEMailGroupData>().at(0);
    EXPECT_EQ(first.members[0], 1);
    EXPECT_EQ(first.members[9], 10);
    EXPECT_EQ(first.memberCount, 0xFFFF);
    EXPECT_EQ(data.array<CAbifEMailGroupData>().at(1).members[0], 11);
}

TEST(Normalise, orderMatchesAFieldByFieldComparisonOnRandomRecords) {
    // The fast path compares packed keys first; it must never disagree with the full order.
    std::mt19937 random(11);
    std::vector<CAbifServerAddressData> records(2000);
    for (auto &r : records) {
        r.id = static_cast<uint16_t>(random() % 4);
        r.serverType = static_cast<uint8_t>(random() % 2);
        std::u16string name(random() % 4, u'a');
        for (auto &c : name) c = static_cast<char16_t>(u'a' + random() % 3);
        abif::writeText(r.name, sizeof r.name, name);
        r.portNumber = static_cast<uint16_t>(random() % 3);
    }
    CAbifData data;
    data.array<CAbifServerAddressData>().append(records);
    data.normalise();
    const auto sorted = data.array<CAbifServerAddressData>().records();
    for (size_t i = 1; i < sorted.size(); ++i)
        ASSERT_LE(abif::detail::compareRecords(sorted[i - 1], sorted[i]), 0) << "at " << i;
}

TEST(EqualByKinds, groupsWithMembersInAnotherOrderAreEqual) {
    CAbifData a, b;
    const CAbifFaxGroupData ga = test::faxGroup(1, u"G", {3, 1, 2});
    const CAbifFaxGroupData gb = test::faxGroup(1, u"G", {2, 3, 1});
    a.array<CAbifFaxGroupData>().append({&ga, 1});
    b.array<CAbifFaxGroupData>().append({&gb, 1});
    EXPECT_TRUE(equalByKinds(a, b, ABIF_KIND_FAX));
    // Comparing leaves the callers' containers as they were.
    EXPECT_FALSE(a.isNormalised());
    EXPECT_EQ(a.array<CAbifFaxGroupData>().at(0).members[0], 3);
}

TEST(EqualByKinds, onlyTheChosenKindsCount) {
    CAbifData a, b;
    const CAbifFaxData f = test::fax(1, u"A");
    const CAbifMyFaxData m = test::myFax(1, u"M");
    a.array<CAbifFaxData>().append({&f, 1});
    b.array<CAbifMyFaxData>().append({&m, 1});
    struct Case {
        uint32_t mask;
        bool equal;
    };
    for (const Case c : {Case{ABIF_KIND_FAX, false}, Case{ABIF_KIND_MYFAX, false}, Case{ABIF_KIND_EMAIL, true},
                         Case{ABIF_KIND_SERVER | ABIF_KIND_SUBJECT | ABIF_KIND_BODY, true}, Case{0x1, true},
                         Case{0, true}}) {
        EXPECT_EQ(equalByKinds(a, b, c.mask), c.equal) << std::hex << c.mask;
    }
}

TEST(EqualByKinds, textBeyondTheTerminatorDoesNotCount) {
    CAbifData a, b;
    CAbifFaxData fa = test::fax(1, u"A"), fb = test::fax(1, u"A");
    fb.name[10] = u'z';
    a.array<CAbifFaxData>().append({&fa, 1});
    b.array<CAbifFaxData>().append({&fb, 1});
    EXPECT_TRUE(equalByKinds(a, b, ABIF_KIND_FAX));
}

TEST(EqualByKinds, differentCountsOrFieldsDiffer) {
    CAbifData a, b, c;
    CAbifMyFaxData m1 = test::myFax(1, u"M"), m2 = m1;
    m2.updatedOn = -1;
    a.array<CAbifMyFaxData>().append({&m1, 1});
    b.array<CAbifMyFaxData>().append({&m2, 1});
    EXPECT_FALSE(equalByKinds(a, b, ABIF_KIND_MYFAX));
    EXPECT_FALSE(equalByKinds(a, c, ABIF_KIND_MYFAX));
}

TEST(AppendAll, stopsEachKindAtItsLimitButTriesEveryKind) {
    CAbifData source, target;
    std::vector<CAbifFaxData> faxes;
    for (uint16_t i = 1; i <= 10; ++i) faxes.push_back(test::fax(i, u"F"));
    const CAbifEMailBodyData body{};
    source.array<CAbifFaxData>().append(faxes);
    source.array<CAbifEMailBodyData>().append({&body, 1});
    target.array<CAbifFaxData>().setLimit(4);

    EXPECT_FALSE(target.appendAll(source));
    EXPECT_EQ(target.array<CAbifFaxData>().count(), 4);
    EXPECT_EQ(target.array<CAbifEMailBodyData>().count(), 1);
    EXPECT_FALSE(target.array<CAbifEMailBodyData>().isSorted());
    EXPECT_TRUE(CAbifData().appendAll(source));
}

TEST(ClearAll, emptiesEveryKindKeepsLimitsAndMarksSorted) {
    CAbifData data;
    const CAbifFaxData f = test::fax(1, u"A");
    data.array<CAbifFaxData>().append({&f, 1});
    data.array<CAbifFaxData>().setLimit(3);
    data.clearAll();
    EXPECT_EQ(data.array<CAbifFaxData>().count(), 0);
    EXPECT_EQ(data.array<CAbifFaxData>().limit(), 3);
    EXPECT_TRUE(data.isNormalised());
}

TEST(NormalisedView, keepsEveryRecordOfAContainerWithRaisedLimits) {
    CAbifData data;
    data.array<CAbifFaxData>().setLimit(-1);
    std::vector<CAbifFaxData> faxes;
    for (int i = 500; i > 0; --i) faxes.push_back(test::fax(static_cast<uint16_t>(i), u"F"));
    data.array<CAbifFaxData>().append(faxes);
    const CAbifData view = abif::normalisedView(data);
    EXPECT_EQ(view.array<CAbifFaxData>().count(), 500);
    EXPECT_EQ(view.array<CAbifFaxData>().at(0).id, 1);
    EXPECT_EQ(data.array<CAbifFaxData>().at(0).id, 500);
}

}  // namespace
