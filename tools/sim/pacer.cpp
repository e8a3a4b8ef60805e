#include "pacer.h"

#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace sim {

namespace {

using Clock = Pacer::Clock;

void sleep_until(Clock::time_point when) {
    // steady_clock is CLOCK_MONOTONIC on Linux.
    const auto since_epoch = std::chrono::duration_cast<std::chrono::nanoseconds>(when.time_since_epoch()).count();
    const timespec at{static_cast<time_t>(since_epoch / 1'000'000'000), static_cast<long>(since_epoch % 1'000'000'000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}

// A console that never reads fills the pty; give it this long before dropping the rest.
constexpr int stuck_ms = 500;

}  // namespace

void Pacer::keep_silence(std::chrono::milliseconds silence) {
    const auto start = std::max(Clock::now(), line_free_at_) + silence;
    sleep_until(start);
    line_free_at_ = start;
}

bool Pacer::write(int fd, protocol::ByteView bytes) {
    const auto start = std::max(Clock::now(), line_free_at_);
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        sleep_until(start + byte_time_ * static_cast<long>(sent));
        // Everything already due goes in one write, so a late wake-up catches up.
        const auto now = Clock::now();
        std::size_t due = sent + 1;
        while (due < bytes.size() && start + byte_time_ * static_cast<long>(due) <= now) ++due;
        const ssize_t n = ::write(fd, bytes.data() + sent, due - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) return false;
        pollfd p{fd, POLLOUT, 0};
        if (poll(&p, 1, stuck_ms) <= 0) return false;
    }
    line_free_at_ = start + byte_time_ * static_cast<long>(bytes.size());
    return true;
}

}  // namespace sim
