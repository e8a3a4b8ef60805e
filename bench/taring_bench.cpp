// The taring table from a dense session: 1000 points of a horizontal tank with a sump and a
// filler neck, thinned to the unit's 40 rows. Target: under 200 ms. The counters give the
// table's largest deviation in litres, and that of 40 evenly spaced points for comparison.

#include <benchmark/benchmark.h>

#include <cmath>

#include "tank.h"
#include "taring/polyline.h"
#include "taring/table_builder.h"

namespace {

// `n` pours into a 2000-litre tank: a 40-litre sump below the body and a 30-litre neck above
// it, read by a sensor of 0..32000 over the whole height, the level rounded to a unit.
std::vector<taring::TaringPoint> dense_session(std::size_t n) {
    constexpr double sump = 40, neck = 30, body = 2000 - sump - neck;
    constexpr double sump_height = 0.06, neck_height = 0.08;  // shares of the height
    std::vector<taring::TaringPoint> points;
    for (std::size_t k = 0; k < n; ++k) {
        const double litres = 2000.0 * static_cast<double>(k) / static_cast<double>(n - 1);
        double height = 0;
        if (litres <= sump)
            height = sump_height * litres / sump;
        else if (litres <= sump + body)
            height = sump_height + (1 - sump_height - neck_height) * sim::cylinder_height((litres - sump) / body);
        else
            height = 1 - neck_height + neck_height * (litres - sump - body) / neck;
        taring::TaringPoint p;
        p.litres = litres;
        p.level = std::round(32000 * height);
        points.push_back(p);
    }
    return points;
}

void BuildTable(benchmark::State& state) {
    const auto session = dense_session(static_cast<std::size_t>(state.range(0)));
    taring::BuiltTable built;
    for (auto _ : state) {
        auto made = taring::build_table(session);
        benchmark::DoNotOptimize(made);
        built = std::get<taring::BuiltTable>(made);
    }
    // Evenly spaced: every point's share of the way, among the points the table rests on.
    std::vector<taring::Point> all, even;
    for (const auto& p : session)
        if (all.empty() || p.level > all.back().x) all.push_back({p.level, p.litres});
    for (std::size_t r = 0; r < 40; ++r) even.push_back(all[(r * (all.size() - 1) + 19) / 39]);
    state.counters["points"] = static_cast<double>(built.points_used);
    state.counters["deviation_L"] = built.deviation;
    state.counters["even_spaced_L"] = taring::deviation(even, all).largest;
}
BENCHMARK(BuildTable)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
