#include <gtest/gtest.h>

#include <string>

#include "console/traffic_text.h"
#include "protocol/byte_text.h"

using protocol::Byte;
using protocol::Bytes;

TEST(TrafficText, HexLineThenABlankLineThenThePrintableForm) {
    EXPECT_EQ(console::out_win_text(Bytes{0x31, 0x05, 0x0D, 0x5D}), "31 5 D 5D \r\n\r\n1@<CR><ACK>");
    EXPECT_EQ(console::out_win_text(Bytes{}), "\r\n\r\n");

    Bytes frame(300);
    for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = Byte('A' + i % 26);
    EXPECT_EQ(console::out_win_text(frame), protocol::hex_line(frame) + "\r\n\r\n" + protocol::CleanStr(frame));
}
