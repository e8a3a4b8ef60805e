#pragma once
// When a level has settled after a pour: fed with polls (time, level), it says so once
// every poll of the last `settle` seconds lies within `tolerance` of the others and the
// polls came all through those seconds. The settled level is the median of those polls,
// so a single spike does not move it.

#include <cstdint>
#include <deque>
#include <optional>

namespace taring {

// What taring waits for unless told otherwise: every poll of 20 s within 2 levels.
inline constexpr double default_settle_seconds = 20;
inline constexpr double default_tolerance = 2;

// The longest silence between two answers that the taring window's watch bridges. The
// window's poll rides the exchange's 500 ms tick, and now and then a tick carries another
// frame instead (the sensor's identity, a button's request): answers then come 1 s apart.
// Two ticks lost in a row (1.5 s and more) mean the poll was stopped or a box held the
// window, and the level went unwatched.
inline constexpr double window_poll_gap_seconds = 1.25;

struct Settled {
    double level = 0;   // the median of the window
    double spread = 0;  // its highest level less its lowest
    std::uint32_t polls = 0;
};

class SettleDetector {
public:
    // `longest_gap`: the most seconds between two polls that still count as watching the
    // level all along; a longer silence starts the wait afresh. A caller polling every p
    // seconds gives about 2.5·p: a late or lost answer passes, a stopped poll does not.
    SettleDetector(double settle_seconds, double tolerance, double longest_gap)
        : settle_(settle_seconds), tolerance_(tolerance), longest_gap_(longest_gap) {}

    // Adds a poll taken at `seconds` (any steady clock). The reading once the level has
    // settled, else nullopt. A time that runs backwards, or a gap longer than
    // `longest_gap` since the poll before, starts the watch afresh from this poll.
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
    double longest_gap_;
    // The shortest run of latest polls that covers `settle`, or all of them since the
    // watch began; no two of them further apart than `longest_gap`.
    std::deque<Poll> window_;
};

}  // namespace taring
