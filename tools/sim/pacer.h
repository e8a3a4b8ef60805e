#pragma once
// Puts bytes on the pty at the pace of a 19200-baud line (10 bits a byte, about
// 0.52 ms), so that the console's inter-byte timing meets real gaps. Deadlines are
// absolute, so the pace does not slip with the time spent writing.

#include <chrono>

#include "protocol/bytes.h"

namespace sim {

class Pacer {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::nanoseconds byte_time_19200{10'000'000'000LL / 19200};

    // `paced` false: bytes go out at once; silences are still kept.
    explicit Pacer(bool paced) : byte_time_(paced ? byte_time_19200 : std::chrono::nanoseconds{0}) {}

    // Waits until the line has been quiet for `silence`: after the last byte sent,
    // or from now when that is longer ago (a turnaround after a request).
    void keep_silence(std::chrono::milliseconds silence);

    // Writes `bytes` one byte time apart. False when the other side stopped
    // taking bytes or the pty failed.
    bool write(int fd, protocol::ByteView bytes);

private:
    std::chrono::nanoseconds byte_time_;
    Clock::time_point line_free_at_{};  // when the last byte sent has left the wire
};

}  // namespace sim
