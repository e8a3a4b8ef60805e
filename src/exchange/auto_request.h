#pragma once
// The auto-request burst: what the tick sends, with `avtozap` checked, when nothing
// else is pending.

#include <array>

#include "network/manual_requests.h"
#include "protocol/fixed_frames.h"

namespace exchange {

// One write of ten frames: Q Q B C1 Q C2 Q C3 B Q.
inline constexpr std::array<protocol::Byte, 54> auto_request_burst = [] {
    using namespace network;
    using namespace protocol;
    std::array<Byte, 54> burst{};
    std::size_t at = 0;
    auto put = [&](const auto& frame) {
        for (Byte b : frame) burst[at++] = b;
    };
    put(query_frame_Q), put(query_frame_Q), put(query_frame_B), put(poll_short_1), put(query_frame_Q);
    put(poll_short_2), put(query_frame_Q), put(poll_short_3), put(query_frame_B), put(query_frame_Q);
    return burst;
}();

}  // namespace exchange
