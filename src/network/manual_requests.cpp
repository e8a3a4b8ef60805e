#include "network/manual_requests.h"

#include "protocol/commands.h"
#include "protocol/crc.h"
#include "protocol/encoding.h"

namespace network {

static_assert(protocol::crc_ok(query_frame_Q) && protocol::crc_ok(query_frame_B));

Bytes ext_value_requests(std::uint16_t n) {
    using namespace protocol;
    constexpr Byte value_request_end = 0x07;
    Bytes value{sensor_frame_start, 0x01, cmd_ext_value};
    append(value, *Long_to_string_obr(static_cast<std::int32_t>(n) * 1000 + 20));
    append(value, *Long_to_string(5));
    append(value, *Long_to_string(12345));
    value.push_back(value_request_end);
    Control_summ(value);

    Bytes frames;
    frames.reserve(2 * query_frame_Q.size() + value.size());
    for (ByteView part : {ByteView(query_frame_Q), ByteView(value), ByteView(query_frame_Q)}) append(frames, part);
    return frames;
}

}  // namespace network
