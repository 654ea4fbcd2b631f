// The PC fax address book format in memory: a file built by hand from the
// format's tables, the writer's exact bytes, and damaged input.
#include "formats/gad_file.h"
#include "support/pc_fax_book.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <QtEndian>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr uint16_t SEP = 0x0003, END = 0x0004;

// Packed fields may sit at odd addresses: compare copies, never references.
template <class T> T val(T field) { return field; }

// A file written unit by unit, independently of the project's writer.
class Units {
public:
    Units &operator<<(uint16_t unit) {
        units_.push_back(unit);
        return *this;
    }
    Units &operator<<(std::u16string_view text) {
        for (char16_t c : text) units_.push_back(c);
        return *this;
    }
    Units &time(int64_t seconds) {
        const auto bits = static_cast<uint64_t>(seconds);
        for (int shift = 0; shift < 64; shift += 16) units_.push_back(static_cast<uint16_t>(bits >> shift));
        return *this;
    }
    Units &repeat(uint16_t unit, size_t n) {
        units_.insert(units_.end(), n, unit);
        return *this;
    }
    // A stray byte after the last whole unit.
    Units &halfUnit() {
        halfUnit_ = true;
        return *this;
    }
    [[nodiscard]] QByteArray bytes() const {
        QByteArray out;
        for (uint16_t u : units_) {
            out.append(static_cast<char>(u & 0xFF));
            out.append(static_cast<char>(u >> 8));
        }
        if (halfUnit_) out.append('\x01');
        return out;
    }

private:
    std::vector<uint16_t> units_;
    bool halfUnit_ = false;
};

Units header() {
    Units u;
    u << u"VELMORANTE_AIO_ADDRESS_BOOK_1000" << END;
    return u;
}

// Member 7 "Ann" of the golden file, one field per line.
Units &memberAnn(Units &u) {
    return u << 1                      // type
             << 7 << SEP               // id
             << u"Ann" << SEP          // name
             << u"0301" << SEP         // faxNumber
             << u"Acme" << SEP         // company
             << u"Hi" << SEP           // note
             << 1 << SEP;              // commMode, then the time follows
}

Units golden() {
    Units u = header();
    memberAnn(u).time(0x0102030405060708) << SEP << u"R" << SEP << END;
    u << 2 << 9 << SEP << u"Team" << SEP;
    u.time(-1) << SEP << 2 << SEP << 7 << 12 << SEP << END;
    return u;
}

CAbifMyFaxData goldenMember() {
    CAbifMyFaxData r = test::myFax(7, u"Ann");
    abif::writeText(r.faxNumber, sizeof r.faxNumber, u"0301");
    abif::writeText(r.company, sizeof r.company, u"Acme");
    abif::writeText(r.note, sizeof r.note, u"Hi");
    r.commMode = 1;
    r.updatedOn = 0x0102030405060708;
    abif::writeText(r.reservedText, sizeof r.reservedText, u"R");
    return r;
}

CAbifMyFaxGroupData goldenGroup() {
    CAbifMyFaxGroupData r = test::myFaxGroup(9, u"Team", {7, 12});
    r.updatedOn = -1;
    return r;
}

int32_t parse(const QByteArray &bytes, CAbifData &data) {
    CGADFile file({reinterpret_cast<const unsigned char *>(bytes.constData()), static_cast<size_t>(bytes.size())});
    return file.readData(data);
}

QByteArray serialise(const CAbifData &data, int32_t expected = ABIF_OK) {
    CGADFile file;
    EXPECT_EQ(file.writeData(data), expected);
    return file.output();
}

CAbifData containerOf(std::vector<CAbifMyFaxData> members, std::vector<CAbifMyFaxGroupData> groups = {}) {
    CAbifData data;
    data.array<CAbifMyFaxData>().append(members);
    data.array<CAbifMyFaxGroupData>().append(groups);
    return data;
}

// The first byte where two images differ, for a readable failure.
testing::AssertionResult sameBytes(const QByteArray &actual, const QByteArray &expected) {
    const qsizetype n = std::min(actual.size(), expected.size());
    for (qsizetype i = 0; i < n; ++i)
        if (actual[i] != expected[i])
            return testing::AssertionFailure() << "first difference at byte " << i << ": 0x" << std::hex
                                               << int(uint8_t(actual[i])) << " instead of 0x" << int(uint8_t(expected[i]));
    if (actual.size() != expected.size())
        return testing::AssertionFailure() << "size " << actual.size() << " instead of " << expected.size();
    return testing::AssertionSuccess();
}

testing::AssertionResult sameRecord(const auto &actual, const auto &expected) {
    if (std::memcmp(&actual, &expected, sizeof actual) == 0) return testing::AssertionSuccess();
    const auto *a = reinterpret_cast<const unsigned char *>(&actual);
    const auto *e = reinterpret_cast<const unsigned char *>(&expected);
    size_t i = 0;
    while (a[i] == e[i]) ++i;
    return testing::AssertionFailure() << "records differ first at byte offset " << i;
}

TEST(GadFileFormat, readsAHandBuiltFileFieldByField) {
    CAbifData data;
    ASSERT_EQ(parse(golden().bytes(), data), ABIF_OK);
    ASSERT_EQ(data.array<CAbifMyFaxData>().count(), 1);
    ASSERT_EQ(data.array<CAbifMyFaxGroupData>().count(), 1);
    const CAbifMyFaxData &m = data.array<CAbifMyFaxData>().at(0);
    EXPECT_EQ(val(m.id), 7);
    EXPECT_EQ(abif::readText(m.name, sizeof m.name), u"Ann");
    EXPECT_EQ(abif::readText(m.faxNumber, sizeof m.faxNumber), u"0301");
    EXPECT_EQ(abif::readText(m.company, sizeof m.company), u"Acme");
    EXPECT_EQ(abif::readText(m.note, sizeof m.note), u"Hi");
    EXPECT_EQ(val(m.commMode), 1);
    EXPECT_EQ(val(m.updatedOn), 0x0102030405060708);
    EXPECT_EQ(abif::readText(m.reservedText, sizeof m.reservedText), u"R");
    EXPECT_TRUE(sameRecord(m, goldenMember()));
    const CAbifMyFaxGroupData &g = data.array<CAbifMyFaxGroupData>().at(0);
    EXPECT_EQ(val(g.id), 9);
    EXPECT_EQ(abif::readText(g.name, sizeof g.name), u"Team");
    EXPECT_EQ(val(g.updatedOn), -1);
    EXPECT_EQ(val(g.memberCount), 2);
    EXPECT_EQ(val(g.members[0]), 7);
    EXPECT_EQ(val(g.members[1]), 12);
    EXPECT_TRUE(sameRecord(g, goldenGroup()));
}

TEST(GadFileFormat, writesTheHandBuiltFileByteForByte) {
    EXPECT_TRUE(sameBytes(serialise(containerOf({goldenMember()}, {goldenGroup()})), golden().bytes()));
}

TEST(GadFileFormat, emptyBookIsTheHeaderAlone) {
    const QByteArray bytes = serialise(CAbifData{});
    EXPECT_EQ(bytes.size(), 66);
    EXPECT_TRUE(sameBytes(bytes, header().bytes()));
    CAbifData data = containerOf({test::myFax(1, u"stale")});
    EXPECT_EQ(parse(bytes, data), ABIF_OK);
    EXPECT_EQ(data.array<CAbifMyFaxData>().count(), 0);
    EXPECT_TRUE(data.isNormalised());
}

TEST(GadFileFormat, groupWithoutMembersHasTwoSeparatorsInARow) {
    CAbifMyFaxGroupData g = test::myFaxGroup(3, u"G", {});
    g.updatedOn = 5;
    Units expected = header();
    (expected << 2 << 3 << SEP << u"G" << SEP).time(5) << SEP << 0 << SEP << SEP << END;
    EXPECT_TRUE(sameBytes(serialise(containerOf({}, {g})), expected.bytes()));
}

TEST(GadFileFormat, writesMembersThenGroupsInNormalisedOrder) {
    const CAbifData data = containerOf({test::myFax(7, u"B"), test::myFax(2, u"A")},
                                       {test::myFaxGroup(5, u"G", {9, 1}), test::myFaxGroup(4, u"F", {})});
    CAbifData back;
    ASSERT_EQ(parse(serialise(data), back), ABIF_OK);
    const auto &members = back.array<CAbifMyFaxData>();
    const auto &groups = back.array<CAbifMyFaxGroupData>();
    ASSERT_EQ(members.count(), 2);
    ASSERT_EQ(groups.count(), 2);
    EXPECT_EQ(val(members.at(0).id), 2);
    EXPECT_EQ(val(members.at(1).id), 7);
    EXPECT_EQ(val(groups.at(0).id), 4);
    EXPECT_EQ(val(groups.at(1).members[0]), 1);
    EXPECT_EQ(val(groups.at(1).members[1]), 9);
    EXPECT_FALSE(data.isNormalised()) << "the caller's container is left as it was";
}

TEST(GadFileFormat, fullBookWithEveryFieldAtItsMaximumRoundTrips) {
    const CAbifData book = test::fullBook();
    const QByteArray bytes = serialise(book);
    // Member: type, end and 8 one-unit separators, id, commMode, 4 time units
    // and 464 text units; group: 7 + 4 time units, 32 name units, 30 members.
    EXPECT_EQ(bytes.size(), 66 + 500 * 2 * (10 + 6 + 464) + 500 * 2 * (7 + 4 + 1 + 1 + 32 + 30));
    CAbifData back;
    ASSERT_EQ(parse(bytes, back), ABIF_OK);
    EXPECT_TRUE(abif::equalByKinds(back, book, ABIF_KIND_MYFAX));
}

TEST(GadFileFormat, textFilledToTheLastUnitIsCutToItsMaximum) {
    CAbifMyFaxData r = test::myFax(1, u"");
    for (char16_t &unit : r.name) unit = u'N';
    CAbifData back;
    ASSERT_EQ(parse(serialise(containerOf({r})), back), ABIF_OK);
    EXPECT_EQ(abif::readText(back.array<CAbifMyFaxData>().at(0).name, sizeof r.name), std::u16string(32, u'N'));
}

TEST(GadFileFormat, readerKeepsTheLowByteOfTheCommunicationMode) {
    Units u = header();
    (u << 1 << 8 << SEP << SEP << SEP << SEP << SEP << 0x0201 << SEP).time(0) << SEP << SEP << END;
    CAbifData data;
    ASSERT_EQ(parse(u.bytes(), data), ABIF_OK);
    EXPECT_EQ(val(data.array<CAbifMyFaxData>().at(0).commMode), 1);
}

// Member 8 with the given texts and communication mode unit, as a file holds it.
Units memberWith(std::u16string_view name, std::u16string_view note, uint16_t commMode) {
    Units u = header();
    (u << 1 << 8 << SEP << name << SEP << u"0301" << SEP << SEP << note << SEP << commMode << SEP).time(5)
        << SEP << SEP << END;
    return u;
}

TEST(GadFileFormat, bookWithUnitsTheWriterRefusesIsReadAsOneItCanWriteBack) {
    const struct {
        const char *name;
        Units file;
        std::u16string name16, note;
        uint8_t commMode;
    } cases[] = {
        {"endUnitInName", memberWith(u"A\u0004B", u"", 0), u"A B", u"", 0},
        {"zeroInsideNote", memberWith(u"A", std::u16string_view(u"x\0y", 3), 1), u"A", u"x y", 1},
        {"zeroEndingNote", memberWith(u"A", std::u16string_view(u"x\0", 2), 1), u"A", u"x ", 1},
        {"communicationModeTwo", memberWith(u"A", u"", 2), u"A", u"", 0},
        {"communicationModeLowByteOutOfRange", memberWith(u"A", u"", 0x01FF), u"A", u"", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        CAbifData first;
        ASSERT_EQ(parse(c.file.bytes(), first), ABIF_OK);
        ASSERT_EQ(first.array<CAbifMyFaxData>().count(), 1);
        const CAbifMyFaxData &r = first.array<CAbifMyFaxData>().at(0);
        EXPECT_EQ(abif::readText(r.name, sizeof r.name), c.name16);
        EXPECT_EQ(abif::readText(r.note, sizeof r.note), c.note);
        EXPECT_EQ(val(r.commMode), c.commMode);
        CAbifData second;
        ASSERT_EQ(parse(serialise(first), second), ABIF_OK);
        EXPECT_TRUE(abif::equalByKinds(first, second, ABIF_KIND_MYFAX));
    }
}

TEST(GadFileFormat, groupNameWithAnEndUnitIsReadWithASpace) {
    Units u = header();
    (u << 2 << 1 << SEP << u"G\u0004" << SEP).time(0) << SEP << 0 << SEP << SEP << END;
    CAbifData data;
    ASSERT_EQ(parse(u.bytes(), data), ABIF_OK);
    EXPECT_EQ(abif::readText(data.array<CAbifMyFaxGroupData>().at(0).name, 66), u"G ");
}

struct DamagedCase {
    const char *name;
    std::function<Units()> build;
    int32_t result;
    int members;  // records kept
    int groups;
};

// Header and member "Ann", complete.
Units oneMember() {
    Units u = header();
    memberAnn(u).time(1) << SEP << SEP << END;
    return u;
}

const std::vector<DamagedCase> &damagedCases() {
    static const std::vector<DamagedCase> cases = {
        {"emptyInput", [] { return Units{}; }, ABIF_E_FORMAT, 0, 0},
        {"headerOnly", [] { return header(); }, ABIF_OK, 0, 0},
        {"magicWithOneUnitChanged",
         [] { return Units{} << u"VELMORANTE_AIO_ADDRESS_BOOK_1001" << END; }, ABIF_E_FORMAT, 0, 0},
        {"magicWithOneUnitMore",
         [] { return Units{} << u"VELMORANTE_AIO_ADDRESS_BOOK_10000" << END; }, ABIF_E_FORMAT, 0, 0},
        {"endsInsideTheHeader", [] { return Units{} << u"VELMORANTE_AIO"; }, ABIF_E_FORMAT, 0, 0},
        {"headerWithoutEndUnit", [] { return Units{}.repeat(u'V', 300); }, ABIF_E_FORMAT, 0, 0},
        {"endsAfterARecordsEndUnit", [] { return oneMember(); }, ABIF_OK, 1, 0},
        {"typeZeroEndsTheRecords", [] { return oneMember() << 0 << 0x7777 << 5; }, ABIF_OK, 1, 0},
        {"oddTrailingByteIsNoRecord", [] { return oneMember().halfUnit(); }, ABIF_OK, 1, 0},
        {"unknownRecordType", [] { return oneMember() << 5; }, ABIF_E_FORMAT, 1, 0},
        {"nameOfThirtyThreeUnits",
         [] { return (oneMember() << 1 << 8 << SEP).repeat(u'n', 33) << SEP; }, ABIF_E_FORMAT, 1, 0},
        {"nameOfThirtyTwoUnits",
         [] {
             Units u = oneMember();
             (u << 1 << 8 << SEP).repeat(u'n', 32) << SEP << SEP << SEP << SEP << 0 << SEP;
             return u.time(0) << SEP << SEP << END;
         },
         ABIF_OK, 2, 0},
        {"noteOfTwoHundredFiftyFiveUnits",
         [] { return (oneMember() << 1 << 8 << SEP << SEP << SEP << SEP).repeat(u'x', 255) << SEP; },
         ABIF_E_FORMAT, 1, 0},
        {"endsInsideAMember", [] { return oneMember() << 1 << 8 << SEP << u"Bo"; }, ABIF_E_FORMAT, 1, 0},
        {"endsInsideTheTime",
         [] { return oneMember() << 1 << 8 << SEP << SEP << SEP << SEP << SEP << 0 << SEP << 0 << 0; },
         ABIF_E_FORMAT, 1, 0},
        {"idWithoutSeparator", [] { return oneMember() << 1 << 8 << END; }, ABIF_E_FORMAT, 1, 0},
        {"memberWithoutEndUnit",
         [] {
             Units u = oneMember();
             (u << 1 << 8 << SEP << SEP << SEP << SEP << SEP << 0 << SEP).time(0) << SEP << SEP << SEP;
             return u;
         },
         ABIF_E_FORMAT, 1, 0},
        {"memberEndingAfterItsLastSeparator",
         [] {
             Units u = oneMember();
             (u << 1 << 8 << SEP << SEP << SEP << SEP << SEP << 0 << SEP).time(0) << SEP << SEP;
             return u;
         },
         ABIF_E_FORMAT, 1, 0},
        {"endsBeforeTheGroupsMembers",
         [] { return (oneMember() << 2 << 1 << SEP << SEP).time(0) << SEP << 30 << SEP; }, ABIF_E_FORMAT, 1, 0},
        {"groupOfThirtyOneMembers",
         [] {
             Units u = oneMember();
             (u << 2 << 1 << SEP << SEP).time(0) << SEP << 31 << SEP;
             return u.repeat(1, 31) << SEP << END;
         },
         ABIF_E_FORMAT, 1, 0},
        {"groupWithoutSeparatorAfterItsMembers",
         [] {
             Units u = oneMember();
             (u << 2 << 1 << SEP << SEP).time(0) << SEP << 2 << SEP << 5 << 6 << END;
             return u;
         },
         ABIF_E_FORMAT, 1, 0},
        {"groupWithoutEndUnit",
         [] {
             Units u = oneMember();
             (u << 2 << 1 << SEP << SEP).time(0) << SEP << 1 << SEP << 5 << SEP << SEP;
             return u;
         },
         ABIF_E_FORMAT, 1, 0},
        {"groupMembersMayHoldMarkerValues",
         [] {
             Units u = oneMember();
             (u << 2 << 1 << SEP << SEP).time(0) << SEP << 2 << SEP << SEP << END << SEP << END;
             return u;
         },
         ABIF_OK, 1, 1},
    };
    return cases;
}

TEST(GadFileFormat, damagedInputKeepsTheRecordsReadBeforeTheFault) {
    for (const DamagedCase &c : damagedCases()) {
        SCOPED_TRACE(c.name);
        const QByteArray bytes = c.build().bytes();
        CAbifData data = containerOf({test::myFax(1, u"stale")}, {test::myFaxGroup(1, u"stale", {})});
        EXPECT_EQ(parse(bytes, data), c.result);
        EXPECT_EQ(data.array<CAbifMyFaxData>().count(), c.members);
        EXPECT_EQ(data.array<CAbifMyFaxGroupData>().count(), c.groups);
        EXPECT_TRUE(data.isNormalised());
    }
}

TEST(GadFileFormat, recordsBeyondTheLimitStopTheReadKeepingTheFirst) {
    for (const bool groups : {false, true}) {
        SCOPED_TRACE(groups ? "groups" : "members");
        CAbifData big;
        big.array<CAbifMyFaxData>().setLimit(-1);
        big.array<CAbifMyFaxGroupData>().setLimit(-1);
        for (uint16_t id = 501; id >= 1; --id) {
            if (groups) {
                const CAbifMyFaxGroupData g = test::myFaxGroup(id, u"G", {});
                big.array<CAbifMyFaxGroupData>().append({&g, 1});
            } else {
                const CAbifMyFaxData m = test::myFax(id, u"M");
                big.array<CAbifMyFaxData>().append({&m, 1});
            }
        }
        CAbifData data;
        EXPECT_EQ(parse(serialise(big), data), ABIF_E_LIMIT);
        const int kept = groups ? data.array<CAbifMyFaxGroupData>().count() : data.array<CAbifMyFaxData>().count();
        EXPECT_EQ(kept, 500);
        EXPECT_EQ(val(groups ? data.array<CAbifMyFaxGroupData>().at(499).id : data.array<CAbifMyFaxData>().at(499).id),
                  500);
    }
}

TEST(GadFileFormat, writerRefusesRecordsItCouldNotReadBack) {
    auto withText = [](auto setter) {
        CAbifMyFaxData r = test::myFax(1, u"A");
        setter(r);
        return containerOf({r});
    };
    CAbifMyFaxGroupData crowded = test::myFaxGroup(1, u"G", {});
    crowded.memberCount = 31;
    const struct {
        const char *name;
        CAbifData data;
    } cases[] = {
        {"separatorInName", withText([](CAbifMyFaxData &r) { abif::writeText(r.name, sizeof r.name, u"a\u0003b"); })},
        {"endUnitInNote", withText([](CAbifMyFaxData &r) { abif::writeText(r.note, sizeof r.note, u"\u0004"); })},
        {"separatorInReservedText",
         withText([](CAbifMyFaxData &r) { abif::writeText(r.reservedText, sizeof r.reservedText, u"x\u0003"); })},
        {"endUnitInGroupName",
         containerOf({}, {test::myFaxGroup(1, u"G\u0004", {})})},
        {"groupOfThirtyOne", containerOf({}, {crowded})},
        {"communicationModeOutOfRange", withText([](CAbifMyFaxData &r) { r.commMode = 2; })},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        CGADFile file;
        EXPECT_EQ(file.writeData(c.data), ABIF_E_FORMAT);
    }
}

}  // namespace
