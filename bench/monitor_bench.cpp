// The sensor monitor over a long shift: eight hours of polls twice a second. The chart
// redrawn at the window's size (880x330, antialiased) for the spans the window offers,
// against a target of 16 ms, one frame, on the window's thread; the series' memory as
// counters. The traffic log of the same eight hours, its memory and its text as saved.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "console/sensor_monitor_chart.h"
#include "exchange/traffic_log.h"
#include "monitor/level_series.h"

namespace {

constexpr int eight_hours = 8 * 3600 * 2;  // polls

// A tank emptied slowly through a shift, with a sensor's noise and a temperature that
// follows the day.
monitor::LevelSeries shift() {
    monitor::LevelSeries series;
    for (int i = 0; i < eight_hours; ++i) {
        const double t = i * 0.5;
        series.add(t, std::round(3500 - t / 20 + 3 * std::sin(i * 0.7) + (i * 7919 % 5)),
                   std::round(15 + 8 * std::sin(t / 9000)));
    }
    return series;
}

void Redraw(benchmark::State& state) {
    static const monitor::LevelSeries series = shift();
    const double to = series.last_time();
    const double span = static_cast<double>(state.range(0));
    const console::MonitorChartData data{&series, span > 0 ? to - span : series.first_time(), to,
                                         QDateTime::currentDateTime()};
    QImage image(880, 330, QImage::Format_ARGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        console::draw_monitor_chart(painter, QRectF(image.rect()), data);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["series_kB"] = static_cast<double>(series.memory()) / 1024;
    state.counters["polls_kept"] = static_cast<double>(series.polls_kept());
    state.counters["stretches"] = static_cast<double>(series.stretches_kept());
}
BENCHMARK(Redraw)->Arg(60)->Arg(300)->Arg(1800)->Arg(0)->Unit(benchmark::kMillisecond);

void FillEightHours(benchmark::State& state) {
    for (auto _ : state) {
        monitor::LevelSeries series = shift();
        benchmark::DoNotOptimize(series.memory());
    }
}
BENCHMARK(FillEightHours)->Unit(benchmark::kMillisecond);

// Each tick a four-byte full poll out and its 22-byte answer in.
void SaveTraffic(benchmark::State& state) {
    exchange::TrafficLog log;
    const protocol::Bytes request{0x31, 0x01, 0xF0, 0x8E};
    protocol::Bytes answer(22, 0x3E);
    for (int i = 0; i < eight_hours; ++i) {
        const std::int64_t ms = 1'746'000'000'000 + std::int64_t{i} * 500;
        answer[5] = static_cast<protocol::Byte>(i);
        log.add({ms, 3 * 3600}, exchange::Direction::Received, answer);
        log.add({ms + 30, 3 * 3600}, exchange::Direction::Sent, request);
    }
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string text = log.text();
        size = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["log_MB"] = static_cast<double>(log.memory()) / (1 << 20);
    state.counters["frames"] = static_cast<double>(log.frames());
    state.counters["text_MB"] = static_cast<double>(size) / (1 << 20);
}
BENCHMARK(SaveTraffic)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
