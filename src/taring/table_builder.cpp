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

// Levels and litres as the points hold them: to the millilitre, as litres are typed.
protocol::Figure figure(double v) { return {v, 3}; }

struct Entry {
    Point point;             // x: the rounded level, y: the litres as taken
    std::size_t number = 0;  // 1 for the first point taken
};

TableRefusal refused(TableRefusal::Reason reason, std::size_t point, std::size_t other, const char* source,
                     std::vector<protocol::Text::Arg> args) {
    return {reason, point, other, {"TaringTable", source, std::move(args)}};
}

std::optional<TableRefusal> out_of_range(const TaringPoint& p, std::size_t number) {
    const auto n = static_cast<long long>(number);
    if (!std::isfinite(p.level) || whole(p.level) < 0 || whole(p.level) > calibration::max_value)
        return refused(TableRefusal::Reason::level_out_of_range, number, 0,
                       QT_TRANSLATE_NOOP("TaringTable", "точка %1: уровень %2 вне диапазона 0....%3"),
                       {n, figure(p.level), static_cast<long long>(calibration::max_value)});
    if (!std::isfinite(p.litres) || whole(p.litres) < 0 || whole(p.litres) > calibration::max_litres)
        return refused(TableRefusal::Reason::litres_out_of_range, number, 0,
                       QT_TRANSLATE_NOOP("TaringTable", "точка %1: литры %2 вне диапазона 0....%3"),
                       {n, figure(p.litres), static_cast<long long>(calibration::max_litres)});
    return std::nullopt;
}

// A row the table is given: a whole level and whole litres, as the unit keeps them.
struct Row {
    Point point;
    std::size_t number = 0;  // the point behind it; 0 for a row filled in between points
};

// Where rows can be filled in strictly inside the segment a..b (recorded points, whole and
// rising levels, rising litres) so that the unit's line moves least, by rising level. Where
// a level is worth a litre or more, at each whole level with its litres rounded (a shift of
// at most half a litre); where it is worth less, at each whole litre with its level rounded
// (at most half a level's worth of litres), which is then also the nearest whole litres at
// that level. Either way the closer of the two to the segment, and whole litres at least a
// level apart, so rows stay at distinct levels.
std::vector<Row> spots(const Point& a, const Point& b) {
    const double slope = (b.y - a.y) / (b.x - a.x);  // litres per level
    const auto litres_at = [&](double x) { return a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x); };
    std::vector<Row> found;
    if (slope >= 1) {
        for (double x = a.x + 1; x < b.x; ++x) found.push_back({{x, whole(litres_at(x))}, 0});
    } else {
        for (double litres = std::floor(a.y) + 1; litres < b.y; ++litres) {
            const double x = whole(a.x + (b.x - a.x) * (litres - a.y) / (b.y - a.y));
            if (x > a.x && x < b.x) found.push_back({{x, litres}, 0});
        }
    }
    return found;
}

// Rows for 40 or fewer points: every point, and on the segments between them rows at the
// spots above, the longest segments (by level) divided first, each row spread evenly and
// taking the spot of least shift around its place. When the spots run out, the last point
// is repeated: a row that adds nothing to the line.
std::vector<Row> padded(const std::vector<Entry>& kept) {
    const std::size_t segments = kept.size() - 1;
    std::vector<std::vector<Row>> room(segments);
    for (std::size_t t = 0; t < segments; ++t) room[t] = spots(kept[t].point, kept[t + 1].point);
    std::vector<std::size_t> pieces(segments, 1);
    auto width = [&](std::size_t t) { return kept[t + 1].point.x - kept[t].point.x; };
    for (std::size_t missing = table_points - kept.size(); missing > 0; --missing) {
        std::optional<std::size_t> widest;
        for (std::size_t t = 0; t < segments; ++t)
            if (pieces[t] <= room[t].size() &&
                (!widest || width(t) / static_cast<double>(pieces[t]) > width(*widest) / static_cast<double>(pieces[*widest])))
                widest = t;
        if (!widest) break;
        ++pieces[*widest];
    }
    const auto row_of = [](const Entry& e) { return Row{{e.point.x, whole(e.point.y)}, e.number}; };
    std::vector<Row> rows;
    for (std::size_t t = 0; t < segments; ++t) {
        rows.push_back(row_of(kept[t]));
        const std::vector<Row>& candidates = room[t];
        const Point& a = kept[t].point;
        const Point& b = kept[t + 1].point;
        const auto shift = [&](const Row& r) {
            return std::abs(r.point.y - (a.y + (b.y - a.y) * (r.point.x - a.x) / (b.x - a.x)));
        };
        // Row q of n - 1 takes the best of the spots within half a piece of the q-th n-th of
        // them (1-based: (q ± ½)·(c + 1)/n, c spots, n <= c + 1 pieces); those ranges do
        // not overlap and none is empty.
        const std::size_t c = candidates.size();
        const std::size_t n = pieces[t];
        for (std::size_t q = 1; q < n; ++q) {
            const std::size_t first = ((2 * q - 1) * (c + 1) + 2 * n - 1) / (2 * n);  // ceil((q - ½)(c + 1)/n)
            const std::size_t last = ((2 * q + 1) * (c + 1) - 1) / (2 * n);           // below (q + ½)(c + 1)/n
            const std::size_t middle = (q * (c + 1) + n / 2) / n;
            std::size_t pick = middle;
            for (std::size_t i = first; i <= last; ++i) {
                const double by = shift(candidates[i - 1]) - shift(candidates[pick - 1]);
                const auto off = [&](std::size_t j) { return j > middle ? j - middle : middle - j; };
                if (by < 0 || (by == 0 && off(i) < off(pick))) pick = i;
            }
            rows.push_back(candidates[pick - 1]);
        }
    }
    rows.push_back(row_of(kept.back()));
    while (rows.size() < table_points) rows.push_back(rows.back());
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
            const auto n = static_cast<long long>(e.number);
            const auto before = static_cast<long long>(last.number);
            if (e.point.y == last.point.y && e.point.x != last.point.x)
                return refused(TableRefusal::Reason::same_litres, e.number, last.number,
                               QT_TRANSLATE_NOOP("TaringTable", "точка %1: те же литры (%2), что у точки %3, но другой уровень"),
                               {n, figure(e.point.y), before});
            if (e.point.x < last.point.x)
                return refused(TableRefusal::Reason::level_falls, e.number, last.number,
                               QT_TRANSLATE_NOOP("TaringTable", "точка %1: уровень %2 при %3 л ниже уровня %4 у точки %5 "
                                                                "при %6 л; отмените её, иначе таблицу не построить"),
                               {n, figure(e.point.x), figure(e.point.y), figure(last.point.x), before, figure(last.point.y)});
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
                       QT_TRANSLATE_NOOP("TaringTable", "для таблицы нужны хотя бы 2 точки с разным уровнем; в сессии таких точек: %1"),
                       {static_cast<long long>(kept.size())});
    // The run at the highest level keeps its first point.
    const auto top = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.point.x == kept.back().point.x; });
    kept.back() = *top;

    std::vector<Row> rows;
    if (kept.size() > table_points) {
        // Chosen as the unit will hold them: each vertex at its nearest whole litres, either
        // of the two where its litres lie halfway (12.5 litres a pour, say).
        std::vector<Point> xy;
        std::vector<VertexY> written;
        xy.reserve(kept.size());
        written.reserve(kept.size());
        for (const Entry& e : kept) {
            xy.push_back(e.point);
            const double below = std::floor(e.point.y);
            written.push_back(e.point.y - below == 0.5 ? VertexY{{below, below + 1}} : VertexY{{whole(e.point.y), whole(e.point.y)}});
        }
        const Polyline best = best_polyline(xy, written, table_points, true);
        for (std::size_t r = 0; r < best.vertices.size(); ++r)
            rows.push_back({{kept[best.vertices[r]].point.x, best.vertex_y[r]}, kept[best.vertices[r]].number});
        // Fewer points that make a closer line: the last row repeats, which adds nothing.
        while (rows.size() < table_points) rows.push_back(rows.back());
    } else {
        rows = padded(kept);
    }

    std::vector<Point> table_line, recorded;
    table_line.reserve(table_points);
    recorded.reserve(kept.size());
    for (std::size_t r = 0; r < table_points; ++r) {
        built.table.values[r] = static_cast<std::uint16_t>(rows[r].point.x);
        built.table.litres[r] = static_cast<std::uint16_t>(rows[r].point.y);
        built.rows_from[r] = rows[r].number;
        table_line.push_back(rows[r].point);
    }
    for (const Entry& e : kept) recorded.push_back(e.point);
    // Both lines are straight between their own vertices, so they are furthest apart at one
    // of them: a recorded point, or a row.
    const Deviation at_points = deviation(table_line, recorded);
    const Deviation at_rows = deviation(recorded, table_line);
    if (at_rows.largest > at_points.largest) {
        built.deviation = at_rows.largest;
        built.worst_row = at_rows.at + 1;
    } else {
        built.deviation = at_points.largest;
        built.worst_point = kept[at_points.at].number;
    }
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
