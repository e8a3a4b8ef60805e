#include <gtest/gtest.h>

#include "calibration/table_frame.h"
#include "frame_splitter.h"
#include "exchange/auto_request.h"
#include "network/search.h"

using namespace sim;

namespace {

std::vector<FrameSplitter::Item> drain(FrameSplitter& splitter) {
    std::vector<FrameSplitter::Item> items;
    while (auto item = splitter.next()) items.push_back(std::move(*item));
    return items;
}

}  // namespace

TEST(SimSplitter, SeveralFramesInOneWriteComeOutInOrder) {
    Bytes input(exchange::auto_request_burst.begin(), exchange::auto_request_burst.end());
    protocol::append(input, network::cmd_search);
    protocol::append(input, calibration::build_write_table(3, {}));
    protocol::append(input, Bytes{0x31, 0x05, 0xF6, 0x00, 0x1E, 0x84, 0x80, 0xDE});

    FrameSplitter splitter;
    splitter.feed(input);
    const auto items = drain(splitter);

    std::vector<std::size_t> lengths;
    Bytes joined;
    for (const auto& item : items) {
        EXPECT_TRUE(item.is_frame);
        lengths.push_back(item.bytes.size());
        protocol::append(joined, item.bytes);
    }
    EXPECT_EQ(lengths, (std::vector<std::size_t>{6, 6, 6, 4, 6, 4, 6, 4, 6, 6, 3, 167, 8}));
    EXPECT_EQ(joined, input);
    EXPECT_FALSE(splitter.holds_bytes());
}

TEST(SimSplitter, FrameArrivingInPiecesWaitsForItsLastByte) {
    const Bytes table = calibration::build_write_table(0, {});
    FrameSplitter splitter;
    for (std::size_t i = 0; i + 1 < table.size(); ++i) {
        splitter.feed(ByteView(table).subspan(i, 1));
        ASSERT_FALSE(splitter.next()) << "after byte " << i;
    }
    splitter.feed(ByteView(table).last(1));
    const auto item = splitter.next();
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->is_frame);
    EXPECT_EQ(item->bytes, table);
}

TEST(SimSplitter, ResynchronisesOverGarbageBadCrcAndUnknownCodes) {
    // 00 FF: no start byte. 31 01 F0 00: a poll with a wrong CRC. 31 01 77 6C: no such
    // command. 31 01 06 31 01 06 6C: a bad-CRC candidate with a real frame inside it.
    FrameSplitter splitter;
    splitter.feed(Bytes{0x00, 0xFF, 0x31, 0x01, 0xF0, 0x00, 0x31, 0x01, 0x77, 0x6C, 0x31, 0x01, 0x06,
                        0x31, 0x01, 0x06, 0x6C, 0x3E, 0xDE, 0xF2, 0x05, 0x87});
    const auto items = drain(splitter);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_FALSE(items[0].is_frame);
    EXPECT_EQ(items[0].bytes, (Bytes{0x00, 0xFF, 0x31, 0x01, 0xF0, 0x00, 0x31, 0x01, 0x77, 0x6C, 0x31, 0x01, 0x06}));
    EXPECT_EQ(items[1].bytes, (Bytes{0x31, 0x01, 0x06, 0x6C}));
    EXPECT_EQ(items[2].bytes, (Bytes{0x3E, 0xDE, 0xF2, 0x05, 0x87}));
}

TEST(SimSplitter, GivingUpAnIncompleteFrameFreesTheFramesBehindIt) {
    // A stray "3E DE EF" promises a 167-byte table write that never comes.
    FrameSplitter splitter;
    splitter.feed(Bytes{0x3E, 0xDE, 0xEF, 0x31, 0x01, 0x06, 0x6C});
    EXPECT_FALSE(splitter.next());
    ASSERT_TRUE(splitter.holds_bytes());

    splitter.give_up();
    const auto items = drain(splitter);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].bytes, (Bytes{0x3E, 0xDE, 0xEF}));
    EXPECT_FALSE(items[0].is_frame);
    EXPECT_EQ(items[1].bytes, (Bytes{0x31, 0x01, 0x06, 0x6C}));
    EXPECT_FALSE(splitter.holds_bytes());
}
