// The monitor's series: the figures of a span, its chart columns with their breaks, and
// hours of polls thinned into bounded memory without losing the figures.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "monitor/level_series.h"

using monitor::LevelSeries;
using monitor::Stats;

namespace {

struct Poll {
    double time;
    double level;
};

// The figures computed the plain way, for comparison.
Stats direct(const std::vector<Poll>& polls, double from, double to) {
    Stats s;
    double sum = 0;
    std::vector<double> in;
    for (const Poll& p : polls)
        if (p.time >= from && p.time <= to) in.push_back(p.level);
    if (in.empty()) return s;
    s.count = in.size();
    s.min = *std::min_element(in.begin(), in.end());
    s.max = *std::max_element(in.begin(), in.end());
    for (double v : in) sum += v;
    s.mean = sum / static_cast<double>(in.size());
    double squares = 0;
    for (double v : in) squares += (v - s.mean) * (v - s.mean);
    s.deviation = std::sqrt(squares / static_cast<double>(in.size()));
    return s;
}

void expect_stats(const Stats& got, const Stats& want, const char* what) {
    EXPECT_EQ(got.count, want.count) << what;
    EXPECT_DOUBLE_EQ(got.min, want.min) << what;
    EXPECT_DOUBLE_EQ(got.max, want.max) << what;
    EXPECT_NEAR(got.mean, want.mean, 1e-9 * std::max(1.0, want.mean)) << what;
    EXPECT_NEAR(got.deviation, want.deviation, 1e-7) << what;
}

}  // namespace

TEST(LevelSeries, FiguresOfTheSpanShown) {
    LevelSeries series;
    // A float moved by hand: 100 for ten seconds, up to 160, down to 130.
    const std::vector<Poll> polls{{0, 100}, {0.5, 100}, {1, 101}, {1.5, 99}, {2, 100}, {10, 160},
                                  {10.5, 158}, {11, 161}, {20, 130}, {20.5, 130}};
    for (const Poll& p : polls) series.add(p.time, p.level, 20);

    struct Case {
        const char* what;
        double from, to;
        std::uint64_t count;
        double min, max, mean, spread;
    };
    for (const Case& c : {Case{"all", 0, 20.5, 10, 99, 161, 123.9, 62},
                          Case{"steady start", 0, 2, 5, 99, 101, 100, 2},
                          Case{"one poll", 20.5, 25, 1, 130, 130, 130, 0},
                          Case{"nothing", 3, 9, 0, 0, 0, 0, 0}}) {
        const Stats s = series.stats(c.from, c.to);
        EXPECT_EQ(s.count, c.count) << c.what;
        EXPECT_DOUBLE_EQ(s.min, c.min) << c.what;
        EXPECT_DOUBLE_EQ(s.max, c.max) << c.what;
        EXPECT_NEAR(s.mean, c.mean, 1e-9) << c.what;
        EXPECT_DOUBLE_EQ(s.spread(), c.spread) << c.what;
    }
    EXPECT_NEAR(series.stats(0, 2).deviation, std::sqrt(0.4), 1e-12);
}

TEST(LevelSeries, ColumnsHoldEachSlicesRangeAndBreakAtASilence) {
    LevelSeries series;
    for (int i = 0; i < 8; ++i) series.add(i * 0.5, 100 + (i % 2) * 6, 20 - i);  // 0 .. 3.5 s
    for (int i = 0; i < 4; ++i) series.add(20 + i * 0.5, 50, 25);                // after 16.5 s of silence

    const auto columns = series.columns(0, 24, 12);  // 2 s each
    ASSERT_EQ(columns.size(), 12u);
    EXPECT_EQ(columns[0].count, 4u);
    EXPECT_EQ(columns[0].level_first, 100);
    EXPECT_EQ(columns[0].level_min, 100);
    EXPECT_EQ(columns[0].level_max, 106);
    EXPECT_EQ(columns[0].level_last, 106);
    EXPECT_EQ(columns[1].temperature_min, 13);
    EXPECT_EQ(columns[1].temperature_max, 16);
    for (std::size_t c = 2; c < 10; ++c) EXPECT_TRUE(columns[c].empty()) << c;
    EXPECT_EQ(columns[10].count, 4u);
    EXPECT_TRUE(monitor::joined(columns[0], columns[1]));
    EXPECT_FALSE(monitor::joined(columns[1], columns[10])) << "a silence longer than the gap is a break";
}

TEST(LevelSeries, EightHoursAtTwoPollsASecondStayBoundedAndKeepTheirFigures) {
    LevelSeries series;
    std::vector<Poll> polls;
    const int count = 8 * 3600 * 2;
    for (int i = 0; i < count; ++i) {
        // A slow rise with a sensor's noise, and a quarter of an hour without polls.
        if (i >= 20000 && i < 21800) continue;
        const double t = i * 0.5;
        const double level = 3000 + t / 100 + ((i * 7919) % 11) - 5;
        polls.push_back({t, level});
        series.add(t, level, 20);
    }
    const monitor::SeriesLimits limits;
    EXPECT_LE(series.polls_kept(), limits.polls);
    EXPECT_LE(series.stretches_kept(), limits.stretches);
    EXPECT_LT(series.memory(), std::size_t{512} * 1024);

    const double end = polls.back().time;
    expect_stats(series.stats(0, end), direct(polls, 0, end), "all of it, mostly thinned");
    expect_stats(series.stats(end - 1800, end), direct(polls, end - 1800, end), "the last half hour, kept poll by poll");

    // The silence shows as a break wherever it falls in the columns.
    const auto columns = series.columns(0, end, 900);
    int breaks = 0;
    const monitor::Stretch* before = nullptr;
    for (const auto& c : columns) {
        if (c.empty()) continue;
        if (before && !monitor::joined(*before, c)) ++breaks;
        before = &c;
    }
    EXPECT_EQ(breaks, 1);
}
