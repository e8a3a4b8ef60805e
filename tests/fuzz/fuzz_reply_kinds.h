#pragma once
// Shared by the fuzz targets of checked answers: each request trelvik-cli waits on, with
// the shape of the answer it takes, and an acceptance rule worked out here apart from the
// reply check: one frame with the right start byte, one of the request's reply codes, at
// least the length its fields need, and the CRC-8 of the bytes before it last.

#include <algorithm>
#include <array>
#include <optional>

#include "calibration/table_frame.h"
#include "protocol/commands.h"
#include "protocol/reply_check.h"
#include "protocol/requests.h"
#include "fuzz_check.h"

namespace fuzz {

struct ReplyKind {
    protocol::Bytes request;  // as trelvik-cli sends it
    protocol::ReplyShape shape;
};

// The requests come from the builders the tool uses; only messages show them.
inline const std::array<ReplyKind, 12> reply_kinds = [] {
    using namespace protocol;
    const calibration::CalibrationTable table{};
    return std::array<ReplyKind, 12>{{
        {calibration::build_read_table(2), {display_reply_start, {cmd_read_table}, calibration::table_frame_length}},
        {calibration::build_write_table(2, table), {display_reply_start, {cmd_table_written, cmd_bad_password}, 4}},
        {password_request(cmd_enter_password, 12345), {display_reply_start, {cmd_enter_password, cmd_bad_password}, 4}},
        {password_request(cmd_set_password, 54321), {display_reply_start, {cmd_set_password, cmd_bad_password}, 4}},
        {display_mode_request(display_mode(true, true)), {display_reply_start, {cmd_display_mode, cmd_bad_password}, 4}},
        {sensor_request(1, cmd_read_sn), {sensor_reply_start, {cmd_read_sn}, 8}},
        {sensor_request(2, cmd_poll_full), {sensor_reply_start, {cmd_poll_full}, 21}},
        {sensor_request(5, cmd_set_low), {sensor_reply_start, {cmd_set_low}, 4}},
        {sensor_request(5, cmd_set_high), {sensor_reply_start, {cmd_set_high}, 4}},
        {set_net_request(5, 7), {sensor_reply_start, {cmd_set_net}, 4}},
        {set_sn_request(5, 777), {sensor_reply_start, {cmd_set_sn}, 4}},
        {set_mode_request(5, 2), {sensor_reply_start, {cmd_set_mode}, 5}},
    }};
}();

inline bool is_reply(ByteView rx, const protocol::ReplyShape& shape) {
    const auto& codes = shape.codes;
    return rx.size() >= std::max<std::size_t>(4, shape.min_length) && rx[0] == shape.start &&
           std::find(codes.begin(), codes.end(), rx[2]) != codes.end() && rx.back() == crc_of_body(rx);
}

// Where the longest tail of `rx` that is such a reply starts, if one is.
inline std::optional<std::size_t> reply_tail(ByteView rx, const protocol::ReplyShape& shape) {
    for (std::size_t from = 0; from < rx.size(); ++from)
        if (is_reply(rx.subspan(from), shape)) return from;
    return std::nullopt;
}

}  // namespace fuzz
