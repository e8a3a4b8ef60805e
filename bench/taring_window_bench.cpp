// The taring window's work after a point: the table rebuilt from every point taken and the
// chart redrawn, at the window's size (640x420, antialiased), for 200 points of a horizontal
// tank with a sensor's noise and for 1000. Target: under 16 ms for 200, one frame, on the
// window's thread. The counter gives the chart's share.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <chrono>

#include "console/taring_chart.h"
#include "tank_session.h"
#include "taring/table_builder.h"

namespace {

void AfterAPoint(benchmark::State& state) {
    const auto session = bench::tank_session(static_cast<std::size_t>(state.range(0)), 3.0);
    QImage image(640, 420, QImage::Format_ARGB32);
    std::chrono::duration<double, std::milli> drawing{0};
    for (auto _ : state) {
        auto made = taring::build_table(session);
        const auto& built = std::get<taring::BuiltTable>(made);
        const auto drawn = std::chrono::steady_clock::now();
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        console::draw_taring_chart(painter, QRectF(image.rect()), console::chart_data(session, &built));
        painter.end();
        drawing += std::chrono::steady_clock::now() - drawn;
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["chart_ms"] = drawing.count() / static_cast<double>(state.iterations());
}
BENCHMARK(AfterAPoint)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
