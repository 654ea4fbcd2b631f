// Entries of both books: ID ranges, group capacities, copy and comparison.
#include "model/adr_group.h"
#include "model/adr_member.h"
#include "model/adr_share_data.h"
#include "qt_print.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <ctime>
#include <functional>

namespace {

// Runs `f` and reports the integer it threw, or -1 when it returned.
int thrownCode(const std::function<void()> &f) {
    try {
        f();
    } catch (int code) {
        return code;
    }
    return -1;
}

struct IdRange {
    const char *kind;
    std::function<void(quint16)> setId;
    quint16 maxId;
};

TEST(EntryIds, eachKindAcceptsExactlyItsRange) {
    CAdrMemberAioFax fax;
    CAdrMemberAioEmail email;
    CAdrMemberAioServer server;
    CAdrMemberPcFax pcFax;
    CAdrGroupAioFax faxGroup;
    CAdrGroupAioEmail emailGroup;
    CAdrGroupPcFax pcFaxGroup;
    const IdRange ranges[] = {
        {"fax", [&](quint16 id) { fax.SetID(id); }, 99},
        {"email", [&](quint16 id) { email.SetID(id); }, 20},
        {"server", [&](quint16 id) { server.SetID(id); }, 5},
        {"pc fax", [&](quint16 id) { pcFax.SetID(id); }, 500},
        {"fax group", [&](quint16 id) { faxGroup.SetID(id); }, 6},
        {"email group", [&](quint16 id) { emailGroup.SetID(id); }, 10},
        {"pc fax group", [&](quint16 id) { pcFaxGroup.SetID(id); }, 500},
    };
    for (const IdRange &r : ranges) {
        SCOPED_TRACE(r.kind);
        EXPECT_EQ(thrownCode([&] { r.setId(1); }), -1);
        EXPECT_EQ(thrownCode([&] { r.setId(r.maxId); }), -1);
        EXPECT_EQ(thrownCode([&] { r.setId(0); }), AdrErrBadArgument);
        EXPECT_EQ(thrownCode([&] { r.setId(static_cast<quint16>(r.maxId + 1)); }), AdrErrBadArgument);
        EXPECT_EQ(thrownCode([&] { r.setId(AdrNoFreeId); }), AdrErrBadArgument);
    }
}

TEST(EntryIds, refusedIdKeepsThePreviousOne) {
    CAdrMemberAioFax fax;
    fax.SetID(42);
    EXPECT_EQ(thrownCode([&] { fax.SetID(100); }), AdrErrBadArgument);
    EXPECT_EQ(fax.GetID(), 42);
}

TEST(EntryIds, idTextHasThreeDigits) {
    CAdrMemberAioFax fax;
    CAdrGroupPcFax group;
    EXPECT_EQ(fax.GetIDString(), "000");
    fax.SetID(7);
    EXPECT_EQ(fax.GetIDString(), "007");
    group.SetID(500);
    EXPECT_EQ(group.GetIDString(), "500");
}

TEST(EntryDefaults, serverIsComputerSmbWithoutPort) {
    const CAdrMemberAioServer server;
    EXPECT_EQ(server.GetServerType(), CAdrMemberAioServer::kTypeSmb);
    EXPECT_EQ(server.GetPortNumber(), 0);
    EXPECT_EQ(server.GetID(), 0);
    EXPECT_EQ(server.GetChangeMark(), 0u);
}

TEST(EntryServer, typeOtherThanFtpOrSmbIsRefused) {
    CAdrMemberAioServer server;
    server.SetServerType(CAdrMemberAioServer::kTypeFtp);
    EXPECT_EQ(thrownCode([&] { server.SetServerType(2); }), AdrErrBadArgument);
    EXPECT_EQ(server.GetServerType(), CAdrMemberAioServer::kTypeFtp);
}

struct Capacity {
    const char *kind;
    std::function<CAdrGroup *()> make;
    int capacity;
    quint16 maxMemberId;
};

TEST(GroupMembers, fullGroupRefusesTheNextMemberSilently) {
    CAdrGroupAioFax fax;
    CAdrGroupAioEmail email;
    CAdrGroupPcFax pcFax;
    const Capacity cases[] = {{"fax", [&] { return &fax; }, 99, 99},
                              {"email", [&] { return &email; }, 10, 20},
                              {"pc fax", [&] { return &pcFax; }, 30, 500}};
    for (const Capacity &c : cases) {
        SCOPED_TRACE(c.kind);
        CAdrGroup &group = *c.make();
        EXPECT_EQ(group.GetFreeMemberCount(), c.capacity);
        // Fill from the top of the member range down; the next lower ID is refused.
        for (int i = 0; i < c.capacity; ++i) group.AddMember(static_cast<quint16>(c.maxMemberId - i));
        EXPECT_EQ(group.CountMembers(), c.capacity);
        EXPECT_EQ(group.GetFreeMemberCount(), 0);
        const QList<quint16> before = group.GetMemberIDs();
        // A fax group can hold every speed dial, so no ID is left to refuse.
        if (const auto refused = static_cast<quint16>(c.maxMemberId - c.capacity); refused > 0) {
            group.AddMember(refused);
            EXPECT_FALSE(group.HasMember(refused));
        }
        EXPECT_EQ(group.GetMemberIDs(), before);
        // A member already held is no addition and stays.
        group.AddMember(c.maxMemberId);
        EXPECT_EQ(group.CountMembers(), c.capacity);
    }
}

TEST(GroupMembers, memberIdOutsideTheMemberRangeThrows) {
    CAdrGroupAioEmail email;
    CAdrGroupAioFax fax;
    EXPECT_EQ(thrownCode([&] { email.AddMember(21); }), AdrErrBadArgument);
    EXPECT_EQ(thrownCode([&] { fax.AddMember(0); }), AdrErrBadArgument);
    EXPECT_EQ(thrownCode([&] { fax.AddMember(100); }), AdrErrBadArgument);
    EXPECT_EQ(fax.CountMembers(), 0);
}

TEST(GroupMembers, idsComeOutAscendingAndRemovalIgnoresAbsentIds) {
    CAdrGroupPcFax group;
    for (quint16 id : {300, 2, 45}) group.AddMember(id);
    EXPECT_EQ(group.GetMemberIDs(), (QList<quint16>{2, 45, 300}));
    group.RemoveMember(45);
    group.RemoveMember(46);
    group.RemoveMember(9999);
    EXPECT_EQ(group.GetMemberIDs(), (QList<quint16>{2, 300}));
    EXPECT_EQ(group.GetMemberCountText(), "(2)");
}

CAdrMemberPcFax pcFaxMember() {
    CAdrMemberPcFax m;
    m.SetID(12);
    m.SetName("Alder");
    m.SetFaxNumber("0301234");
    m.SetCompany("Brixon");
    m.SetNote("night only");
    m.SetCommMode(1);
    m.SetUpdatedOn(1700000000);
    return m;
}

TEST(EntryCompare, pcFaxMemberIgnoresUpdateTimeAndChangeMarkOnly) {
    const CAdrMemberPcFax base = pcFaxMember();
    const std::pair<const char *, std::function<void(CAdrMemberPcFax &)>> changes[] = {
        {"id", [](auto &m) { m.SetID(13); }},
        {"name case", [](auto &m) { m.SetName("alder"); }},
        {"fax", [](auto &m) { m.SetFaxNumber("0301235"); }},
        {"company", [](auto &m) { m.SetCompany(""); }},
        {"note", [](auto &m) { m.SetNote("day"); }},
        {"comm mode", [](auto &m) { m.SetCommMode(0); }},
    };
    for (const auto &[what, change] : changes) {
        CAdrMemberPcFax other = base;
        change(other);
        EXPECT_FALSE(base.IsEqual(&other)) << what;
    }
    CAdrMemberPcFax touched = base;
    touched.SetUpdatedOn(0);
    touched.SetChangeMark(1);
    EXPECT_TRUE(base.IsEqual(&touched));
    EXPECT_TRUE(base.IsEqual(&base));
    EXPECT_FALSE(base.IsEqual(nullptr));
}

TEST(EntryCompare, serverComparesEveryAddedField) {
    CAdrMemberAioServer base;
    base.SetID(2);
    const std::pair<const char *, std::function<void(CAdrMemberAioServer &)>> changes[] = {
        {"type", [](auto &s) { s.SetServerType(0); }},   {"host", [](auto &s) { s.SetHostName("h"); }},
        {"login", [](auto &s) { s.SetLoginName("l"); }}, {"password", [](auto &s) { s.SetLoginPassword("p"); }},
        {"path", [](auto &s) { s.SetFolderPath("/"); }}, {"share", [](auto &s) { s.SetShareName("s"); }},
        {"port", [](auto &s) { s.SetPortNumber(21); }},
    };
    for (const auto &[what, change] : changes) {
        CAdrMemberAioServer other = base;
        change(other);
        EXPECT_FALSE(base.IsEqual(&other)) << what;
    }
}

TEST(EntryCompare, groupsCompareMembershipButNotUpdateTime) {
    CAdrGroupPcFax a;
    a.SetID(3);
    a.SetName("Sales");
    a.AddMember(4);
    CAdrGroupPcFax b = a;
    b.SetUpdatedOn(99);
    EXPECT_TRUE(a.IsEqual(&b));
    b.AddMember(5);
    EXPECT_FALSE(a.IsEqual(&b));
    b.RemoveMember(5);
    b.SetName("sales");
    EXPECT_FALSE(a.IsEqual(&b));
}

TEST(EntryCopy, copyTakesEveryFieldWithTheChangeMark) {
    CAdrMemberPcFax source = pcFaxMember();
    source.SetChangeMark(1);
    CAdrMemberPcFax target;
    target.CopyFrom(&source);
    EXPECT_TRUE(target.IsEqual(&source));
    EXPECT_EQ(target.GetUpdatedOn(), source.GetUpdatedOn());
    EXPECT_EQ(target.GetChangeMark(), 1u);

    CAdrGroupAioFax group;
    group.SetID(6);
    group.AddMember(99);
    group.SetChangeMark(1);
    CAdrGroupAioFax groupCopy;
    groupCopy.CopyFrom(&group);
    EXPECT_EQ(groupCopy.GetMemberIDs(), QList<quint16>{99});
    EXPECT_EQ(groupCopy.GetChangeMark(), 1u);
}

TEST(EntryCopy, refusedSourceLeavesTheTargetAsItWas) {
    CAdrMemberAioFax target;
    target.SetID(5);
    target.SetFaxNumber("111");
    const CAdrMemberAioFax unassigned;
    EXPECT_EQ(thrownCode([&] { target.CopyFrom(nullptr); }), AdrErrBadArgument);
    EXPECT_EQ(thrownCode([&] { target.CopyFrom(&unassigned); }), AdrErrBadArgument);
    EXPECT_EQ(target.GetID(), 5);
    EXPECT_EQ(target.GetFaxNumber(), "111");
    target.CopyFrom(&target);
    EXPECT_EQ(target.GetFaxNumber(), "111");
}

TEST(EntryUpdatedOn, neverUpdatedIsEmptyOtherwiseLocalShortDateAndTime) {
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "UTC");
    tzset();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    CAdrMemberPcFax member;
    EXPECT_EQ(member.GetUpdatedOnText(), "");
    member.SetUpdatedOn(1704207845);  // 2024-01-02 15:04:05 UTC
    EXPECT_EQ(member.GetUpdatedOnText(), "02.01.24 15:04");
    CAdrGroupPcFax group;
    group.SetUpdatedOn(1704207845);
    EXPECT_EQ(group.GetUpdatedOnText(), "02.01.24 15:04");
    QLocale::setDefault(QLocale::system());
    if (zone.isNull()) {
        qunsetenv("TZ");
    } else {
        qputenv("TZ", zone);
    }
    tzset();
}

TEST(ShareData, contentOnlyModeIgnoresRecordAndServerNumbers) {
    CAdrShareData a;
    a.shareName = "scans";
    a.recordId = 1;
    a.serverId = 2;
    CAdrShareData b = a;
    b.recordId = 3;
    b.serverId = 4;
    EXPECT_FALSE(a.IsEqual(&b));
    EXPECT_TRUE(a.IsEqual(&b, CAdrShareData::kCompareContentOnly));
    b.shareName = "Scans";
    EXPECT_FALSE(a.IsEqual(&b, CAdrShareData::kCompareContentOnly));
    EXPECT_FALSE(a.IsEqual(nullptr));
}

}  // namespace
