#include "console/sensor_monitor_chart.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QLineF>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace console {

using monitor::Stretch;

namespace {

const QColor level_colour(31, 100, 180);
const QColor temperature_colour(232, 125, 20);
const QColor grid_colour(225, 225, 225);

// Whole steps of 1, 2 or 5 times a power of ten that cover [lo, hi]: levels and
// temperatures are whole numbers, so no figure needs decimals.
struct Axis {
    double lo = 0;
    double hi = 1;
    double step = 1;
    double share(double v) const { return (v - lo) / (hi - lo); }
};

Axis whole_axis(double lo, double hi, double most_ticks) {
    if (hi - lo < 2) {  // a flat line: a little room around it
        lo -= 1;
        hi += 1;
    }
    const double raw = (hi - lo) / std::max(1.0, most_ticks);
    const double magnitude = std::pow(10.0, std::floor(std::log10(std::max(1.0, raw))));
    double step = 10 * magnitude;
    for (const double m : {1.0, 2.0, 5.0})
        if (m * magnitude >= raw) {
            step = m * magnitude;
            break;
        }
    Axis axis;
    axis.step = step;
    axis.lo = std::floor(lo / step) * step;
    axis.hi = std::ceil(hi / step) * step;
    if (axis.hi <= axis.lo) axis.hi = axis.lo + step;
    return axis;
}

// The time axis' step in seconds: the shortest of these that leaves room for the labels.
double time_step(double span, double most_ticks) {
    static constexpr std::array<double, 19> steps{1,   2,    5,    10,   15,   30,    60,    120,   300,  600,
                                                  900, 1800, 3600, 7200, 10800, 21600, 43200, 86400, 172800};
    for (const double s : steps)
        if (span / s <= most_ticks) return s;
    return steps.back();
}

struct Line {
    double Stretch::*first;
    double Stretch::*min;
    double Stretch::*max;
    double Stretch::*last;
};
constexpr Line level_line{&Stretch::level_first, &Stretch::level_min, &Stretch::level_max, &Stretch::level_last};
constexpr Line temperature_line{&Stretch::temperature_first, &Stretch::temperature_min, &Stretch::temperature_max,
                                &Stretch::temperature_last};

}  // namespace

void draw_monitor_chart(QPainter& painter, const QRectF& area, const MonitorChartData& data) {
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor ink = painter.pen().color();
    const QFontMetricsF fm(painter.font(), painter.device());
    const double em = fm.height();
    const double tick = 0.3 * em;
    const double span = std::max(1e-3, data.to - data.from);

    // Margins from the widest figures either axis can have.
    const double left = area.left() + 0.4 * em + fm.horizontalAdvance(QStringLiteral("00000")) + tick;
    const double right = area.right() - 0.4 * em - fm.horizontalAdvance(QStringLiteral("-000")) - tick;
    const double top = area.top() + 1.6 * em;
    const double bottom = area.bottom() - tick - 1.4 * em;
    const QRectF plot(left, top, std::max(1.0, right - left), std::max(1.0, bottom - top));

    const auto columns = data.series ? data.series->columns(data.from, data.to, static_cast<std::size_t>(plot.width()))
                                     : std::vector<Stretch>{};
    double level_lo = std::numeric_limits<double>::infinity();
    double level_hi = -level_lo;
    double temperature_lo = level_lo;
    double temperature_hi = -level_lo;
    for (const Stretch& c : columns) {
        if (c.empty()) continue;
        level_lo = std::min(level_lo, c.level_min);
        level_hi = std::max(level_hi, c.level_max);
        temperature_lo = std::min(temperature_lo, c.temperature_min);
        temperature_hi = std::max(temperature_hi, c.temperature_max);
    }
    const bool any = level_lo <= level_hi;
    const double most_rows = std::min(10.0, plot.height() / (2.0 * em));
    const Axis level_axis = any ? whole_axis(level_lo, level_hi, most_rows) : whole_axis(0, 100, most_rows);
    const Axis temperature_axis = any ? whole_axis(temperature_lo, temperature_hi, most_rows) : whole_axis(0, 40, most_rows);

    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(plot);
    painter.setBrush(Qt::NoBrush);
    const QPen grid_pen(grid_colour, 0.06 * em);
    const QPen axis_pen(ink, 0.08 * em);
    const double baseline = (fm.ascent() - fm.descent()) / 2;

    // Rows: the level's grid and figures on the left, the temperature's figures on the right.
    for (double v = level_axis.lo; v <= level_axis.hi + level_axis.step / 2; v += level_axis.step) {
        const double y = plot.bottom() - level_axis.share(v) * plot.height();
        painter.setPen(grid_pen);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(axis_pen);
        const QString text = QString::number(std::llround(v));
        painter.drawText(QPointF(plot.left() - tick - fm.horizontalAdvance(text), y + baseline), text);
    }
    painter.setPen(temperature_colour.darker(130));
    for (double v = temperature_axis.lo; v <= temperature_axis.hi + temperature_axis.step / 2;
         v += temperature_axis.step) {
        const double y = plot.bottom() - temperature_axis.share(v) * plot.height();
        painter.drawText(QPointF(plot.right() + tick, y + baseline), QString::number(std::llround(v)));
    }

    // Columns: the time of day at round steps, counted in local time.
    const double step = time_step(span, std::max(1.0, plot.width() / fm.horizontalAdvance(QStringLiteral("00:00:00  "))));
    const QString format = step < 60 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm");
    if (data.wall_at_to.isValid()) {
        const QDateTime wall_from = data.wall_at_to.addMSecs(-std::llround(span * 1000));
        const double local_from = static_cast<double>(wall_from.toMSecsSinceEpoch()) / 1000 + wall_from.offsetFromUtc();
        for (double local = std::ceil(local_from / step) * step; local <= local_from + span; local += step) {
            const double x = plot.left() + (local - local_from) / span * plot.width();
            painter.setPen(grid_pen);
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            painter.setPen(axis_pen);
            const QString text = wall_from.addMSecs(std::llround((local - local_from) * 1000)).toString(format);
            const double width = fm.horizontalAdvance(text);
            const double at = std::clamp(x - width / 2, area.left(), area.right() - width);
            painter.drawText(QPointF(at, plot.bottom() + tick + fm.ascent()), text);
        }
    }
    painter.setPen(axis_pen);
    painter.drawRect(plot);

    // The key over the plot.
    double key_x = plot.left();
    const double key_y = area.top() + 0.8 * em;
    for (const auto& [text, colour] : {std::pair{QCoreApplication::translate("SensorMonitorChart", "уровень"), level_colour},
                                       std::pair{QCoreApplication::translate("SensorMonitorChart", "температура, °C"), temperature_colour}}) {
        painter.setPen(QPen(colour, 0.15 * em));
        painter.drawLine(QPointF(key_x, key_y), QPointF(key_x + 1.5 * em, key_y));
        painter.setPen(ink);
        painter.drawText(QPointF(key_x + 1.9 * em, key_y + baseline), text);
        key_x += 1.9 * em + fm.horizontalAdvance(text) + 1.2 * em;
    }

    if (!any) {
        painter.setPen(ink);
        painter.drawText(plot, Qt::AlignCenter, QCoreApplication::translate("SensorMonitorChart", "Нет опросов за это время"));
        painter.restore();
        return;
    }

    // Each column a stroke from its lowest to its highest value, joined to the column
    // before unless a gap lies between; the temperature first, under the level. Separate
    // segments with flat ends: a wide pen along one polyline of thousands of turns costs
    // the stroker a hundred times as much.
    painter.setClipRect(plot, Qt::IntersectClip);
    std::vector<QLineF> segments;
    segments.reserve(2 * columns.size());
    const auto draw = [&](const Line& line, const Axis& axis, const QPen& pen) {
        segments.clear();
        const auto y = [&](double v) { return plot.bottom() - axis.share(v) * plot.height(); };
        const Stretch* before = nullptr;
        double before_x = 0;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const Stretch& c = columns[i];
            if (c.empty()) continue;
            const double x = plot.left() + static_cast<double>(i) + 0.5;
            const bool joins = before && monitor::joined(*before, c);
            if (joins) segments.emplace_back(before_x, y(before->*line.last), x, y(c.*line.first));
            if (c.*line.max > c.*line.min)
                segments.emplace_back(x, y(c.*line.min), x, y(c.*line.max));
            else if (!joins)  // a poll alone still shows, as a dash
                segments.emplace_back(x - 1, y(c.*line.first), x + 1, y(c.*line.first));
            before = &c;
            before_x = x;
        }
        painter.setPen(pen);
        painter.drawLines(segments.data(), static_cast<int>(segments.size()));
    };
    draw(temperature_line, temperature_axis, QPen(temperature_colour, 0.08 * em, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    draw(level_line, level_axis, QPen(level_colour, 0.12 * em, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.restore();
}

}  // namespace console
