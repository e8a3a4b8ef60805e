#include <gtest/gtest.h>

#include <string_view>

#include "protocol/crc.h"
#include "protocol/fixed_frames.h"

using namespace protocol;

namespace {

Bytes bytes_of(std::string_view text) { return Bytes(text.begin(), text.end()); }

struct Known {
    Bytes body;
    Byte crc;
};

}  // namespace

TEST(Crc, KnownVectors) {
    const Known rows[] = {
        {{0x31, 0xFF}, 0xDC},
        {{0x31, 0x01, 0x06}, 0x6C},
        {{0x31, 0xFB, 0x32, 0x06, 0x00}, 0x97},
        {bytes_of("123456789"), 0xA1},
        {bytes_of("abc"), 0x42},
        {{}, 0x00},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(crc8(row.body), row.crc);
        // The step used byte by byte, through the reference and through the result.
        Byte by_ref = 0, by_result = 0;
        for (Byte b : row.body) {
            crc(b, by_ref);
            by_result = crc_step(b, by_result);
        }
        EXPECT_EQ(by_ref, row.crc);
        EXPECT_EQ(by_result, row.crc);
    }
}

TEST(Crc, StepMatchesBitwiseReference) {
    // The classic shift-register form of CRC-8/MAXIM, for every byte and running value.
    auto reference = [](Byte data, Byte cr) {
        Byte x = data ^ cr;
        for (int i = 0; i < 8; ++i) x = (x & 1) ? static_cast<Byte>((x >> 1) ^ 0x8C) : static_cast<Byte>(x >> 1);
        return x;
    };
    for (int data = 0; data < 256; ++data)
        for (int cr = 0; cr < 256; ++cr)
            ASSERT_EQ(crc_step(Byte(data), Byte(cr)), reference(Byte(data), Byte(cr))) << data << ' ' << cr;
}

TEST(Crc, ControlSummAppendsAndFrameChecksToZero) {
    Bytes wrs{0x00, 0x80, 0x98, 0xFF, 0x3E, 0xDE};
    Control_summ(wrs);
    ASSERT_EQ(wrs.size(), 7u);
    EXPECT_EQ(crc8(wrs), 0);
    EXPECT_TRUE(crc_ok(wrs));
    wrs.back() ^= 1;
    EXPECT_FALSE(crc_ok(wrs));

    Bytes empty;
    Control_summ(empty);
    EXPECT_EQ(empty, Bytes{0x00});
    EXPECT_FALSE(crc_ok(Bytes{}));
}

TEST(Crc, FixedFramesCarryTheirCrc) {
    for (ByteView frame : {ByteView(poll_short_1), ByteView(poll_short_2), ByteView(poll_short_3)})
        EXPECT_TRUE(crc_ok(frame));
}
