#include "frame_splitter.h"

#include "calibration/table_frame.h"
#include "protocol/commands.h"
#include "protocol/crc.h"

namespace sim {

using namespace protocol;

namespace {

constexpr std::size_t ext_value_length = 17;
constexpr std::size_t ext_query_length = 6;
constexpr std::size_t indicator_frame_length = 9;

FrameLength sensor_request_length(Byte code) {
    switch (code) {
    case cmd_poll_short:
    case cmd_poll_full:
    case cmd_set_low:
    case cmd_set_high:
    case cmd_read_sn: return std::size_t{4};
    case cmd_set_net:
    case cmd_set_mode: return std::size_t{5};
    case cmd_set_sn: return std::size_t{8};
    case cmd_ext_value: return ext_value_length;
    case cmd_ext_query: return ext_query_length;
    default: return NotAFrame{};
    }
}

FrameLength display_request_length(Byte code) {
    switch (code) {
    case cmd_read_table:
    case cmd_display_mode: return std::size_t{5};
    case cmd_enter_password:
    case cmd_set_password: return std::size_t{8};
    case cmd_write_table: return calibration::table_frame_length;
    default: return NotAFrame{};
    }
}

}  // namespace

FrameLength frame_length(ByteView head) {
    if (head.empty()) return NeedMore{};
    const Byte start = head[0];
    if (start != sensor_frame_start && start != display_frame_start) return NotAFrame{};
    if (head.size() < 2) return NeedMore{};
    const Byte address = head[1];
    if (start == sensor_frame_start && address == search_address) return std::size_t{3};
    if (head.size() < 3) return NeedMore{};
    const Byte code = head[2];
    if (start == sensor_frame_start) return sensor_request_length(code);
    if (address == display_address) return display_request_length(code);
    // 3E with another address: the indicator check's imitation of a short-poll answer.
    if (code == cmd_poll_short) return indicator_frame_length;
    return NotAFrame{};
}

void FrameSplitter::feed(ByteView bytes) { append(buffer_, bytes); }

std::optional<FrameSplitter::Item> FrameSplitter::next() {
    auto flush_skipped = [this]() -> std::optional<Item> {
        if (skipped_.empty()) return std::nullopt;
        Item item{std::move(skipped_), false};
        skipped_.clear();
        return item;
    };
    auto skip_one = [this] {
        skipped_.push_back(buffer_.front());
        buffer_.erase(buffer_.begin());
    };

    while (!buffer_.empty()) {
        const FrameLength length = frame_length(buffer_);
        if (std::holds_alternative<NotAFrame>(length)) {
            skip_one();
            continue;
        }
        if (std::holds_alternative<NeedMore>(length)) return flush_skipped();
        const std::size_t n = std::get<std::size_t>(length);
        if (buffer_.size() < n) return flush_skipped();
        if (!crc_ok(ByteView(buffer_).first(n))) {
            skip_one();
            continue;
        }
        // Report what was skipped before the frame, then the frame on the next call.
        if (!skipped_.empty()) return flush_skipped();
        Item frame{Bytes(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(n)), true};
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(n));
        return frame;
    }
    return flush_skipped();
}

void FrameSplitter::give_up() {
    if (buffer_.empty()) return;
    skipped_.push_back(buffer_.front());
    buffer_.erase(buffer_.begin());
}

}  // namespace sim
