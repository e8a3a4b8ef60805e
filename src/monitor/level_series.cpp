#include "monitor/level_series.h"

#include <algorithm>
#include <cmath>

namespace monitor {

void Stretch::add(double time, double level, double temperature) {
    Stretch one;
    one.first_time = one.last_time = time;
    one.count = 1;
    one.level_first = one.level_last = one.level_min = one.level_max = one.level_mean = level;
    one.temperature_first = one.temperature_last = one.temperature_min = one.temperature_max = temperature;
    merge(one);
}

void Stretch::merge(const Stretch& later) {
    if (later.empty()) return;
    if (empty()) {
        *this = later;
        return;
    }
    // Means and squared deviations combined pairwise, which keeps them exact to rounding
    // where sums of squares of levels in the thousands would cancel away the spread.
    const double n = static_cast<double>(count);
    const double m = static_cast<double>(later.count);
    const double delta = later.level_mean - level_mean;
    level_mean += delta * m / (n + m);
    level_m2 += later.level_m2 + delta * delta * n * m / (n + m);
    count += later.count;
    last_time = later.last_time;
    level_last = later.level_last;
    level_min = std::min(level_min, later.level_min);
    level_max = std::max(level_max, later.level_max);
    temperature_last = later.temperature_last;
    temperature_min = std::min(temperature_min, later.temperature_min);
    temperature_max = std::max(temperature_max, later.temperature_max);
}

LevelSeries::LevelSeries(const SeriesLimits& limits) : limits_(limits), width_(limits.stretch_seconds) {
    limits_.polls = std::max<std::size_t>(limits_.polls, 1);
    limits_.stretches = std::max<std::size_t>(limits_.stretches, 2);
}

void LevelSeries::add(double time, double level, double temperature) {
    if (polls_.empty() && stretches_.empty()) origin_ = time;
    if (!polls_.empty()) time = std::max(time, polls_.back().time);
    polls_.push_back({time, level, temperature});
    if (polls_.size() > limits_.polls) {
        retire(polls_.front());
        polls_.pop_front();
    }
}

void LevelSeries::clear() {
    polls_.clear();
    stretches_.clear();
    width_ = limits_.stretch_seconds;
}

double LevelSeries::first_time() const {
    if (!stretches_.empty()) return stretches_.front().stretch.first_time;
    return polls_.empty() ? 0 : polls_.front().time;
}

double LevelSeries::last_time() const { return polls_.empty() ? 0 : polls_.back().time; }

void LevelSeries::retire(const Poll& poll) {
    const auto slot = static_cast<std::int64_t>(std::floor((poll.time - origin_) / width_));
    if (stretches_.empty() || stretches_.back().slot != slot) stretches_.push_back({slot, {}});
    stretches_.back().stretch.add(poll.time, poll.level, poll.temperature);
    while (stretches_.size() > limits_.stretches) coarsen();
}

void LevelSeries::coarsen() {
    width_ *= 2;
    std::deque<Older> wider;
    for (const Older& o : stretches_) {
        const std::int64_t slot = o.slot >> 1;  // slots are never negative: no poll is before the origin
        if (!wider.empty() && wider.back().slot == slot)
            wider.back().stretch.merge(o.stretch);
        else
            wider.push_back({slot, o.stretch});
    }
    stretches_ = std::move(wider);
}

template <typename Take>
void LevelSeries::visit(double from, double to, Take take) const {
    const auto middle = [](const Stretch& s) { return (s.first_time + s.last_time) / 2; };
    auto older = std::partition_point(stretches_.begin(), stretches_.end(),
                                      [&](const Older& o) { return middle(o.stretch) < from; });
    for (; older != stretches_.end() && middle(older->stretch) <= to; ++older) take(middle(older->stretch), older->stretch);
    auto poll = std::partition_point(polls_.begin(), polls_.end(), [&](const Poll& p) { return p.time < from; });
    for (; poll != polls_.end() && poll->time <= to; ++poll) {
        Stretch one;
        one.add(poll->time, poll->level, poll->temperature);
        take(poll->time, one);
    }
}

std::vector<Stretch> LevelSeries::columns(double from, double to, std::size_t columns) const {
    std::vector<Stretch> out(columns);
    if (columns == 0 || !(to > from)) return out;
    const double width = (to - from) / static_cast<double>(columns);
    visit(from, to, [&](double at, const Stretch& s) {
        const auto c = std::min(columns - 1, static_cast<std::size_t>((at - from) / width));
        out[c].merge(s);
    });
    return out;
}

Stats LevelSeries::stats(double from, double to) const {
    Stretch all;
    visit(from, to, [&](double, const Stretch& s) { all.merge(s); });
    Stats stats;
    if (all.empty()) return stats;
    stats.count = all.count;
    stats.min = all.level_min;
    stats.max = all.level_max;
    stats.mean = all.level_mean;
    stats.deviation = std::sqrt(std::max(0.0, all.level_m2) / static_cast<double>(all.count));
    return stats;
}

}  // namespace monitor
