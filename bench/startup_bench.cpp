// Start-up time: from starting the console's process to its window's first paint, beside
// a plain Qt window of the same size started the same way (the floor). Target: the
// console within 1.1 times the floor.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

extern char** environ;

namespace {

// Times the probe from process start to its "shown" line; `option` ("--bare",
// "--bare-text") shows a plain window instead of the console's.
void time_probe(benchmark::State& state, const char* option) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    for (auto _ : state) {
        int out[2];
        if (pipe(out) != 0) return state.SkipWithError("pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        char* argv[] = {const_cast<char*>(TRELVIK_STARTUP_PROBE), const_cast<char*>(option), nullptr};
        pid_t pid = 0;
        const auto start = std::chrono::steady_clock::now();
        const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        if (error != 0) {
            close(out[0]);
            return state.SkipWithError("cannot start the probe");
        }
        std::string said;
        char chunk[64];
        for (ssize_t n; said.find('\n') == std::string::npos && (n = read(out[0], chunk, sizeof chunk)) > 0;)
            said.append(chunk, static_cast<std::size_t>(n));
        const auto shown = std::chrono::steady_clock::now();
        close(out[0]);
        waitpid(pid, nullptr, 0);
        if (said.rfind("shown", 0) != 0) return state.SkipWithError("the window was not shown");
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
    }
}

void BareWindowShown(benchmark::State& state) { time_probe(state, "--bare"); }
// The same with one line of text: the fonts any window with text loads first.
void BareWindowWithTextShown(benchmark::State& state) { time_probe(state, "--bare-text"); }
void StartUpToWindowShown(benchmark::State& state) { time_probe(state, nullptr); }

BENCHMARK(BareWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(12);
BENCHMARK(BareWindowWithTextShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(12);
BENCHMARK(StartUpToWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(12);

}  // namespace

BENCHMARK_MAIN();
