#include "exchange/traffic_log.h"

#include <utility>

#include "protocol/byte_text.h"

namespace exchange {

std::string traffic_line(Stamp at, Direction direction, protocol::ByteView frame) {
    std::string hex = protocol::hex_line(frame);
    if (!hex.empty()) hex.pop_back();  // the blank after the last byte
    return stamp_text(at) + (direction == Direction::Sent ? " -> " : " <- ") + hex;
}

void TrafficLog::begin(std::string line, Stamp since) {
    line_ = std::move(line);
    since_ = since;
    records_.clear();
    bytes_.clear();
    dropped_ = 0;
}

void TrafficLog::add(Stamp at, Direction direction, protocol::ByteView frame) {
    if (frame.empty()) return;
    records_.push_back({at.ms_since_epoch, at.utc_offset_s, static_cast<std::uint32_t>(frame.size()), direction});
    bytes_.insert(bytes_.end(), frame.begin(), frame.end());
    while (records_.size() > 1 && memory() > capacity_) {
        bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(records_.front().size));
        records_.pop_front();
        ++dropped_;
    }
}

std::string event_line(Stamp at, std::string_view what) {
    std::string line = stamp_text(at);
    line += ' ';
    line += what;
    return line;
}

std::string port_opened(std::string_view port) { return "port " + std::string(port) + " opened"; }

std::string TrafficLog::trace_text() const {
    std::string text = event_line(since_, port_opened(line_)) + "\n";
    if (dropped_ > 0 && !records_.empty())
        text += event_line({records_.front().ms_since_epoch, records_.front().utc_offset_s},
                           std::to_string(dropped_) + (dropped_ == 1 ? " earlier frame not kept" : " earlier frames not kept")) +
                "\n";
    return text + this->text("\n");
}

std::string TrafficLog::text(std::string_view line_end) const {
    std::string text;
    protocol::Bytes frame;
    auto next = bytes_.begin();
    for (const Record& r : records_) {
        const auto end = next + static_cast<std::ptrdiff_t>(r.size);
        frame.assign(next, end);
        next = end;
        text += traffic_line({r.ms_since_epoch, r.utc_offset_s}, r.direction, frame);
        text += line_end;
    }
    return text;
}

}  // namespace exchange
