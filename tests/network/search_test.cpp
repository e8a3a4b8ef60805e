#include <gtest/gtest.h>

#include "network/manual_requests.h"
#include "network/search.h"
#include "protocol/crc.h"

using protocol::Bytes;
using protocol::ByteView;

TEST(NetworkFrames, FixedFramesCarryTheirCrc) {
    EXPECT_EQ(Bytes(network::cmd_search.begin(), network::cmd_search.end()), (Bytes{0x31, 0xFF, 0xDC}));
    for (ByteView frame :
         {ByteView(network::cmd_search), ByteView(network::query_frame_Q), ByteView(network::query_frame_B)})
        EXPECT_TRUE(protocol::crc_ok(frame));
}
