#pragma once
// When a level has settled after a pour: fed with polls (time, level), it says so once
// every poll of the last `settle` seconds lies within `tolerance` of the others. The
// settled level is the median of those polls, so a single spike does not move it.

#include <cstdint>
#include <deque>
#include <optional>

namespace taring {

// What taring waits for unless told otherwise: every poll of 20 s within 2 levels.
inline constexpr double default_settle_seconds = 20;
inline constexpr double default_tolerance = 2;

struct Settled {
    double level = 0;   // the median of the window
    double spread = 0;  // its highest level less its lowest
    std::uint32_t polls = 0;
};

class SettleDetector {
public:
    SettleDetector(double settle_seconds, double tolerance) : settle_(settle_seconds), tolerance_(tolerance) {}

    // Adds a poll taken at `seconds` (any steady clock). The reading once the level has
    // settled, else nullopt. A time that runs backwards starts the watch afresh.
    std::optional<Settled> feed(double seconds, double level);
    // Forgets every poll: after a pour, the level before it says nothing.
    void restart() { window_.clear(); }

    // The polls of the last `settle` seconds as they stand, for showing progress: the
    // seconds they cover (up to `settle`) and their spread.
    double covered() const;
    double spread() const;

private:
    struct Poll {
        double seconds;
        double level;
    };
    double settle_;
    double tolerance_;
    std::deque<Poll> window_;  // the shortest run of latest polls that covers `settle`, or all of them
};

}  // namespace taring
