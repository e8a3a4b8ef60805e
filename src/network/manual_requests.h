#pragma once
// Hand-made requests: the extended query and the extended value request.

#include <array>
#include <cstdint>

#include "protocol/bytes.h"

namespace network {

using protocol::Byte;
using protocol::Bytes;

// Q: cmd_ext_query with the data 06 00 to address 0xFB.
inline constexpr std::array<Byte, 6> query_frame_Q{0x31, 0xFB, 0x32, 0x06, 0x00, 0x97};
// The same query to address 0xFA.
inline constexpr std::array<Byte, 6> query_frame_B{0x31, 0xFA, 0x32, 0x06, 0x00, 0x18};

// The value request to sensor 1 between two Q frames, 29 bytes: Q, then
// 31 01 23, v = n * 1000 + 20 least significant byte first, 00 00 00 05,
// 00 00 30 39, 07, CRC, then Q again. n is 0..9999 (protocol::ext_value_range).
Bytes ext_value_requests(std::uint16_t n);

}  // namespace network
