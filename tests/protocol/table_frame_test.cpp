#include <gtest/gtest.h>

#include "calibration/table_frame.h"
#include "protocol/crc.h"

using namespace calibration;

namespace {

// The grid's test pattern: both columns 103, 206, ... 4120.
CalibrationTable test_pattern() {
    CalibrationTable table;
    table.net = 13;
    table.status = slot_in_service;
    for (std::size_t k = 0; k < table_points; ++k) table.values[k] = table.litres[k] = static_cast<std::uint16_t>(103 * (k + 1));
    return table;
}

}  // namespace

TEST(TableFrame, ReadRequest) {
    EXPECT_EQ(build_read_table(0), (Bytes{0x3E, 0xDE, 0xEE, 0x00, 0x19}));
    EXPECT_EQ(build_read_table(9), (Bytes{0x3E, 0xDE, 0xEE, 0x09, 0x85}));
}

TEST(TableFrame, WriteRequestOfTheTestPattern) {
    const Bytes frame = build_write_table(0, test_pattern());
    ASSERT_EQ(frame.size(), table_frame_length);
    const Bytes head{0x3E, 0xDE, 0xEF, 0x00, 0x0D, 0x01, 0x00, 0x67, 0x00, 0xCE, 0x01, 0x35, 0x01, 0x9C, 0x02, 0x03};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), frame.begin()));
    // The litres repeat the 80 bytes of the sensor values.
    EXPECT_TRUE(std::equal(frame.begin() + 6, frame.begin() + 86, frame.begin() + 86));
    EXPECT_EQ((Bytes{frame.end() - 5, frame.end()}), (Bytes{0x0F, 0xB1, 0x10, 0x18, 0x72}));

    const auto parsed = parse_write_table(frame);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->slot, 0);
    EXPECT_EQ(parsed->table, test_pattern());
}

TEST(TableFrame, MalformedWriteRequestsAreRefused) {
    Bytes frame = build_write_table(3, test_pattern());
    Bytes bad_crc = frame;
    bad_crc.back() ^= 0xFF;
    Bytes wrong_code = frame;
    wrong_code[2] = 0xEE;
    protocol::Control_summ(wrong_code = Bytes(wrong_code.begin(), wrong_code.end() - 1));
    EXPECT_FALSE(parse_write_table(bad_crc));
    EXPECT_FALSE(parse_write_table(wrong_code));
    EXPECT_FALSE(parse_write_table(ByteView(frame).first(166)));
}

TEST(TableFrame, ReplyRoundTripsThroughTheDecoder) {
    CalibrationTable table = test_pattern();
    table.values[0] = 500;
    table.values[1] = 32767;
    table.litres[0] = 65535;  // above the signed 16-bit range: decoded whole
    table.litres[39] = 0;
    table.status = 0xFE;
    const Bytes reply = build_table_reply(table, 0x05);
    ASSERT_EQ(reply.size(), table_frame_length);
    EXPECT_EQ(reply[5], 0x01);
    EXPECT_EQ(reply[6], 0xF4);

    const TableReply decoded = decode_table_reply(reply);
    EXPECT_EQ(decoded.net, 13);
    EXPECT_EQ(decoded.status, 0xFE);
    EXPECT_EQ(decoded.mode, 0x05);
    EXPECT_EQ(decoded.computed_crc, reply.back());
    ASSERT_EQ(decoded.values.size(), table_points);
    ASSERT_EQ(decoded.litres.size(), table_points);
    EXPECT_TRUE(std::equal(decoded.values.begin(), decoded.values.end(), table.values.begin()));
    EXPECT_TRUE(std::equal(decoded.litres.begin(), decoded.litres.end(), table.litres.begin()));
}

TEST(TableFrame, ShortRepliesDecodeOnlyWhatArrived) {
    const Bytes reply = build_table_reply(test_pattern(), 0x05);
    const ByteView whole(reply);

    const TableReply no_mode = decode_table_reply(whole.first(165));
    EXPECT_EQ(no_mode.values.size(), table_points);
    EXPECT_EQ(no_mode.litres.size(), table_points);
    EXPECT_EQ(no_mode.mode, std::nullopt);

    // Cut inside the second byte of point 2: points 0 and 1 only.
    const TableReply cut = decode_table_reply(whole.first(10));
    EXPECT_EQ(cut.values, (std::vector<std::uint16_t>{103, 206}));
    EXPECT_TRUE(cut.litres.empty());

    const TableReply head = decode_table_reply(whole.first(4));
    EXPECT_EQ(head.net, 13);
    EXPECT_EQ(head.status, std::nullopt);
    EXPECT_TRUE(head.values.empty());

    const TableReply empty = decode_table_reply({});
    EXPECT_EQ(empty.net, std::nullopt);
    EXPECT_EQ(empty.computed_crc, 0);
}
