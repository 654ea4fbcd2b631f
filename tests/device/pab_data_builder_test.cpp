// Builders of machine address data blocks against blocks written out by hand.
#include "device/pab_data.h"

#include "core/result_name.h"
#include "device/xsp_encrypt.h"
#include "support/block_bytes.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using test::Bytes;
using test::operator+;
using test::be16;
using test::section;
using test::zeros;

// Reports the first differing byte, which a block-sized dump would hide.
testing::AssertionResult sameBytes(const Bytes &actual, const Bytes &expected) {
    for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i)
        if (actual[i] != expected[i])
            return testing::AssertionFailure() << "byte " << i << ": " << int(actual[i]) << ", expected "
                                               << int(expected[i]);
    if (actual.size() != expected.size())
        return testing::AssertionFailure() << actual.size() << " bytes, expected " << expected.size();
    return testing::AssertionSuccess();
}

TEST(PabDataBuilder, passwordCheckRequestWithTheEmptyPassword) {
    abif::CPabData block;
    ASSERT_EQ(block.makePasswordCheckRequest(u""), ABIF_OK);
    const Bytes expected = Bytes{0x00, 0x01, 0x80, 0x00, 0x00, 0x01} + test::emptyPassword + zeros(4) +
                           Bytes{0x00, 0x03, 0x00, 0x00, 0x00, 0x00};
    EXPECT_TRUE(sameBytes(block.bytes(), expected));
}

TEST(PabDataBuilder, passwordIsEncipheredWithItsTerminator) {
    abif::CPabData block;
    ASSERT_EQ(block.makePasswordCheckRequest(u"Pw1"), ABIF_OK);
    // "Pw1" 00 ... XOR 5A C3 1E 97.
    const Bytes password = {0x0A, 0xB4, 0x2F, 0x97, 0x5A, 0xC3, 0x1E, 0x97, 0x5A, 0xC3, 0x1E, 0x97, 0x5A, 0xC3};
    EXPECT_TRUE(sameBytes(block.bytes(), test::longHeader(1, 1, password) + section(0, 3, 0, 0)));
}

// The 14-byte area after deciphering: the password's UTF-8, cut at a character.
class PasswordArea : public testing::TestWithParam<std::pair<std::u16string, std::string>> {};

TEST_P(PasswordArea, holdsTheUtf8CutToFourteenBytes) {
    abif::CPabData block;
    ASSERT_EQ(block.makePasswordCheckRequest(GetParam().first), ABIF_OK);
    Bytes area(14);
    int written = 0;
    ASSERT_EQ(abif::XSPEncrypt(block.bytes().data() + 6, 14, area.data(), &written, 14), 0);
    EXPECT_EQ(area, test::field(GetParam().second, 14));
}

INSTANTIATE_TEST_SUITE_P(Cases, PasswordArea,
                         testing::Values(std::pair{std::u16string(u"ABCDEFGHIJKLMN"), std::string("ABCDEFGHIJKLMN")},
                                         std::pair{std::u16string(u"ABCDEFGHIJKLMNO"), std::string("ABCDEFGHIJKLMN")},
                                         std::pair{std::u16string(u"a\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"),
                                                   std::string("a\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9")}));

TEST(PabDataBuilder, capacityRequestAsksForBothInformationSections) {
    abif::CPabData block;
    ASSERT_EQ(block.makeCapacityRequest(u""), ABIF_OK);
    EXPECT_TRUE(sameBytes(block.bytes(), test::longHeader(2, 1) + section(0, 3, 0, 0) + section(0, 4, 0, 0)));
    EXPECT_EQ(block.bytes().size(), 36u);
}

TEST(PabDataBuilder, readRequestAsksForEverySlotFromOne) {
    abif::CPabData block;
    ASSERT_EQ(block.makeReadRequest({99, 6}, u""), ABIF_OK);
    EXPECT_TRUE(sameBytes(block.bytes(), test::longHeader(2, 1) + Bytes{0x01, 0x03, 0x00, 0x01, 0x00, 0x63} +
                                             Bytes{0x01, 0x04, 0x00, 0x01, 0x00, 0x06}));
}

TEST(PabDataBuilder, updateRequestClearsUnusedSlotsAndStoresEntriesInContainerOrder) {
    CAbifData data;
    const CAbifFaxData faxes[] = {test::fax(5, u"B\u00e9", u"3"), test::fax(2, u"Al", u"12")};
    const CAbifFaxGroupData group = test::faxGroup(1, u"G", {5, 2});
    data.array<CAbifFaxData>().append(faxes);
    data.array<CAbifFaxGroupData>().append({&group, 1});

    abif::CPabData block;
    ASSERT_EQ(block.makeUpdateRequest({6, 3}, data, u""), ABIF_OK);
    const Bytes expected = test::longHeader(4, 1) +                                  //
                           section(2, 3, 0, 4) + be16(1) + be16(3) + be16(4) + be16(6) +  //
                           section(2, 4, 0, 2) + be16(2) + be16(3) +                 //
                           section(1, 3, 0, 2) +                                     //
                           be16(5) + test::field("B\xc3\xa9", 34) + test::field("3", 51) + zeros(3) +
                           be16(2) + test::field("Al", 34) + test::field("12", 51) + zeros(3) +  //
                           section(1, 4, 0, 1) + be16(1) + test::field("G", 34) + be16(2) + be16(5) + be16(2);
    EXPECT_TRUE(sameBytes(block.bytes(), expected));
}

TEST(PabDataBuilder, updateRequestOfAnEmptyBookClearsEverySlot) {
    abif::CPabData block;
    ASSERT_EQ(block.makeUpdateRequest({3, 1}, CAbifData{}, u""), ABIF_OK);
    EXPECT_TRUE(sameBytes(block.bytes(), test::longHeader(4, 1) + section(2, 3, 0, 3) + be16(1) + be16(2) + be16(3) +
                                             section(2, 4, 0, 1) + be16(1) + section(1, 3, 0, 0) +
                                             section(1, 4, 0, 0)));
}

struct DeleteListCase {
    const char *what;
    uint16_t capacity;
    std::vector<uint16_t> ids;
    std::vector<uint16_t> cleared;
    friend void PrintTo(const DeleteListCase &c, std::ostream *os) { *os << c.what; }
};

class FaxDeleteList : public testing::TestWithParam<DeleteListCase> {};

TEST_P(FaxDeleteList, holdsEverySlotNoEntryUses) {
    const DeleteListCase &c = GetParam();
    CAbifData data;
    for (uint16_t id : c.ids) {
        const CAbifFaxData r = test::fax(id, u"N");
        data.array<CAbifFaxData>().append({&r, 1});
    }
    abif::CPabData block;
    ASSERT_EQ(block.makeClearingBlock({c.capacity, 0}, data, 0, u""), ABIF_OK);
    Bytes list = section(2, 3, 0, static_cast<uint16_t>(c.cleared.size()));
    for (uint16_t id : c.cleared) list = list + be16(id);
    EXPECT_TRUE(sameBytes(block.bytes(), test::longHeader(2, 0) + list + section(2, 4, 0, 0)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FaxDeleteList,
    testing::Values(DeleteListCase{"emptyBook", 3, {}, {1, 2, 3}},
                    DeleteListCase{"gapsAndTail", 6, {2, 5}, {1, 3, 4, 6}},
                    DeleteListCase{"everySlotUsed", 3, {1, 2, 3}, {}},
                    DeleteListCase{"noSlots", 0, {}, {}},
                    DeleteListCase{"unsortedAndOutsideTheSlots", 4, {5, 2, 0}, {1, 3, 4}},
                    DeleteListCase{"sharedSlot", 3, {2, 2}, {1, 3}}),
    [](const auto &info) { return std::string(info.param.what); });

TEST(PabDataBuilder, entriesBlockCarriesTheGivenHeaderValues) {
    CAbifData data;
    const CAbifFaxData fax = test::fax(9, u"X", u"1");
    data.array<CAbifFaxData>().append({&fax, 1});
    abif::CPabData block;
    ASSERT_EQ(block.makeEntriesBlock(data, 0, u""), ABIF_OK);
    EXPECT_TRUE(sameBytes(block.bytes(), test::longHeader(2, 0) + section(1, 3, 0, 1) + test::faxRecord(9, "X", "1") +
                                             section(1, 4, 0, 0)));
}

// Texts whose UTF-8 form is too long for the field are cut before a character.
struct TextCut {
    const char *what;
    std::u16string name, number;
    std::string nameOnWire, numberOnWire;
    friend void PrintTo(const TextCut &c, std::ostream *os) { *os << c.what; }
};

class PabDataTextCut : public testing::TestWithParam<TextCut> {};

TEST_P(PabDataTextCut, keepsWholeCharactersOnly) {
    const TextCut &c = GetParam();
    CAbifData data;
    const CAbifFaxData fax = test::fax(1, c.name, c.number);
    data.array<CAbifFaxData>().append({&fax, 1});
    abif::CPabData block;
    ASSERT_EQ(block.makeEntriesBlock(data, 0, u""), ABIF_OK);
    EXPECT_TRUE(sameBytes(block.bytes(), test::longHeader(2, 0) + section(1, 3, 0, 1) +
                                             test::faxRecord(1, c.nameOnWire, c.numberOnWire) + section(1, 4, 0, 0)));
}

std::string repeated(std::string_view s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

const std::u16string a30(30, u'a');
const std::string a30u8(30, 'a');

const TextCut textCuts[] = {
    {"nameOf32BytesFits", a30 + u"\u00e9", u"1", a30u8 + "\xc3\xa9", "1"},
    {"twoByteCharacterOverTheEdge", a30 + u"a\u00e9", u"1", a30u8 + "a", "1"},
    {"threeByteCharacters", std::u16string(11, u'\u6f22'), u"1", repeated("\xe6\xbc\xa2", 10), "1"},
    {"surrogatePairOverTheEdge", std::u16string(29, u'a') + u"\U0001F600", u"1", std::string(29, 'a'), "1"},
    {"numberOf50BytesFits", u"n", std::u16string(48, u'1') + u"\u00e9", "n", std::string(48, '1') + "\xc3\xa9"},
    {"numberOver50Bytes", u"n", std::u16string(49, u'1') + u"\u00e9", "n", std::string(49, '1')},
};

INSTANTIATE_TEST_SUITE_P(Cases, PabDataTextCut, testing::ValuesIn(textCuts),
                         [](const auto &info) { return std::string(info.param.what); });

TEST(PabDataBuilder, refusesAGroupCountingMoreMembersThanItHolds) {
    CAbifData data;
    CAbifFaxGroupData group = test::faxGroup(1, u"G", {1});
    group.memberCount = 100;
    data.array<CAbifFaxGroupData>().append({&group, 1});
    abif::CPabData block;
    EXPECT_EQ(block.makeEntriesBlock(data, 0, u""), ABIF_E_INDEX);
}

}  // namespace
