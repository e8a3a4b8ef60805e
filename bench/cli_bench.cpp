// trelvik-cli's line work against the simulator paced at 19200 baud with its turnaround:
// a backup of all ten slots (ten 167-byte replies, about 0.1 s of wire time each) and one
// slot written, read back and compared. Target: a backup under 1.0 s, its replies' wire time
// being about 0.90 s: a read ends as soon as its whole table has come.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <sstream>

#include "calibration/table_file.h"
#include "cli.h"
#include "support/sim_process.h"

namespace {

void run_cli(benchmark::State& state, const SimProcess& sim, const QStringList& arguments) {
    std::ostringstream out, err;
    cli::Io io{out, err};
    if (cli::run(arguments, QString::fromStdString(sim.device()), io) != 0) state.SkipWithError(err.str().c_str());
}

void Backup(benchmark::State& state) {
    SimProcess sim({"--no-drift"});
    QTemporaryDir dir;
    for (auto _ : state) run_cli(state, sim, {"backup", "-o", dir.filePath("unit.json"), "--force"});
}
BENCHMARK(Backup)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void TableWriteAndVerify(benchmark::State& state) {
    SimProcess sim({"--no-drift"});
    QTemporaryDir dir;
    const QString file = dir.filePath("t.csv");
    if (calibration::write_table_file(file, {})) state.SkipWithError("no table file");
    for (auto _ : state) run_cli(state, sim, {"table", "write", "4", file});
}
BENCHMARK(TableWriteAndVerify)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
