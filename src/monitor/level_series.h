#pragma once
// A polled sensor's level and temperature over time, for a chart that may run for
// hours: the latest polls are kept one by one, older ones only as stretches of fixed
// width (count, first and last, lowest and highest, mean and the squared deviations),
// whose width doubles whenever there are too many, so memory stays bounded however long
// the series runs. The chart's columns and the figures of a span are read from both.
// Plain C++.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace monitor {

// Polls further apart than this are drawn with a break between them: the line was
// silent, or the sensor did not answer.
inline constexpr double gap_seconds = 5;

// What a stretch of consecutive polls held. Times are seconds on the series' clock.
struct Stretch {
    double first_time = 0;
    double last_time = 0;
    std::uint64_t count = 0;
    double level_first = 0;
    double level_last = 0;
    double level_min = 0;
    double level_max = 0;
    double level_mean = 0;
    double level_m2 = 0;  // the sum of squared deviations from the mean
    double temperature_first = 0;
    double temperature_last = 0;
    double temperature_min = 0;
    double temperature_max = 0;

    bool empty() const { return count == 0; }
    void add(double time, double level, double temperature);
    // Takes in `later`, a stretch of polls after these.
    void merge(const Stretch& later);
};

// Whether a line joins two stretches, `before` ending earlier than `after` starts.
inline bool joined(const Stretch& before, const Stretch& after) {
    return after.first_time - before.last_time <= gap_seconds;
}

struct Stats {
    std::uint64_t count = 0;
    double min = 0;
    double max = 0;
    double mean = 0;
    double deviation = 0;  // standard deviation of the polls
    double spread() const { return max - min; }
};

struct SeriesLimits {
    std::size_t polls = 4096;     // kept one by one: over half an hour at two polls a second
    double stretch_seconds = 10;  // the first width of the older stretches
    std::size_t stretches = 2048;
};

class LevelSeries {
public:
    explicit LevelSeries(const SeriesLimits& limits = {});

    // A poll at `time`; a time before the last poll's counts as the last poll's.
    void add(double time, double level, double temperature);
    void clear();

    bool empty() const { return polls_.empty(); }
    double first_time() const;  // 0 when empty
    double last_time() const;

    // [from, to] cut into `columns` equal slices, each the stretch of the polls in it
    // (empty where there were none). An older stretch falls whole into the slice of its
    // middle.
    std::vector<Stretch> columns(double from, double to, std::size_t columns) const;
    // The level's figures over [from, to]: exact over the polls kept one by one, and over
    // older stretches whose middle lies in the span.
    Stats stats(double from, double to) const;

    std::size_t polls_kept() const { return polls_.size(); }
    std::size_t stretches_kept() const { return stretches_.size(); }
    double stretch_seconds() const { return width_; }
    std::size_t memory() const { return polls_.size() * sizeof(Poll) + stretches_.size() * sizeof(Older); }

private:
    struct Poll {
        double time;
        double level;
        double temperature;
    };
    struct Older {
        std::int64_t slot;  // (time - origin) / width, rounded down
        Stretch stretch;
    };
    void retire(const Poll& poll);  // the oldest poll kept, into its stretch
    void coarsen();                 // every two neighbouring slots into one of twice the width

    template <typename Take>
    void visit(double from, double to, Take take) const;

    SeriesLimits limits_;
    double width_;
    double origin_ = 0;  // the time of the first poll since clear
    std::deque<Poll> polls_;  // the latest, in time order
    std::deque<Older> stretches_;  // before polls_, in time order
};

}  // namespace monitor
