#pragma once
// Start bytes, addresses and command codes of the RS-485 line.

#include "bytes.h"

namespace protocol {

// Start bytes. Requests to a sensor start with 0x31 and sensors answer with 0x3E;
// the display unit takes 0x3E requests and answers with 0x31.
inline constexpr Byte sensor_frame_start = 0x31;
inline constexpr Byte display_frame_start = 0x3E;
inline constexpr Byte sensor_reply_start = 0x3E;
inline constexpr Byte display_reply_start = 0x31;

inline constexpr Byte display_address = 0xDE;
inline constexpr Byte search_address = 0xFF;  // stands in the address position of the search frame
inline constexpr Byte max_sensor_address = 200;

// Sensor commands (sensor frame); the reply repeats the code.
inline constexpr Byte cmd_poll_short = 0x06;
inline constexpr Byte cmd_poll_full = 0xF0;
inline constexpr Byte cmd_set_low = 0xFA;
inline constexpr Byte cmd_set_high = 0xF5;
inline constexpr Byte cmd_set_net = 0xFB;
inline constexpr Byte cmd_read_sn = 0xFC;
inline constexpr Byte cmd_set_sn = 0xF6;
inline constexpr Byte cmd_set_mode = 0xF2;
inline constexpr Byte cmd_set_avg = 0xF8;    // recognised in replies, never sent
inline constexpr Byte cmd_clear_avg = 0xF3;  // recognised in replies, never sent
inline constexpr Byte cmd_invert = 0xFD;     // recognised in replies, never sent
inline constexpr Byte cmd_ext_value = 0x23;
inline constexpr Byte cmd_ext_query = 0x32;

// Display-unit commands (display frame).
inline constexpr Byte cmd_read_table = 0xEE;
inline constexpr Byte cmd_write_table = 0xEF;
inline constexpr Byte cmd_display_mode = 0xF2;
inline constexpr Byte cmd_enter_password = 0xF8;
inline constexpr Byte cmd_set_password = 0xF7;

// Display-unit reply codes that are not a repeated command.
inline constexpr Byte cmd_table_written = 0xE0;
inline constexpr Byte cmd_bad_password = 0xFD;

}  // namespace protocol
