#include <gtest/gtest.h>

#include "protocol/encoding.h"
#include "protocol/hex.h"

using namespace protocol;

TEST(Encoding, LongMostSignificantFirst) {
    EXPECT_EQ(Long_to_string(2'000'000'000), (Long{0x77, 0x35, 0x94, 0x00}));
    EXPECT_EQ(Long_to_string(0), (Long{0, 0, 0, 0}));
    EXPECT_EQ(Long_to_string(5), (Long{0, 0, 0, 5}));
    EXPECT_EQ(Long_to_string(12345), (Long{0x00, 0x00, 0x30, 0x39}));
    EXPECT_EQ(Long_to_string(2'147'483'647), (Long{0x7F, 0xFF, 0xFF, 0xFF}));
}

TEST(Encoding, LongLeastSignificantFirst) {
    EXPECT_EQ(Long_to_string_obr(2'000'000'000), (Long{0x00, 0x94, 0x35, 0x77}));
    EXPECT_EQ(Long_to_string_obr(20), (Long{0x14, 0, 0, 0}));
    EXPECT_EQ(Long_to_string_obr(9'999'020), (Long{0xAC, 0x92, 0x98, 0x00}));
}

TEST(Encoding, NegativeValuesAreRefusedNotWrapped) {
    EXPECT_EQ(Long_to_string(-1), std::nullopt);
    EXPECT_EQ(Long_to_string_obr(-1), std::nullopt);
    EXPECT_EQ(Long_to_string(INT32_MIN), std::nullopt);
}

TEST(Encoding, WordLeastSignificantFirst) {
    EXPECT_EQ(word_lsb_first(0), (std::array<Byte, 2>{0x00, 0x00}));
    EXPECT_EQ(word_lsb_first(40), (std::array<Byte, 2>{0x28, 0x00}));
    EXPECT_EQ(word_lsb_first(900), (std::array<Byte, 2>{0x84, 0x03}));
    EXPECT_EQ(word_lsb_first(1020), (std::array<Byte, 2>{0xFC, 0x03}));
}

TEST(Hex, UpperCaseWithoutLeadingZero) {
    EXPECT_EQ(hex_byte(0x00), "0");
    EXPECT_EQ(hex_byte(0x05), "5");
    EXPECT_EQ(hex_byte(0x0A), "A");
    EXPECT_EQ(hex_byte(0x10), "10");
    EXPECT_EQ(hex_byte(0x31), "31");
    EXPECT_EQ(hex_byte(0xFF), "FF");
}
