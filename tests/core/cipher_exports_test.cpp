// The block cipher as callers see it: Abif_Encode and Abif_Decode.
#include "abiflink.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes key = {'k', 'e', 'y', '-', '1'};

TEST(CipherExports, zeroKeyVectorComesOutWithLittleEndianHalves) {
    const Bytes zeros(8, 0);
    Bytes out(8);
    ASSERT_EQ(Abif_Encode(zeros.data(), 8, out.data(), zeros.data(), 8), 8);
    // 4EF99745 6198DD78, each half stored least significant byte first.
    EXPECT_EQ(out, (Bytes{0x45, 0x97, 0xF9, 0x4E, 0x78, 0xDD, 0x98, 0x61}));
}

TEST(CipherExports, thirteenBytesComeBackPaddedToSixteen) {
    const Bytes plain = {'T', 'h', 'i', 'r', 't', 'e', 'e', 'n', ' ', 'b', 'y', 't', 'e'};
    Bytes cipher(16, 0xEE);
    ASSERT_EQ(Abif_Encode(key.data(), 5, cipher.data(), plain.data(), 13), 16);
    Bytes back(16, 0xEE);
    Abif_Decode(key.data(), 5, back.data(), cipher.data(), 16);
    Bytes expected = plain;
    expected.resize(16, 0);
    EXPECT_EQ(back, expected);
}

TEST(CipherExports, inPlaceEncodingZeroFillsThePadding) {
    Bytes buffer = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
    ASSERT_EQ(Abif_Encode(key.data(), 5, buffer.data(), buffer.data(), 9), 16);
    Abif_Decode(key.data(), 5, buffer.data(), buffer.data(), 16);
    EXPECT_EQ(buffer, (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(CipherExports, blocksAreEncipheredIndependently) {
    const Bytes plain = {1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4, 5, 6, 7, 8};
    Bytes cipher(16);
    ASSERT_EQ(Abif_Encode(key.data(), 5, cipher.data(), plain.data(), 16), 16);
    EXPECT_TRUE(std::equal(cipher.begin(), cipher.begin() + 8, cipher.begin() + 8));
    EXPECT_NE(Bytes(cipher.begin(), cipher.begin() + 8), Bytes(plain.begin(), plain.begin() + 8));
}

TEST(CipherExports, emptyInputAndNullPointersWriteNothing) {
    const Bytes plain(8, 1);
    Bytes out(8, 0xEE);
    EXPECT_EQ(Abif_Encode(key.data(), 5, out.data(), plain.data(), 0), 0);
    EXPECT_EQ(Abif_Encode(key.data(), 5, out.data(), plain.data(), -8), 0);
    EXPECT_EQ(Abif_Encode(nullptr, 5, out.data(), plain.data(), 8), 0);
    EXPECT_EQ(Abif_Encode(key.data(), 5, nullptr, plain.data(), 8), 0);
    EXPECT_EQ(Abif_Encode(key.data(), 5, out.data(), nullptr, 8), 0);
    Abif_Decode(nullptr, 5, out.data(), plain.data(), 8);
    Abif_Decode(key.data(), 5, out.data(), nullptr, 8);
    Abif_Decode(key.data(), 5, nullptr, plain.data(), 8);
    EXPECT_EQ(out, Bytes(8, 0xEE));
}

}  // namespace
