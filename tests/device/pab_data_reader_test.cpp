// Readers of machine address data blocks, on blocks written out by hand and
// on hostile ones.
#include "device/pab_data.h"

#include "core/result_name.h"
#include "support/block_bytes.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>

namespace {

using test::Bytes;
using test::operator+;
using test::be16;
using test::section;
using test::zeros;

const char *name(int32_t code) { return abif::resultName(code); }

std::u16string nameOf(const CAbifFaxData &r) { return abif::readText(r.name, sizeof r.name); }
std::u16string numberOf(const CAbifFaxData &r) { return abif::readText(r.faxNumber, sizeof r.faxNumber); }

Bytes capacityResponse(uint16_t fax, uint16_t group) {
    // Bytes 2-5 and 8-9 of an information section carry nothing we read.
    return test::longHeader(2, 1) + Bytes{0, 3, 0xAA, 0xAA, 0xAA, 0xAA} + be16(fax) + Bytes{0xBB, 0xBB} +
           Bytes{0, 4, 0xAA, 0xAA, 0xAA, 0xAA} + be16(group) + Bytes{0xBB, 0xBB};
}

Bytes readResponse() {
    return test::longHeader(2, 1) + section(1, 3, 1, 2) + test::faxRecord(1, "Ann", "0123") +
           test::faxRecord(2, "J\xc3\xbcrgen \xf0\x9f\x98\x80", "+49 30 1") + section(1, 4, 1, 1) +
           test::groupRecord(1, "Team", {2, 1});
}

TEST(PabDataReader, capacityResponseGivesBothCapacities) {
    const Bytes longForm = capacityResponse(99, 6);
    const Bytes shortForm = test::shortHeader(2) + Bytes(longForm.begin() + 24, longForm.end());
    for (const Bytes &block : {longForm, shortForm}) {
        abif::PabCapacity capacity;
        ASSERT_EQ(abif::readCapacityResponse(block.data(), block.size(), capacity), ABIF_OK);
        EXPECT_EQ(capacity, (abif::PabCapacity{99, 6}));
    }
}

struct Misshapen {
    const char *what;
    size_t offset;
    uint8_t value;
    friend void PrintTo(const Misshapen &c, std::ostream *os) { *os << c.what; }
};

class CapacityResponseRefuses : public testing::TestWithParam<Misshapen> {};

TEST_P(CapacityResponseRefuses, aMisshapenBlock) {
    Bytes block = capacityResponse(99, 6);
    block[GetParam().offset] = GetParam().value;
    abif::PabCapacity capacity{1, 1};
    EXPECT_EQ(abif::readCapacityResponse(block.data(), block.size(), capacity), ABIF_E_RESPONSE);
}

INSTANTIATE_TEST_SUITE_P(Cases, CapacityResponseRefuses,
                         testing::Values(Misshapen{"oneSection", 1, 1}, Misshapen{"threeSections", 1, 3},
                                         Misshapen{"firstIsRecords", 24, 1}, Misshapen{"firstIsGroups", 25, 4},
                                         Misshapen{"secondIsFaxes", 35, 3}, Misshapen{"secondIsDeleteList", 34, 2}),
                         [](const auto &info) { return std::string(info.param.what); });

TEST(PabDataReader, readResponseAddsFaxAndGroupRecordsDecodingUtf8) {
    const Bytes block = readResponse();
    CAbifData data;
    ASSERT_EQ(abif::readReadResponse(block.data(), block.size(), data), ABIF_OK);
    const auto &faxes = data.array<CAbifFaxData>();
    ASSERT_EQ(faxes.count(), 2);
    EXPECT_EQ(faxes.at(0).id, 1);
    EXPECT_EQ(nameOf(faxes.at(0)), u"Ann");
    EXPECT_EQ(numberOf(faxes.at(0)), u"0123");
    EXPECT_EQ(nameOf(faxes.at(1)), u"J\u00fcrgen \U0001F600");
    EXPECT_EQ(numberOf(faxes.at(1)), u"+49 30 1");
    ASSERT_EQ(data.array<CAbifFaxGroupData>().count(), 1);
    const CAbifFaxGroupData expected = test::faxGroup(1, u"Team", {2, 1});
    EXPECT_EQ(std::memcmp(&data.array<CAbifFaxGroupData>().at(0), &expected, sizeof expected), 0);
}

class ReadResponseRefuses : public testing::TestWithParam<Misshapen> {};

TEST_P(ReadResponseRefuses, aMisshapenBlock) {
    Bytes block = readResponse();
    block[GetParam().offset] = GetParam().value;
    CAbifData data;
    EXPECT_EQ(abif::readReadResponse(block.data(), block.size(), data), ABIF_E_RESPONSE);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadResponseRefuses,
                         testing::Values(Misshapen{"oneSection", 1, 1}, Misshapen{"firstIsInformation", 24, 0},
                                         Misshapen{"firstIsGroups", 25, 4}, Misshapen{"secondIsFaxes", 24 + 6 + 180 + 1, 3},
                                         Misshapen{"secondIsDeleteList", 24 + 6 + 180, 2}),
                         [](const auto &info) { return std::string(info.param.what); });

// n members, 1..n, in a read response and in a general block.
Bytes groupOf(uint16_t n) {
    Bytes b = be16(1) + test::field("Big", 34) + be16(n);
    for (uint16_t m = 1; m <= n; ++m) b = b + be16(m);
    return b;
}

TEST(PabDataReader, groupOf99MembersReadsAnd100IsRefused) {
    for (const auto &[n, response, general] :
         {std::tuple{99, ABIF_OK, ABIF_OK}, std::tuple{100, ABIF_E_RESPONSE, ABIF_E_FORMAT}}) {
        const Bytes block = test::longHeader(2, 1) + section(1, 3, 1, 0) + section(1, 4, 1, 1) +
                            groupOf(static_cast<uint16_t>(n));
        CAbifData fromMachine, fromBackup;
        EXPECT_EQ(abif::readReadResponse(block.data(), block.size(), fromMachine), response) << n;
        EXPECT_EQ(abif::readPabBlock(block.data(), block.size(), fromBackup), general) << n;
        if (response == ABIF_OK) {
            const CAbifFaxGroupData &g = fromMachine.array<CAbifFaxGroupData>().at(0);
            EXPECT_EQ(g.memberCount, 99);
            EXPECT_EQ(g.members[98], 99);
        } else {
            EXPECT_EQ(fromMachine.array<CAbifFaxGroupData>().count(), 0);
        }
    }
}

TEST(PabDataReader, containerRefusalEndsTheReadKeepingEarlierRecords) {
    const Bytes block = readResponse();
    CAbifData data;
    data.array<CAbifFaxData>().setLimit(1);
    EXPECT_EQ(abif::readReadResponse(block.data(), block.size(), data), ABIF_E_LIMIT);
    ASSERT_EQ(data.array<CAbifFaxData>().count(), 1);
    EXPECT_EQ(data.array<CAbifFaxData>().at(0).id, 1);
    EXPECT_EQ(data.array<CAbifFaxGroupData>().count(), 0);
}

TEST(PabDataReader, generalReaderStepsEightyEightBytesAfterAShortHeader) {
    const Bytes block = test::shortHeader(2) + section(1, 3, 0, 2) + test::faxRecord(4, "Four", "4", 88) +
                        test::faxRecord(5, "Five", "5", 88) + section(1, 4, 0, 1) + test::groupRecord(2, "G", {4, 5});
    CAbifData data;
    ASSERT_EQ(abif::readPabBlock(block.data(), block.size(), data), ABIF_OK);
    ASSERT_EQ(data.array<CAbifFaxData>().count(), 2);
    EXPECT_EQ(data.array<CAbifFaxData>().at(1).id, 5);
    EXPECT_EQ(nameOf(data.array<CAbifFaxData>().at(1)), u"Five");
    ASSERT_EQ(data.array<CAbifFaxGroupData>().count(), 1);
    EXPECT_EQ(data.array<CAbifFaxGroupData>().at(0).id, 2);
}

TEST(PabDataReader, generalReaderSkipsInformationDeleteListsAndUnknownKinds) {
    const Bytes block = test::longHeader(5, 0) + section(0, 3, 0, 0) + Bytes{0, 99, 0, 0} +
                        section(2, 4, 0, 2) + be16(3) + be16(4) + section(7, 9, 0xFFFF, 0xFFFF) +
                        section(2, 3, 0, 1) + be16(1) + section(1, 3, 0, 1) + test::faxRecord(8, "Eight", "8") +
                        zeros(40);  // slack after the last section is not read
    CAbifData data;
    ASSERT_EQ(abif::readPabBlock(block.data(), block.size(), data), ABIF_OK);
    ASSERT_EQ(data.array<CAbifFaxData>().count(), 1);
    EXPECT_EQ(data.array<CAbifFaxData>().at(0).id, 8);
}

TEST(PabDataReader, generalReaderFailsOnRecordsOrIdsOfAnUnknownType) {
    for (uint8_t kind : {1, 2}) {
        const Bytes block = test::longHeader(2, 0) + section(1, 3, 0, 1) + test::faxRecord(1, "A", "1") +
                            section(kind, 5, 0, 0);
        CAbifData data;
        EXPECT_EQ(abif::readPabBlock(block.data(), block.size(), data), ABIF_E_FAIL) << int(kind);
        EXPECT_EQ(data.array<CAbifFaxData>().count(), 1) << int(kind);
    }
}

TEST(PabDataReader, roundTripThroughTheUpdateRequestKeepsEveryEntry) {
    CAbifData source;
    const CAbifFaxData faxes[] = {test::fax(1, u"\u5c71\u7530 \u592a\u90ce", u"03-1234-5678"),
                                  test::fax(99, u"\U0001F4E0 Fax", u"+1 (555) 010")};
    const CAbifFaxGroupData groups[] = {test::faxGroup(1, u"All", {1, 99}), test::faxGroup(6, u"None", {})};
    source.array<CAbifFaxData>().append(faxes);
    source.array<CAbifFaxGroupData>().append(groups);
    abif::CPabData block;
    ASSERT_EQ(block.makeUpdateRequest({99, 6}, source, u"secret"), ABIF_OK);
    CAbifData read;
    ASSERT_EQ(abif::readPabBlock(block.bytes().data(), block.bytes().size(), read), ABIF_OK);
    read.normalise();
    source.normalise();
    EXPECT_TRUE(abif::equalByKinds(source, read, ABIF_KIND_FAX));
}

// Readers under test, each with the code it gives for a malformed block.
struct Reader {
    const char *what;
    std::function<int32_t(const uint8_t *, size_t, CAbifData &)> read;
    int32_t malformed;
    Bytes valid;
};

const Reader readers[] = {
    {"capacity",
     [](const uint8_t *p, size_t n, CAbifData &) {
         abif::PabCapacity c;
         return abif::readCapacityResponse(p, n, c);
     },
     ABIF_E_RESPONSE, capacityResponse(99, 6)},
    {"response", abif::readReadResponse, ABIF_E_RESPONSE, readResponse()},
    {"general", abif::readPabBlock, ABIF_E_FORMAT,
     test::shortHeader(4) + section(2, 3, 0, 2) + be16(1) + be16(2) + section(0, 4, 0, 0) + zeros(4) +
         section(1, 3, 0, 1) + test::faxRecord(3, "C", "3", 88) + section(1, 4, 0, 1) + test::groupRecord(1, "G", {3})},
};

// An exact-size heap copy, so that a read past the end is caught.
int32_t readCopy(const Reader &reader, const Bytes &bytes, CAbifData &data) {
    const auto copy = std::make_unique<uint8_t[]>(std::max<size_t>(bytes.size(), 1));
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return reader.read(bytes.empty() ? nullptr : copy.get(), bytes.size(), data);
}

TEST(PabDataReader, everyReaderRefusesABlockTruncatedAtAnyOffset) {
    for (const Reader &reader : readers) {
        CAbifData whole;
        ASSERT_EQ(readCopy(reader, reader.valid, whole), ABIF_OK) << reader.what;
        for (size_t length = 0; length < reader.valid.size(); ++length) {
            CAbifData data;
            const int32_t result = readCopy(reader, Bytes(reader.valid.begin(), reader.valid.begin() + length), data);
            ASSERT_EQ(result, reader.malformed) << reader.what << " cut at " << length << ": " << name(result);
        }
    }
}

TEST(PabDataReader, everyReaderSurvivesRandomCorruption) {
    std::mt19937 random(20261209);
    for (const Reader &reader : readers) {
        for (int round = 0; round < 3000; ++round) {
            Bytes block = reader.valid;
            const int flips = 1 + static_cast<int>(random() % 4);
            for (int f = 0; f < flips; ++f) block[random() % block.size()] = static_cast<uint8_t>(random());
            CAbifData data;
            const int32_t result = readCopy(reader, block, data);
            EXPECT_TRUE(result == ABIF_OK || result == reader.malformed || result == ABIF_E_FAIL ||
                        result == ABIF_E_LIMIT)
                << reader.what << ": " << name(result);
            for (const CAbifFaxGroupData &g : data.array<CAbifFaxGroupData>().records())
                ASSERT_LE(g.memberCount, 99) << reader.what;
        }
    }
}

}  // namespace
