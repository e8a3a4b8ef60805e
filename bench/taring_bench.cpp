// The taring table from a session of a horizontal tank with a sump and a filler neck: 30
// points padded to the unit's 40 rows, or 100 and 1000 points thinned to them, and 1000 at
// half litres. Target: under 200 ms for 1000. The counters give the table's largest deviation in litres as the unit
// holds it (whole litres), and that of 40 evenly spaced points for comparison.

#include <benchmark/benchmark.h>

#include <cmath>

#include "tank_session.h"
#include "taring/polyline.h"
#include "taring/table_builder.h"

namespace {

void BuildTable(benchmark::State& state) {
    const auto session = bench::tank_session(static_cast<std::size_t>(state.range(0)));
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
BENCHMARK(BuildTable)->Arg(30)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The same with every point's litres halfway between two whole litres, each of which a row
// may take: the search's slowest case.
void BuildTableAtHalves(benchmark::State& state) {
    auto session = bench::tank_session(static_cast<std::size_t>(state.range(0)));
    for (auto& p : session) p.litres = std::floor(p.litres) + 0.5;
    for (auto _ : state) benchmark::DoNotOptimize(taring::build_table(session));
}
BENCHMARK(BuildTableAtHalves)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
