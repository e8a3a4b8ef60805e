#include "console/taring_chart.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "language/language.h"

namespace console {

namespace {

// Far beyond any level or litres; a value past it (from a damaged file) is not drawn, lest
// the axes' arithmetic overflow.
bool drawable(double v) { return std::isfinite(v) && std::abs(v) < 1e9; }

// Whether the table strays from a point by as much as the hundredth of a litre printed:
// a deviation that rounds to nothing has no point worth naming.
bool strays(const taring::BuiltTable& built) { return built.worst_point != 0 && std::abs(built.deviation) >= 0.005; }

struct Range {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    void take(double v) {
        if (!drawable(v)) return;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    bool empty() const { return lo > hi; }
};

// An axis cut into round steps (1, 2 or 5 times a power of ten) that cover the data.
struct Axis {
    double lo = 0;
    double hi = 1;
    double step = 1;
    int decimals = 0;

    double share(double v) const { return (v - lo) / (hi - lo); }
    long long first_tick() const { return std::llround(lo / step); }
    long long last_tick() const { return std::llround(hi / step); }
};

Axis round_axis(Range data, double fallback_hi, double most_ticks) {
    if (data.empty()) data = {0, fallback_hi};
    if (data.hi - data.lo < 1e-9 * std::max(1.0, std::abs(data.lo))) {
        // One value: a little room around it, not below zero when it is not negative.
        const double pad = std::max(1.0, std::abs(data.lo) * 0.1);
        data.hi = data.lo + pad;
        data.lo = data.lo >= 0 && data.lo < pad ? 0 : data.lo - pad;
    }
    const double raw = (data.hi - data.lo) / std::max(1.0, most_ticks);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * magnitude;
    for (const double m : {1.0, 2.0, 5.0})
        if (m * magnitude >= raw * (1 - 1e-9)) {
            step = m * magnitude;
            break;
        }
    Axis axis;
    axis.step = step;
    axis.lo = std::floor(data.lo / step + 1e-9) * step;
    axis.hi = std::ceil(data.hi / step - 1e-9) * step;
    if (axis.hi <= axis.lo) axis.hi = axis.lo + step;
    axis.decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    return axis;
}

QString tick_text(const Axis& axis, long long k) {
    return language::figure(static_cast<double>(k) * axis.step, axis.decimals);
}

const QColor point_colour(31, 100, 180);
const QColor table_colour(232, 125, 20);
const QColor worst_colour(210, 30, 30);
const QColor suspect_colour(235, 150, 0);
const QColor grid_colour(225, 225, 225);
// Sizes in the font's line heights, so the chart scales from the screen to paper.
constexpr double dot = 0.22;    // a point's mark, radius
constexpr double ring = 0.5;    // the worst point's ring, radius
constexpr double diamond = 0.45;  // a suspect portion's mark, half its height
constexpr double stroke = 0.12;  // the table's line and the ring

// The key in the plot's upper left corner, where a rising curve leaves room.
// A suspect point's mark: a diamond around it.
void draw_diamond(QPainter& painter, QPointF mid, double em) {
    const double h = diamond * em;
    painter.setPen(QPen(suspect_colour, stroke * em));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(QPolygonF{{mid.x(), mid.y() - h}, {mid.x() + h, mid.y()}, {mid.x(), mid.y() + h}, {mid.x() - h, mid.y()}});
}

void draw_key(QPainter& painter, const QRectF& plot, double em, const TaringChartData& data, bool worst,
              bool suspect) {
    const QFontMetricsF fm(painter.font(), painter.device());
    enum class Sample { dot, line, ring, diamond };
    struct Entry {
        QString text;
        Sample sample;
    };
    std::vector<Entry> entries{{QCoreApplication::translate("TaringChart", "точки"), Sample::dot}};
    if (data.table) entries.push_back({QCoreApplication::translate("TaringChart", "таблица (40 строк)"), Sample::line});
    if (worst) entries.push_back({QCoreApplication::translate("TaringChart", "наибольшее отклонение"), Sample::ring});
    if (suspect) entries.push_back({QCoreApplication::translate("TaringChart", "доливка под сомнением"), Sample::diamond});

    const double sample = 1.6 * em;
    double width = 0;
    for (const auto& e : entries) width = std::max(width, fm.horizontalAdvance(e.text));
    const double line = fm.height() * 1.15;
    const QRectF box(plot.left() + 0.6 * em, plot.top() + 0.6 * em, sample + 0.9 * em + width + 0.8 * em,
                     line * static_cast<double>(entries.size()) + 0.5 * em);
    if (box.right() > plot.right() || box.bottom() > plot.bottom()) return;  // too small a chart for a key
    painter.setPen(QPen(grid_colour, 0.06 * em));
    painter.setBrush(QColor(255, 255, 255, 230));
    painter.drawRect(box);
    double y = box.top() + 0.25 * em + line / 2;
    for (const auto& e : entries) {
        const QPointF mid(box.left() + 0.5 * em + sample / 2, y);
        if (e.sample == Sample::dot) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(point_colour);
            painter.drawEllipse(mid, dot * em, dot * em);
        } else if (e.sample == Sample::line) {
            painter.setPen(QPen(table_colour, stroke * em, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(mid.x() - sample / 2, y), QPointF(mid.x() + sample / 2, y));
        } else if (e.sample == Sample::ring) {
            painter.setPen(QPen(worst_colour, stroke * em));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(mid, ring * em, ring * em);
        } else {
            draw_diamond(painter, mid, em);
        }
        painter.setPen(QPen(QColor(40, 40, 40)));
        painter.drawText(QPointF(box.left() + 0.5 * em + sample + 0.5 * em, y + (fm.ascent() - fm.descent()) / 2),
                         e.text);
        y += line;
    }
}

}  // namespace

void draw_taring_chart(QPainter& painter, const QRectF& area, const TaringChartData& data) {
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor ink = painter.pen().color();
    const QFontMetricsF fm(painter.font(), painter.device());
    const double em = fm.height();
    const double gap = 0.4 * em;
    const double tick = 0.3 * em;

    Range levels;
    Range litres;
    for (const auto& p : data.points) {
        levels.take(p.level);
        litres.take(p.litres);
    }
    if (data.table)
        for (std::size_t r = 0; r < calibration::table_points; ++r) {
            levels.take(data.table->values[r]);
            litres.take(data.table->litres[r]);
        }

    // The plot's height is known first, from the text under it; then the litres' figures
    // decide the left margin and so the plot's width and the levels' figures.
    const QString y_caption = QCoreApplication::translate("TaringChart", "Литры, л");
    const QString x_caption = QCoreApplication::translate("TaringChart", "Уровень");
    const double top = area.top() + em * 1.7;
    const double bottom = area.bottom() - (gap + fm.height() + gap + fm.height() + 0.3 * em);
    const double plot_height = std::max(1.0, bottom - top);
    const Axis y_axis = round_axis(litres, 100, std::min(10.0, plot_height / (2.2 * em)));
    double label_width = 0;
    for (long long k = y_axis.first_tick(); k <= y_axis.last_tick(); ++k)
        label_width = std::max(label_width, fm.horizontalAdvance(tick_text(y_axis, k)));
    const double left = area.left() + 0.3 * em + label_width + gap;
    // Room for half the last level's figure past the plot.
    const double right = area.right() - 0.5 * fm.horizontalAdvance(QStringLiteral("00000")) - 0.3 * em;
    const double plot_width = std::max(1.0, right - left);
    // Room for the levels' widest figure and a gap between two.
    const double level_figure =
        fm.horizontalAdvance(levels.empty() ? QStringLiteral("0000") : language::figure(std::max(std::abs(levels.lo), std::abs(levels.hi)), 1)) +
        1.5 * em;
    const Axis x_axis = round_axis(levels, 1000, std::min(12.0, plot_width / level_figure));
    const QRectF plot(left, top, plot_width, plot_height);
    auto at = [&](double level, double l) {
        return QPointF(plot.left() + x_axis.share(level) * plot.width(), plot.bottom() - y_axis.share(l) * plot.height());
    };

    // Paper, grid and figures.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(plot);
    painter.setBrush(Qt::NoBrush);
    const QPen grid_pen(grid_colour, 0.06 * em);
    const QPen axis_pen(ink, 0.08 * em);
    for (long long k = y_axis.first_tick(); k <= y_axis.last_tick(); ++k) {
        const double y = at(x_axis.lo, static_cast<double>(k) * y_axis.step).y();
        painter.setPen(grid_pen);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(axis_pen);
        painter.drawLine(QPointF(plot.left() - tick, y), QPointF(plot.left(), y));
        const QString text = tick_text(y_axis, k);
        painter.drawText(QPointF(plot.left() - tick - 0.15 * em - fm.horizontalAdvance(text), y + (fm.ascent() - fm.descent()) / 2),
                         text);
    }
    for (long long k = x_axis.first_tick(); k <= x_axis.last_tick(); ++k) {
        const double x = at(static_cast<double>(k) * x_axis.step, y_axis.lo).x();
        painter.setPen(grid_pen);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(axis_pen);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tick));
        const QString text = tick_text(x_axis, k);
        painter.drawText(QPointF(x - fm.horizontalAdvance(text) / 2, plot.bottom() + tick + gap / 2 + fm.ascent()), text);
    }
    painter.setPen(axis_pen);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawText(QPointF(plot.left() + (plot.width() - fm.horizontalAdvance(x_caption)) / 2,
                             plot.bottom() + tick + gap + fm.height() + gap / 2 + fm.ascent()),
                     x_caption);
    painter.drawText(QPointF(area.left() + 0.3 * em, area.top() + 0.2 * em + fm.ascent()), y_caption);

    painter.save();
    painter.setClipRect(plot.adjusted(-em, -em, em, em), Qt::IntersectClip);
    // A few points sit on the table's line as marks; a dense session's marks are smaller,
    // lest they merge into a band, and the line goes over them, lest they hide it.
    const bool dense = data.points.size() > 150;
    auto marks = [&] {
        const double mark = (dense ? 0.6 : 1.0) * dot * em;
        painter.setPen(Qt::NoPen);
        painter.setBrush(point_colour);
        for (const auto& p : data.points)
            if (drawable(p.level) && drawable(p.litres)) painter.drawEllipse(at(p.level, p.litres), mark, mark);
    };
    if (dense) marks();
    if (data.table) {
        QPainterPath line;
        for (std::size_t r = 0; r < calibration::table_points; ++r) {
            const QPointF p = at(data.table->values[r], data.table->litres[r]);
            if (r == 0)
                line.moveTo(p);
            else
                line.lineTo(p);
        }
        painter.setPen(QPen(table_colour, stroke * em, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(line);
    }
    if (!dense) marks();

    const bool worst = data.worst_point >= 1 && data.worst_point <= data.points.size() &&
                       drawable(data.points[data.worst_point - 1].level) &&
                       drawable(data.points[data.worst_point - 1].litres);
    if (worst) {
        const auto& p = data.points[data.worst_point - 1];
        painter.setPen(QPen(worst_colour, stroke * em));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(at(p.level, p.litres), ring * em, ring * em);
    }

    bool suspect = false;
    for (const std::size_t n : data.suspect)
        if (n >= 1 && n <= data.points.size() && drawable(data.points[n - 1].level) &&
            drawable(data.points[n - 1].litres)) {
            draw_diamond(painter, at(data.points[n - 1].level, data.points[n - 1].litres), em);
            suspect = true;
        }

    painter.restore();
    if (data.points.empty()) {
        painter.setPen(ink);
        painter.drawText(plot, Qt::AlignCenter, QCoreApplication::translate("TaringChart", "Точек пока нет"));
    } else {
        draw_key(painter, plot, em, data, worst, suspect);
    }
    painter.restore();
}

TaringChartData chart_data(std::span<const taring::TaringPoint> points, const taring::BuiltTable* built) {
    if (!built) return {points, nullptr, 0, {}};
    return {points, &built->table, strays(*built) ? built->worst_point : 0, {}};
}

QString deviation_text(const taring::BuiltTable& built) {
    const QString litres = language::figures_locale().toString(built.deviation, 'f', 2);
    // Every point is a row: no figure of how far the table strays, which would read as
    // a measure of its quality; only what rounding to whole litres did.
    // Of points with one level only one is a row: the others are named apart.
    if (built.points_used <= calibration::table_points) {
        const int aside = static_cast<int>(built.set_aside);
        if (std::abs(built.deviation) < 0.005)
            return aside ? QCoreApplication::translate("TaringChart", "Таблица проходит через все точки, кроме отложенных (их уровень занят другой точкой): %n.",
                                                       nullptr, aside)
                         : QCoreApplication::translate("TaringChart", "Таблица проходит через все точки.");
        return (aside ? QCoreApplication::translate("TaringChart", "Таблица проходит через все точки, кроме отложенных (их уровень занят другой точкой): %n; "
                                                                   "литры в ней целые, отклонение до %1 л.",
                                                    nullptr, aside)
                      : QCoreApplication::translate("TaringChart", "Таблица проходит через все точки; литры в ней целые, отклонение до %1 л."))
            .arg(litres);
    }
    if (built.worst_row != 0 && std::abs(built.deviation) >= 0.005)
        return QCoreApplication::translate("TaringChart", "Наибольшее отклонение %1 л (строка %2 таблицы)").arg(litres).arg(built.worst_row);
    if (!strays(built))
        return QCoreApplication::translate("TaringChart", "Наибольшее отклонение %1 л").arg(litres);
    return QCoreApplication::translate("TaringChart", "Наибольшее отклонение %1 л (точка %2)").arg(litres).arg(built.worst_point);
}

}  // namespace console
