#include "table_frame.h"

#include "protocol/commands.h"
#include "protocol/crc.h"

namespace calibration {
namespace {

// Offsets (0-based) shared by the reply and the request: the request has the slot
// byte in front of the fields, so its fields stand one byte further on.
constexpr std::size_t reply_fields_at = 3;
constexpr std::size_t request_fields_at = 4;
constexpr std::size_t mode_at = 165;

void put_fields(Bytes& frame, const CalibrationTable& table) {
    frame.push_back(table.net);
    frame.push_back(table.status);
    for (const auto& column : {table.values, table.litres})
        for (std::uint16_t v : column) {
            frame.push_back(static_cast<Byte>(v >> 8));
            frame.push_back(static_cast<Byte>(v & 0xFF));
        }
}

std::uint16_t word_at(ByteView bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

}  // namespace

Bytes build_read_table(Byte slot) {
    Bytes frame{protocol::display_frame_start, protocol::display_address, protocol::cmd_read_table, slot};
    protocol::Control_summ(frame);
    return frame;
}

Bytes build_write_table(Byte slot, const CalibrationTable& table) {
    Bytes frame{protocol::display_frame_start, protocol::display_address, protocol::cmd_write_table, slot};
    frame.reserve(table_frame_length);
    put_fields(frame, table);
    protocol::Control_summ(frame);
    return frame;
}

Bytes build_table_reply(const CalibrationTable& table, Byte mode) {
    Bytes frame{protocol::display_reply_start, protocol::display_address, protocol::cmd_read_table};
    frame.reserve(table_frame_length);
    put_fields(frame, table);
    frame.push_back(mode);
    protocol::Control_summ(frame);
    return frame;
}

std::optional<TableWrite> parse_write_table(ByteView frame) {
    if (frame.size() != table_frame_length || frame[0] != protocol::display_frame_start ||
        frame[1] != protocol::display_address || frame[2] != protocol::cmd_write_table || !protocol::crc_ok(frame))
        return std::nullopt;
    TableWrite write{frame[3], {}};
    write.table.net = frame[request_fields_at];
    write.table.status = frame[request_fields_at + 1];
    for (std::size_t k = 0; k < table_points; ++k) {
        write.table.values[k] = word_at(frame, request_fields_at + 2 + 2 * k);
        write.table.litres[k] = word_at(frame, request_fields_at + 2 + 2 * (table_points + k));
    }
    return write;
}

TableReply decode_table_reply(ByteView reply) {
    TableReply decoded;
    if (!reply.empty()) decoded.computed_crc = protocol::crc8(reply.first(reply.size() - 1));
    auto has = [&](std::size_t at) { return at < reply.size(); };
    if (has(reply_fields_at)) decoded.net = reply[reply_fields_at];
    if (has(reply_fields_at + 1)) decoded.status = reply[reply_fields_at + 1];
    for (std::size_t k = 0; k < table_points && has(reply_fields_at + 3 + 2 * k); ++k)
        decoded.values.push_back(word_at(reply, reply_fields_at + 2 + 2 * k));
    for (std::size_t k = 0; k < table_points && has(reply_fields_at + 3 + 2 * (table_points + k)); ++k)
        decoded.litres.push_back(word_at(reply, reply_fields_at + 2 + 2 * (table_points + k)));
    if (has(mode_at)) decoded.mode = reply[mode_at];
    return decoded;
}

}  // namespace calibration
