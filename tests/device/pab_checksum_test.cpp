// Checksum of machine address data blocks.
#include "device/pab_checksum.h"

#include "abiflink.h"
#include "core/result_name.h"
#include "support/block_bytes.h"

#include <gtest/gtest.h>

namespace {

using test::Bytes;
using test::operator+;

// A long header followed by two words, 0x0102 + 0xFF04 = 0x10006.
Bytes blockWithBody() { return test::longHeader(1, 1) + Bytes{0x01, 0x02, 0xFF, 0x04}; }

TEST(PabChecksum, storesTheWordSumAfterTheHeaderAndSetsTheFlag) {
    Bytes block = blockWithBody();
    Bytes expected = block;
    expected[3] = 1;
    expected[20] = 0x00, expected[21] = 0x01, expected[22] = 0x00, expected[23] = 0x06;
    abif::pab::addBlockChecksum(block.data(), block.size());
    EXPECT_EQ(block, expected);
}

TEST(PabChecksum, leavesBlocksWithoutAnEvenBodyUnchanged) {
    for (Bytes block : {test::longHeader(0, 1), test::longHeader(1, 1) + Bytes{0x01},
                        test::longHeader(1, 1) + Bytes{0x01, 0x02, 0x03}}) {
        const Bytes before = block;
        abif::pab::addBlockChecksum(block.data(), block.size());
        EXPECT_EQ(block, before) << block.size();
    }
}

struct Verification {
    const char *what;
    Bytes block;
    int32_t result;
    friend void PrintTo(const Verification &c, std::ostream *os) { *os << c.what; }
};

Bytes withChecksum(Bytes block, uint8_t flag, uint32_t sum) {
    block[3] = flag;
    block[20] = static_cast<uint8_t>(sum >> 24), block[21] = static_cast<uint8_t>(sum >> 16);
    block[22] = static_cast<uint8_t>(sum >> 8), block[23] = static_cast<uint8_t>(sum);
    return block;
}

class PabChecksumVerify : public testing::TestWithParam<Verification> {};

TEST_P(PabChecksumVerify, answers) {
    const Verification &v = GetParam();
    EXPECT_EQ(abif::pab::verifyBlockChecksum(v.block.data(), v.block.size()), v.result)
        << abif::resultName(abif::pab::verifyBlockChecksum(v.block.data(), v.block.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PabChecksumVerify,
    testing::Values(Verification{"matchingSum", withChecksum(blockWithBody(), 1, 0x10006), ABIF_OK},
                    Verification{"sumOffByOne", withChecksum(blockWithBody(), 1, 0x10007), ABIF_E_CHECKSUM},
                    Verification{"flagClearedWrongSumUnchecked", withChecksum(blockWithBody(), 0, 0x1234), ABIF_OK},
                    Verification{"flagSetNoBody", withChecksum(test::longHeader(0, 1), 1, 0), ABIF_E_CHECKSUM},
                    Verification{"flagSetOddBody", withChecksum(blockWithBody() + Bytes{0}, 1, 0x10006),
                                 ABIF_E_CHECKSUM},
                    Verification{"tooShortForTheFlag", Bytes{0, 1, 0x80}, ABIF_E_RESPONSE},
                    Verification{"flagSetHeaderCut", Bytes{0, 1, 0x80, 1, 0, 1}, ABIF_E_CHECKSUM}),
    [](const auto &info) { return std::string(info.param.what); });

TEST(PabChecksum, addedChecksumVerifies) {
    Bytes block = test::longHeader(2, 1) + test::faxRecord(7, "Name", "0123456789");
    abif::pab::addBlockChecksum(block.data(), block.size());
    EXPECT_EQ(abif::pab::verifyBlockChecksum(block.data(), block.size()), ABIF_OK);
    block.back() ^= 1;
    EXPECT_EQ(abif::pab::verifyBlockChecksum(block.data(), block.size()), ABIF_E_CHECKSUM);
}

}  // namespace
