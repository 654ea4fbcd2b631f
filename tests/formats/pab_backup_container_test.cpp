// The container inside a backup file's body.
#include "formats/pab_backup_container.h"

#include "core/result_name.h"
#include "formats/backup_bytes.h"
#include "support/records.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace {

using test::Bytes;
using test::operator+;
using test::be32;

uint32_t u32At(const Bytes &b, size_t offset) { return test::sum32(Bytes(b.begin() + offset, b.begin() + offset + 4), 4); }

CAbifData book(int faxes, std::initializer_list<uint16_t> groupMembers) {
    CAbifData data;
    for (int i = 1; i <= faxes; ++i) {
        const CAbifFaxData r = test::fax(static_cast<uint16_t>(i), u"Name", u"0123");
        data.array<CAbifFaxData>().append({&r, 1});
    }
    const CAbifFaxGroupData g = test::faxGroup(1, u"Group", groupMembers);
    data.array<CAbifFaxGroupData>().append({&g, 1});
    return data;
}

TEST(BackupContainer, emptyBookClearsEverySlotAndPadsTo312Bytes) {
    Bytes container;
    ASSERT_EQ(abif::backup::makeContainer(CAbifData{}, container), ABIF_OK);
    EXPECT_EQ(container, test::emptyBookContainer());
    EXPECT_EQ(container.size(), 312u);
}

struct EntriesSize {
    const char *what;
    int faxes;
    std::initializer_list<uint16_t> members;
    uint32_t recorded, content;
    friend void PrintTo(const EntriesSize &c, std::ostream *os) { *os << c.what; }
};

class BackupEntriesBlock : public testing::TestWithParam<EntriesSize> {};

TEST_P(BackupEntriesBlock, isRecordedWithRoomForItsContent) {
    const EntriesSize &c = GetParam();
    const CAbifData data = book(c.faxes, c.members);
    Bytes container;
    ASSERT_EQ(abif::backup::makeContainer(data, container), ABIF_OK);
    const uint32_t clearing = u32At(container, 16);
    EXPECT_EQ(clearing, 36u + 2 * (99 - c.faxes) + 2 * 5);
    EXPECT_EQ(u32At(container, 20), c.recorded);
    EXPECT_EQ(container.size(), (24 + clearing + c.recorded + 7) / 8 * 8);
    const size_t slack = 24 + clearing + c.content;
    EXPECT_TRUE(std::all_of(container.begin() + static_cast<ptrdiff_t>(slack), container.end(), [](uint8_t b) { return b == 0; }));

    CAbifData read;
    ASSERT_EQ(abif::backup::readContainer(container.data(), container.size(), read), ABIF_OK);
    EXPECT_TRUE(abif::equalByKinds(data, read, ABIF_KIND_FAX));
}

INSTANTIATE_TEST_SUITE_P(Cases, BackupEntriesBlock,
                         testing::Values(EntriesSize{"groupOfAllFaxes", 2, {1, 2}, 258, 258},
                                         EntriesSize{"groupOfFewerLeavesZeroSlack", 2, {1}, 258, 256},
                                         EntriesSize{"groupOfMoreThanTheFaxesSizedByContent", 2, {1, 2, 3}, 260, 260}),
                         [](const auto &info) { return std::string(info.param.what); });

// An exact-size heap copy, so that a read past the end is caught.
int32_t readCopy(const Bytes &bytes, CAbifData &data) {
    const auto copy = std::make_unique<uint8_t[]>(std::max<size_t>(bytes.size(), 1));
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return abif::backup::readContainer(copy.get(), bytes.size(), data);
}

struct Hostile {
    const char *what;
    Bytes container;
    int32_t result;
    friend void PrintTo(const Hostile &c, std::ostream *os) { *os << c.what; }
};

Bytes withU32(Bytes b, size_t offset, uint32_t v) {
    const Bytes value = be32(v);
    std::copy(value.begin(), value.end(), b.begin() + static_cast<ptrdiff_t>(offset));
    return b;
}

const Bytes valid = test::emptyBookContainer();

class BackupContainerRefuses : public testing::TestWithParam<Hostile> {};

TEST_P(BackupContainerRefuses, aHostileContainer) {
    CAbifData data;
    const int32_t result = readCopy(GetParam().container, data);
    EXPECT_EQ(result, GetParam().result) << abif::resultName(result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BackupContainerRefuses,
    testing::Values(Hostile{"shorterThan16", Bytes(valid.begin(), valid.begin() + 15), ABIF_E_FORMAT},
                    Hostile{"version2", withU32(valid, 0, 2), ABIF_E_FORMAT},
                    Hostile{"headLongerThanBody", withU32(valid, 4, 313), ABIF_E_FORMAT},
                    Hostile{"noBlocks", withU32(withU32(valid, 8, 0), 4, 16), ABIF_E_FORMAT},
                    Hostile{"headNotMatchingCount", withU32(valid, 8, 3), ABIF_E_FORMAT},
                    Hostile{"blocksOverrunTheBody", withU32(valid, 20, 43), ABIF_E_FORMAT},
                    Hostile{"blockSizesWrapAround", withU32(withU32(valid, 16, 0xFFFFFFFF), 20, 0xFFFFFFFF), ABIF_E_FORMAT},
                    Hostile{"recordsOfUnknownType", withU32(valid, 24 + 246 + 24, 0x01050000), ABIF_E_FAIL}),
    [](const auto &info) { return std::string(info.param.what); });

TEST(BackupContainer, truncatedContentIsRefusedAtEveryOffset) {
    Bytes container;
    ASSERT_EQ(abif::backup::makeContainer(book(2, {1, 2}), container), ABIF_OK);
    const size_t content = 24 + u32At(container, 16) + u32At(container, 20);
    for (size_t length = 0; length < content; ++length) {
        CAbifData data;
        ASSERT_EQ(readCopy(Bytes(container.begin(), container.begin() + static_cast<ptrdiff_t>(length)), data), ABIF_E_FORMAT)
            << "cut at " << length;
    }
}

TEST(BackupContainer, survivesRandomCorruption) {
    Bytes container;
    ASSERT_EQ(abif::backup::makeContainer(book(3, {1, 3}), container), ABIF_OK);
    std::mt19937 random(42);
    for (int round = 0; round < 3000; ++round) {
        Bytes bytes = container;
        for (int f = 0; f < 3; ++f) bytes[random() % bytes.size()] = static_cast<uint8_t>(random());
        CAbifData data;
        const int32_t result = readCopy(bytes, data);
        EXPECT_TRUE(result == ABIF_OK || result == ABIF_E_FORMAT || result == ABIF_E_FAIL || result == ABIF_E_LIMIT)
            << abif::resultName(result);
    }
}

}  // namespace
