// Password encipherment of the machine address data block.
#include "device/xsp_encrypt.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

TEST(XspEncrypt, xorsEachByteWithTheMachineKeyInGroupsOfFour) {
    const Bytes input = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
    Bytes output(6, 0xFF);
    int written = -1;
    ASSERT_EQ(abif::XSPEncrypt(input.data(), 6, output.data(), &written, 6), 0);
    EXPECT_EQ(written, 6);
    EXPECT_EQ(output, (Bytes{0x5B, 0xC1, 0x1D, 0x93, 0x5F, 0xC5}));
}

TEST(XspEncrypt, enciphersInPlaceAndTwiceGivesTheInputBack) {
    Bytes data = {'s', 'e', 'c', 'r', 'e', 't', '!'};
    const Bytes original = data;
    int written = 0;
    ASSERT_EQ(abif::XSPEncrypt(data.data(), 7, data.data(), &written, 7), 0);
    EXPECT_NE(data, original);
    ASSERT_EQ(abif::XSPEncrypt(data.data(), 7, data.data(), &written, 7), 0);
    EXPECT_EQ(data, original);
}

struct BadCall {
    const char *what;
    bool nullInput, nullOutput, nullWritten;
    int length, capacity;
    int result, written;
    friend void PrintTo(const BadCall &c, std::ostream *os) { *os << c.what; }
};

class XspEncryptRefuses : public testing::TestWithParam<BadCall> {};

TEST_P(XspEncryptRefuses, withItsCodeAndEnciphersOnlyWholeGroupsThatFit) {
    const BadCall c = GetParam();
    const Bytes input(16, 0x00);
    Bytes output(16, 0xFF);
    int written = -1;
    const int result = abif::XSPEncrypt(c.nullInput ? nullptr : input.data(), c.length,
                                        c.nullOutput ? nullptr : output.data(), c.nullWritten ? nullptr : &written,
                                        c.capacity);
    EXPECT_EQ(result, c.result);
    if (c.nullWritten) return;
    EXPECT_EQ(written, c.written);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(output[static_cast<size_t>(i)] != 0xFF, i < c.written) << "byte " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XspEncryptRefuses,
    testing::Values(BadCall{"nullInput", true, false, false, 4, 4, -1, -1},
                    BadCall{"nullOutput", false, true, false, 4, 4, -1, -1},
                    BadCall{"nullWritten", false, false, true, 4, 4, -1, 0},
                    BadCall{"zeroLength", false, false, false, 0, 4, -2, 0},
                    BadCall{"negativeCapacity", false, false, false, 4, -1, -2, 0},
                    BadCall{"capacityOneShort", false, false, false, 14, 13, -3, 12},
                    BadCall{"capacityWithinFirstGroup", false, false, false, 6, 3, -3, 0},
                    BadCall{"capacityInSecondGroup", false, false, false, 6, 5, -3, 4}),
    [](const auto &info) { return std::string(info.param.what); });

}  // namespace
