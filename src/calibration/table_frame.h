#pragma once
// The display unit's calibration table on the wire: one slot's network number, its
// status byte and 40 points (sensor value, litres), 16-bit values most significant
// byte first. The read reply and the write request both carry it in one frame.

#include <array>
#include <optional>
#include <vector>

#include "protocol/bytes.h"

namespace calibration {

using protocol::Byte;
using protocol::Bytes;
using protocol::ByteView;

inline constexpr std::size_t table_points = 40;
inline constexpr std::size_t table_frame_length = 167;  // read reply and write request alike
inline constexpr Byte slot_in_service = 0x01;             // bit 0 of the status byte

struct CalibrationTable {
    Byte net = 0;
    Byte status = slot_in_service;
    std::array<std::uint16_t, table_points> values{};
    std::array<std::uint16_t, table_points> litres{};
    bool operator==(const CalibrationTable&) const = default;
};

// Request 3E DE EE slot CRC.
Bytes build_read_table(Byte slot);
// Request 3E DE EF slot net status values litres CRC, 167 bytes.
Bytes build_write_table(Byte slot, const CalibrationTable& table);
// Reply 31 DE EE net status values litres mode CRC, 167 bytes.
Bytes build_table_reply(const CalibrationTable& table, Byte mode);

// A write request taken apart: nullopt unless it is a whole, well-formed 167-byte frame.
struct TableWrite {
    Byte slot;
    CalibrationTable table;
};
std::optional<TableWrite> parse_write_table(ByteView frame);

// A table reply decoded as far as it reaches: a field the reply is too short for is
// absent, and the points are those whose both bytes were received. Every 16-bit field
// is unsigned, 0 to 65535. The CRC is computed, not judged.
struct TableReply {
    std::optional<Byte> net;
    std::optional<Byte> status;
    std::vector<std::uint16_t> values;
    std::vector<std::uint16_t> litres;
    std::optional<Byte> mode;
    Byte computed_crc = 0;  // over every byte but the last
};
TableReply decode_table_reply(ByteView reply);

}  // namespace calibration
