#include "table_builder.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "calibration/table_texts.h"
#include "taring/polyline.h"

namespace taring {

using calibration::table_points;

namespace {

// Half to the even neighbour, as the grid rounds.
double whole(double v) { return std::nearbyint(v); }

std::string number_text(double v) {
    std::string text = std::to_string(v);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

struct Entry {
    Point point;             // x: the rounded level, y: the litres as taken
    std::size_t number = 0;  // 1 for the first point taken
};

TableRefusal refused(TableRefusal::Reason reason, std::size_t point, std::size_t other, std::string text) {
    return {reason, point, other, std::move(text)};
}

std::optional<TableRefusal> out_of_range(const TaringPoint& p, std::size_t number) {
    const std::string at = "point " + std::to_string(number) + ": ";
    if (!std::isfinite(p.level) || whole(p.level) < 0 || whole(p.level) > calibration::max_value)
        return refused(TableRefusal::Reason::level_out_of_range, number, 0,
                       at + "level " + number_text(p.level) + " is outside 0.." + std::to_string(calibration::max_value));
    if (!std::isfinite(p.litres) || whole(p.litres) < 0 || whole(p.litres) > calibration::max_litres)
        return refused(TableRefusal::Reason::litres_out_of_range, number, 0,
                       at + number_text(p.litres) + " litres is outside 0.." + std::to_string(calibration::max_litres));
    return std::nullopt;
}

// Rows for 40 or fewer points: every point, and on the segments between them rows at
// whole levels spread evenly, the longest segments (by level) divided first. When the
// levels leave no room, the last point is repeated.
std::vector<Entry> padded(const std::vector<Entry>& kept) {
    const std::size_t segments = kept.size() - 1;
    std::vector<std::size_t> pieces(segments, 1);
    auto width = [&](std::size_t t) { return kept[t + 1].point.x - kept[t].point.x; };
    for (std::size_t missing = table_points - kept.size(); missing > 0; --missing) {
        std::optional<std::size_t> widest;
        for (std::size_t t = 0; t < segments; ++t)
            if (static_cast<double>(pieces[t]) < width(t) &&
                (!widest || width(t) / static_cast<double>(pieces[t]) > width(*widest) / static_cast<double>(pieces[*widest])))
                widest = t;
        if (!widest) break;
        ++pieces[*widest];
    }
    std::vector<Entry> rows;
    for (std::size_t t = 0; t < segments; ++t) {
        rows.push_back(kept[t]);
        const Point& a = kept[t].point;
        const Point& b = kept[t + 1].point;
        const auto span = static_cast<long long>(width(t));
        const auto n = static_cast<long long>(pieces[t]);
        for (long long q = 1; q < n; ++q) {
            // Rounded half up: whole levels a step or more apart stay apart.
            const long long step = (span * q + n / 2) / n;
            const double x = a.x + static_cast<double>(step);
            rows.push_back({{x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)}, 0});
        }
    }
    while (rows.size() < table_points) rows.push_back(kept.back());
    return rows;
}

}  // namespace

std::variant<BuiltTable, TableRefusal> build_table(std::span<const TaringPoint> points) {
    std::vector<Entry> entries;
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (auto refusal = out_of_range(points[k], k + 1)) return *refusal;
        entries.push_back({{whole(points[k].level), points[k].litres}, k + 1});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.point.y < b.point.y; });

    BuiltTable built;
    std::vector<Entry> kept;
    for (const Entry& e : entries) {
        if (!kept.empty()) {
            const Entry& last = kept.back();
            const std::string at = "point " + std::to_string(e.number) + ": ";
            if (e.point.y == last.point.y && e.point.x != last.point.x)
                return refused(TableRefusal::Reason::same_litres, e.number, last.number,
                               at + "the same litres (" + number_text(e.point.y) + ") as point " +
                                   std::to_string(last.number) + " but another level");
            if (e.point.x < last.point.x)
                return refused(TableRefusal::Reason::level_falls, e.number, last.number,
                               at + "level " + number_text(e.point.x) + " at " + number_text(e.point.y) +
                                   " litres is below level " + number_text(last.point.x) + " of point " +
                                   std::to_string(last.number) + " at " + number_text(last.point.y) +
                                   " litres; take it back (undo) or the table cannot be built");
            if (e.point.x == last.point.x) {
                ++built.set_aside;
                kept.back() = e;  // the last of a run; see below for the highest one
                continue;
            }
        }
        kept.push_back(e);
    }
    if (kept.size() < 2)
        return refused(TableRefusal::Reason::too_few_levels, 0, 0,
                       "a table needs at least 2 points with different levels; the session has " +
                           std::to_string(kept.size()));
    // The run at the highest level keeps its first point.
    const auto top = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.point.x == kept.back().point.x; });
    kept.back() = *top;

    std::vector<Entry> rows;
    if (kept.size() > table_points) {
        std::vector<Point> xy;
        xy.reserve(kept.size());
        for (const Entry& e : kept) xy.push_back(e.point);
        for (std::size_t v : best_polyline(xy, table_points).vertices) rows.push_back(kept[v]);
    } else {
        rows = padded(kept);
    }

    std::vector<Point> table_line, used;
    table_line.reserve(table_points);
    used.reserve(kept.size());
    for (std::size_t r = 0; r < table_points; ++r) {
        built.table.values[r] = static_cast<std::uint16_t>(rows[r].point.x);
        built.table.litres[r] = static_cast<std::uint16_t>(whole(rows[r].point.y));
        built.rows_from[r] = rows[r].number;
        table_line.push_back({rows[r].point.x, static_cast<double>(built.table.litres[r])});
    }
    for (const Entry& e : kept) used.push_back(e.point);
    const Deviation worst = deviation(table_line, used);
    built.deviation = worst.largest;
    built.worst_point = kept[worst.at].number;
    built.points_used = kept.size();
    return built;
}

calibration::CalibrationTable slot_table(const BuiltTable& built, int address) {
    calibration::CalibrationTable table = built.table;
    table.net = static_cast<calibration::Byte>(address);
    table.status = calibration::slot_in_service;
    return table;
}

}  // namespace taring
