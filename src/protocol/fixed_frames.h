#pragma once
// Frames the console holds complete, CRC included.

#include <array>

#include "bytes.h"
#include "commands.h"
#include "crc.h"

namespace protocol {

// cmd_poll_short to the sensors 1, 2 and 3.
inline constexpr std::array<Byte, 4> poll_short_1{0x31, 0x01, 0x06, 0x6C};
inline constexpr std::array<Byte, 4> poll_short_2{0x31, 0x02, 0x06, 0x39};
inline constexpr std::array<Byte, 4> poll_short_3{0x31, 0x03, 0x06, 0xFD};

static_assert(crc_ok(poll_short_1) && crc_ok(poll_short_2) && crc_ok(poll_short_3));

}  // namespace protocol
