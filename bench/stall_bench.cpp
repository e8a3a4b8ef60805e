// How long the window's thread stalls while the exchange runs on a silent line: a 5 ms
// precise timer on the window's thread records how late each 5 ms slot is served, while
// the window's own 500 ms tick talks to a pseudo-terminal that never answers.
// A plain program: Google Benchmark times repeated work, not lateness over wall-clock time.
//
//   stall_bench [seconds per phase]   (default 10)

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "console/frm_serial.h"
#include "serial/line.h"
#include "support/pty_pair.h"

namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

constexpr std::chrono::milliseconds probe_period{5};

class SilentDialogs final : public Dialogs {
public:
    Answer message(const QString&, Buttons, Icon, const QString&) override { return Answer::Ok; }
    QString input(const QString&, const QString&, const QString&) override { return {}; }
    QString save_file(const QString&, const QString&, const QString&) override { return {}; }
    QString open_file(const QString&, const QString&, const QString&) override { return {}; }
};

// Runs the event loop until `done` holds, checking every 5 ms; false after `guard`.
bool run_until(const std::function<bool()>& done, std::chrono::milliseconds guard) {
    if (done()) return true;
    QEventLoop loop;
    QTimer check;
    const auto deadline = Clock::now() + guard;
    bool met = false;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        met = done();
        if (met || Clock::now() >= deadline) loop.quit();
    });
    check.start(5);
    loop.exec();
    return met;
}

// Runs the event loop for `length`.
void run_for(std::chrono::milliseconds length) {
    QEventLoop loop;
    QTimer end;
    end.setSingleShot(true);
    QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
    end.start(length);
    loop.exec();
}

// Lateness of the probe over `length`, in ms, one sample per 5 ms slot; `every_2s` runs
// each 2 s. A timeout that comes L ms late stands for the slots it swallowed too, late by
// L, L - 5, L - 10 ... ms: otherwise a 250 ms stall would count once against fifty
// on-time samples, and the percentiles would hide it.
std::vector<double> measure(std::chrono::milliseconds length, const std::function<void()>& every_2s) {
    std::vector<double> late;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setSingleShot(true);
    auto due = Clock::now() + probe_period;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const auto now = Clock::now();
        const double first = std::max(0.0, Ms(now - due).count());
        late.push_back(first);
        for (double swallowed = first - Ms(probe_period).count(); swallowed > 0.0;
             swallowed -= Ms(probe_period).count())
            late.push_back(swallowed);
        due = now + probe_period;
        probe.start(probe_period);
    });
    QTimer side;
    if (every_2s) {
        QObject::connect(&side, &QTimer::timeout, every_2s);
        side.start(2000);
    }
    probe.start(probe_period);
    run_for(length);
    probe.stop();
    side.stop();
    return late;
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    const auto at = static_cast<std::size_t>(std::lround(p * static_cast<double>(v.size() - 1)));
    return v[std::min(at, v.size() - 1)];
}

// `ticks` and `sent` (what the window wrote to the line) show the exchange ran meanwhile.
void print_row(const char* phase, const std::vector<double>& late, int ticks, std::size_t sent) {
    const double max = late.empty() ? 0.0 : *std::max_element(late.begin(), late.end());
    std::printf("%-28s %8.2f %8.2f %8.2f %8zu %6d %10zu\n", phase, percentile(late, 0.50), percentile(late, 0.95),
                max, late.size(), ticks, sent);
}

int run(std::chrono::milliseconds phase) {
    PtyPair pty;
    // The far end never answers; it only takes what the window sends so the buffer never fills.
    std::atomic<bool> draining{true};
    std::atomic<std::size_t> received{0};
    std::thread drain([&] {
        while (draining.load()) received += pty.receive(4096, std::chrono::milliseconds(50)).size();
    });
    auto sent = [&, last = std::size_t{0}]() mutable {
        const std::size_t now = received.load();
        return now - std::exchange(last, now);
    };
    auto stop_drain = [&] {
        draining.store(false);
        drain.join();
    };

    SilentDialogs dialogs;
    serial::SerialPortLine line;
    int status = 0;
    {
        std::optional<frmSerial> window;
        frmSerial& w = window.emplace(dialogs, line);
        w.show();
        w.CmbPort->setEditText(QString::fromStdString(pty.slave_path));
        w.BTNOpenCom_Click();
        if (!run_until([&] { return w.connected(); }, std::chrono::seconds(5))) {
            std::fprintf(stderr, "stall_bench: the window did not connect to %s\n", pty.slave_path.c_str());
            status = 1;
        } else {
            w.CmbNet->setCurrentIndex(w.CmbNet->findText(QStringLiteral("1")));
            (void)sent();
            int ticks = 0;
            QObject::connect(w.TMRComm, &QTimer::timeout, [&ticks] { ++ticks; });
            std::printf("phase (lateness in ms)            p50      p95      max  samples  ticks  bytes out\n");
            auto phase_row = [&](const char* name, const std::function<void()>& every_2s) {
                const std::vector<double> late = measure(phase, every_2s);
                print_row(name, late, std::exchange(ticks, 0), sent());
            };
            phase_row("poll off, nothing pending", {});
            if (!w.state.block_zapros) w.block_Click();
            phase_row("poll on", {});
            w.zapForm_Click();
            w.Text43->setText(QStringLiteral("13"));
            phase_row("poll on, table every 2 s", [&] { w.write_struct_Click(); });
            std::printf("target: p95 < 5 ms, max < 20 ms\n");
            // Quitting right after a tick handed a table write to the line: the read stops
            // waiting on the silent line, the frame goes out whole, the port closes.
            w.write_struct_Click();
            w.TMRComm_Timer();
            const auto quitting = Clock::now();
            window.reset();
            std::printf("quit with a table write in flight: %.1f ms (target < 300 ms)\n",
                        Ms(Clock::now() - quitting).count());
        }
        if (window) window->BTNCloseCom_Click();
    }
    stop_drain();
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    long seconds = 10;
    if (argc > 1) {
        char* end = nullptr;
        seconds = std::strtol(argv[1], &end, 10);
        if (end == argv[1] || *end != '\0' || seconds <= 0) {
            std::fprintf(stderr, "usage: stall_bench [seconds per phase]\n");
            return 1;
        }
    }
    try {
        return run(std::chrono::seconds(seconds));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "stall_bench: %s\n", e.what());
        return 1;
    }
}
