#pragma once
// Frames the console holds complete, CRC included.

#include <array>

#include "bytes.h"
#include "commands.h"
#include "crc.h"

namespace protocol {

// cmd_search: the broadcast that every sensor answers with its bare address byte.
inline constexpr std::array<Byte, 3> cmd_search{0x31, 0xFF, 0xDC};

// Q: cmd_ext_query with the data 06 00 to address 0xFB.
inline constexpr std::array<Byte, 6> query_frame_Q{0x31, 0xFB, 0x32, 0x06, 0x00, 0x97};
// The same query to address 0xFA.
inline constexpr std::array<Byte, 6> query_frame_B{0x31, 0xFA, 0x32, 0x06, 0x00, 0x18};
// cmd_poll_short to the sensors 1, 2 and 3.
inline constexpr std::array<Byte, 4> poll_short_1{0x31, 0x01, 0x06, 0x6C};
inline constexpr std::array<Byte, 4> poll_short_2{0x31, 0x02, 0x06, 0x39};
inline constexpr std::array<Byte, 4> poll_short_3{0x31, 0x03, 0x06, 0xFD};

// The auto-request burst, one write of ten frames: Q Q B C1 Q C2 Q C3 B Q.
inline constexpr std::array<Byte, 54> auto_request_burst = [] {
    std::array<Byte, 54> burst{};
    std::size_t at = 0;
    auto put = [&](const auto& frame) {
        for (Byte b : frame) burst[at++] = b;
    };
    put(query_frame_Q), put(query_frame_Q), put(query_frame_B), put(poll_short_1), put(query_frame_Q);
    put(poll_short_2), put(query_frame_Q), put(poll_short_3), put(query_frame_B), put(query_frame_Q);
    return burst;
}();

static_assert(crc_ok(cmd_search) && crc_ok(query_frame_Q) && crc_ok(query_frame_B));
static_assert(crc_ok(poll_short_1) && crc_ok(poll_short_2) && crc_ok(poll_short_3));

}  // namespace protocol
