#include <gtest/gtest.h>

#include "protocol/number_text.h"

using namespace protocol;

TEST(NumberText, BlanksSignsAndRanges) {
    EXPECT_EQ(to_byte(" 200 ", "."), 200);
    EXPECT_EQ(to_byte("\t7", "."), 7);
    EXPECT_EQ(to_byte("255", "."), 255);
    EXPECT_EQ(to_byte("0", "."), 0);
    EXPECT_EQ(to_byte("+12", "."), 12);
    EXPECT_EQ(to_byte("007", "."), 7);
    EXPECT_EQ(to_byte("256", "."), std::nullopt);
    EXPECT_EQ(to_byte("300", "."), std::nullopt);
    EXPECT_EQ(to_byte("-1", "."), std::nullopt);
    EXPECT_EQ(to_int32("300", "."), 300);

    EXPECT_EQ(to_int16("32767", "."), 32767);
    EXPECT_EQ(to_int16("-32768", "."), -32768);
    EXPECT_EQ(to_int16("32768", "."), std::nullopt);
    EXPECT_EQ(to_int16("-32769", "."), std::nullopt);

    EXPECT_EQ(to_int32("2147483647", "."), 2147483647);
    EXPECT_EQ(to_int32("-2147483648", "."), INT32_MIN);
    EXPECT_EQ(to_int32("2147483648", "."), std::nullopt);
    EXPECT_EQ(to_int32("99999999999999999999999999", "."), std::nullopt);
}

TEST(NumberText, NotANumber) {
    for (const char* text : {"", "   ", "abc", "1a", "a1", "1 2", "--1", "+", "-", ".", "1.2.3", "0x10", "1e3",
                             "2 000 000"}) {
        EXPECT_EQ(to_byte(text, "."), std::nullopt) << text;
        EXPECT_EQ(to_int16(text, "."), std::nullopt) << text;
        EXPECT_EQ(to_int32(text, "."), std::nullopt) << text;
    }
}

TEST(NumberText, FractionsRoundHalfToEven) {
    EXPECT_EQ(to_int16("2.5", "."), 2);
    EXPECT_EQ(to_int16("3.5", "."), 4);
    EXPECT_EQ(to_int16("2.51", "."), 3);
    EXPECT_EQ(to_int16("2.500", "."), 2);
    EXPECT_EQ(to_int16("2.4999", "."), 2);
    EXPECT_EQ(to_int16("-2.5", "."), -2);
    EXPECT_EQ(to_int16("-3.5", "."), -4);
    EXPECT_EQ(to_int16(".5", "."), 0);
    EXPECT_EQ(to_int16("1.", "."), 1);
    EXPECT_EQ(to_byte("-0.4", "."), 0);
    EXPECT_EQ(to_byte("255.5", "."), std::nullopt);  // rounds to 256
    EXPECT_EQ(to_byte("254.5", "."), 254);
    EXPECT_EQ(to_int32("2147483646.5", "."), 2147483646);
    EXPECT_EQ(to_int32("2147483647.5", "."), std::nullopt);
}

TEST(NumberText, RegionalSeparator) {
    EXPECT_EQ(to_int16("3,5", ","), 4);
    EXPECT_EQ(to_int16("3.5", ","), std::nullopt);  // the other separator is not a number here
    EXPECT_EQ(to_int16("3,5", "."), std::nullopt);
    EXPECT_EQ(to_int16("7\xd9\xab" "5", "\xd9\xab"), 8);  // a multi-byte separator (Arabic U+066B)
}
