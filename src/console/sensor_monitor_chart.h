#pragma once
// The sensor monitor's chart: the level and the temperature of the polled sensor over a
// span of time, the level on the left axis, the temperature on the right, the time of
// day below. Hours of polls are drawn as one column per pixel, each from its lowest to
// its highest value, so a redraw costs the same whatever the span.

#include <QDateTime>
#include <QRectF>

#include "monitor/level_series.h"

class QPainter;

namespace console {

struct MonitorChartData {
    const monitor::LevelSeries* series = nullptr;
    double from = 0;  // the span shown, in seconds on the series' clock
    double to = 60;
    QDateTime wall_at_to;  // the time of day at `to`, for the time axis
};

// Draws into `area` with the painter's font; nothing outside it is touched.
void draw_monitor_chart(QPainter& painter, const QRectF& area, const MonitorChartData& data);

}  // namespace console
