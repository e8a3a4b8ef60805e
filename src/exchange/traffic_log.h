#pragma once
// The traffic of one connection as text a technician can send to support: every frame
// sent and received, with its time, one line each. The log keeps the latest frames up
// to a cap on its memory and lets the oldest go, so it runs for days. Plain C++.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "exchange/stamp.h"
#include "protocol/bytes.h"

namespace exchange {

enum class Direction : std::uint8_t { Sent, Received };

// One frame as a line, without its line end: the time (stamp_text), "->" for a frame this
// program sent or "<-" for one it received, then the bytes in hexadecimal as the traffic
// box writes them, without the blank after the last:
//   2026-12-08T09:12:30.120+01:00 -> 31 1 F0 8E
//   2026-12-08T09:12:30.391+01:00 <- 3E 1 F0 19 34 12 ...
std::string traffic_line(Stamp at, Direction direction, protocol::ByteView frame);
// Anything else on the line as a line of its own: the time, then fixed English words.
//   2026-12-08T09:12:30.000+01:00 port /dev/ttyUSB0 opened
std::string event_line(Stamp at, std::string_view what);
std::string port_opened(std::string_view port);  // "port COM3 opened"

class TrafficLog {
public:
    // About 20 hours of polling twice a second.
    static constexpr std::size_t default_capacity = std::size_t{8} << 20;

    explicit TrafficLog(std::size_t capacity_bytes = default_capacity) : capacity_(capacity_bytes) {}

    // Forgets every frame and starts the log of a new connection to `line`.
    void begin(std::string line, Stamp since);
    // Keeps a frame; an empty one is no frame. The oldest frames go while the log is over
    // its cap; the latest frame stays whatever its size.
    void add(Stamp at, Direction direction, protocol::ByteView frame);

    const std::string& line() const { return line_; }
    Stamp since() const { return since_; }
    std::size_t frames() const { return records_.size(); }
    std::size_t dropped() const { return dropped_; }  // frames let go since begin()
    std::size_t memory() const { return bytes_.size() + records_.size() * sizeof(Record); }  // what the cap counts

    // The frames kept, oldest first, each as traffic_line followed by `line_end`.
    std::string text(std::string_view line_end = "\r\n") const;
    // The log as a trace of the line reads: the port opened at since(), how many frames
    // were let go if any, then the frames; a line end "\n" each.
    std::string trace_text() const;

private:
    struct Record {
        std::int64_t ms_since_epoch;
        std::int32_t utc_offset_s;
        std::uint32_t size;
        Direction direction;
    };

    std::size_t capacity_;
    std::string line_;
    Stamp since_;
    std::deque<Record> records_;
    std::deque<protocol::Byte> bytes_;  // the frames' bytes, back to back, in the order of records_
    std::size_t dropped_ = 0;
};

}  // namespace exchange
