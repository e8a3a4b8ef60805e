// Taring: the steadiness of a level, the best polyline against a brute-force search, the
// table built from a session's points, the session file and the folder of sessions.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <random>

#include "language/language.h"
#include "taring/polyline.h"
#include "taring/session_file.h"
#include "taring/session_folder.h"
#include "taring/settle_detector.h"
#include "taring/table_builder.h"

using namespace taring;

namespace {

TaringPoint point(double litres, double level) {
    TaringPoint p;
    p.litres = litres;
    p.level = level;
    return p;
}

std::vector<TaringPoint> points(std::initializer_list<std::pair<double, double>> litres_level) {
    std::vector<TaringPoint> list;
    for (auto [litres, level] : litres_level) list.push_back(point(litres, level));
    return list;
}

// The smallest largest deviation from the points of a polyline through any k of them, first
// and last included, each vertex at (x, vertex_y), by trying them all.
double brute_force(const std::vector<Point>& p, const std::vector<VertexY>& vertex_y, std::size_t k) {
    const std::size_t inner = p.size() - 2;
    std::vector<bool> pick(inner, false);
    std::fill(pick.begin(), pick.begin() + static_cast<std::ptrdiff_t>(k - 2), true);
    double best = 1e300;
    do {
        std::vector<std::size_t> chosen{0};
        for (std::size_t i = 0; i < inner; ++i)
            if (pick[i]) chosen.push_back(i + 1);
        chosen.push_back(p.size() - 1);
        // Every vertex at each of its places.
        for (unsigned places = 0; places < (1u << k); ++places) {
            std::vector<Point> line;
            for (std::size_t v = 0; v < k; ++v) line.push_back({p[chosen[v]].x, vertex_y[chosen[v]].y[(places >> v) & 1]});
            best = std::min(best, deviation(line, p).largest);
        }
    } while (std::prev_permutation(pick.begin(), pick.end()));
    return best;
}

// The largest distance between the table's line and the polyline through the points (whole
// levels, litres as taken), looked for at every whole level: both lines bend only there.
double largest_gap(const calibration::CalibrationTable& table, const std::vector<TaringPoint>& session) {
    std::vector<Point> rows, recorded;
    for (std::size_t r = 0; r < calibration::table_points; ++r) rows.push_back({double(table.values[r]), double(table.litres[r])});
    for (const TaringPoint& p : session) recorded.push_back({std::nearbyint(p.level), p.litres});
    double gap = 0;
    for (double x = recorded.front().x; x <= recorded.back().x; ++x)
        gap = std::max(gap, std::abs(polyline_at(rows, x) - polyline_at(recorded, x)));
    return gap;
}

}  // namespace

TEST(SettleDetector, SettlesOnceTheLastSecondsLieWithinTheTolerance) {
    struct Row {
        const char* what;
        std::vector<double> levels;  // one poll every half second
        int settles_at;              // index of the first settled poll, -1 for never
        double level;
    };
    const std::vector<Row> rows{
        // 2 s cover five polls: the sloshing must have left them all.
        {"sloshing, then steady", {100, 140, 70, 125, 92, 104, 101, 100, 99, 100, 101, 100}, 10, 100},
        {"noise at the tolerance's edge", {100, 102, 100, 102, 101, 100}, 4, 101},
        {"noise just past it", {100, 103, 100, 103, 100, 103, 100, 103}, -1, 0},
        // A spike holds the wait until it has left the window.
        {"a spike", {50, 50, 50, 50, 90, 50, 51, 50, 51, 51}, 9, 51},
    };
    for (const Row& row : rows) {
        SettleDetector detector(2.0, 2.0, 1.25);
        int settled_at = -1;
        std::optional<Settled> settled;
        for (std::size_t k = 0; k < row.levels.size() && settled_at < 0; ++k)
            if ((settled = detector.feed(0.5 * static_cast<double>(k), row.levels[k]))) settled_at = static_cast<int>(k);
        EXPECT_EQ(settled_at, row.settles_at) << row.what;
        if (settled) {
            EXPECT_EQ(settled->level, row.level) << row.what;
            EXPECT_EQ(settled->polls, 5u) << row.what;
            EXPECT_LE(settled->spread, 2.0) << row.what;
        }
    }
}

TEST(SettleDetector, ARestartForgetsTheLevelBeforeThePour) {
    SettleDetector detector(1.0, 2.0, 1.25);
    for (int k = 0; k < 3; ++k) detector.feed(k * 0.5, 100);
    detector.restart();
    EXPECT_FALSE(detector.feed(1.5, 300));
    EXPECT_FALSE(detector.feed(2.0, 300));
    EXPECT_EQ(detector.feed(2.5, 300)->level, 300);
}

TEST(SettleDetector, NeedsAnswersAllThroughTheSettleTime) {
    struct Row {
        const char* what;
        std::vector<double> seconds;  // a steady level polled at these times
        double settles_at;            // -1 for never
    };
    const auto every_half_second = [](double from, double to) {
        std::vector<double> t;
        for (double s = from; s <= to; s += 0.5) t.push_back(s);
        return t;
    };
    std::vector<double> stopped = every_half_second(0, 1.5);
    for (double s : every_half_second(33.5, 36)) stopped.push_back(s);
    std::vector<double> backwards{10, 10.5, 11};
    for (double s : every_half_second(1, 4)) backwards.push_back(s);
    const std::vector<Row> rows{
        {"an answer every half second", every_half_second(0, 3), 2},
        {"a tick lost: answers a second apart", {0, 0.5, 1.5, 2, 2.5}, 2},
        {"the longest gap bridged", {0, 1.25, 2.5, 3.75}, 2.5},
        {"gaps just past it", {0, 1.3, 2.6, 3.9, 5.2}, -1},
        // Not taken at once from the poll before the silence and the one after it.
        {"the poll stopped for half a minute", stopped, 35.5},
        {"a clock running backwards", backwards, 3},
    };
    for (const Row& row : rows) {
        SettleDetector detector(2.0, 2.0, 1.25);
        double settled_at = -1;
        for (double s : row.seconds)
            if (detector.feed(s, 500)) {
                settled_at = s;
                break;
            }
        EXPECT_EQ(settled_at, row.settles_at) << row.what;
    }
}

TEST(BestPolyline, MatchesABruteForceSearch) {
    struct Row {
        std::size_t n, k;
        unsigned seed;
    };
    // Vertices at the points themselves; at their y rounded to whole (litres as written)
    // with fills in hundredths, where the rounding alone can change which points are best;
    // and with fills in halves, where a vertex may lie at either whole neighbour.
    enum class Fill { exact, hundredths, halves };
    for (const Fill mode : {Fill::exact, Fill::hundredths, Fill::halves}) {
        for (const Row row : {Row{6, 3, 1}, Row{9, 4, 2}, Row{12, 5, 3}, Row{12, 3, 4}, Row{11, 6, 5}, Row{10, 10, 6},
                              Row{13, 4, 7}, Row{12, 7, 8}, Row{10, 5, 9}}) {
            std::mt19937 rng(row.seed);
            std::uniform_real_distribution<double> step(0.5, 30), fill(0, mode == Fill::exact ? 40 : 4);
            std::vector<Point> p;
            std::vector<VertexY> vertex_y;
            double x = 0, y = 0;
            for (std::size_t i = 0; i < row.n; ++i) {
                p.push_back({x += std::round(step(rng)) + 1,
                             y += mode == Fill::halves ? std::round(fill(rng) * 2) / 2 : std::round(fill(rng) * 100) / 100});
                const double below = std::floor(y);
                vertex_y.push_back(mode == Fill::exact             ? VertexY{{y, y}}
                                   : mode == Fill::halves && y - below == 0.5 ? VertexY{{below, below + 1}}
                                                                              : VertexY{{std::round(y), std::round(y)}});
            }
            const std::string what = "seed " + std::to_string(row.seed) + ", fill " + std::to_string(int(mode));
            const auto line_of = [&](const Polyline& polyline) {
                std::vector<Point> line;
                for (std::size_t v = 0; v < polyline.vertices.size(); ++v) {
                    const VertexY& at = vertex_y[polyline.vertices[v]];
                    EXPECT_TRUE(polyline.vertex_y[v] == at.y[0] || polyline.vertex_y[v] == at.y[1]) << what;
                    line.push_back({p[polyline.vertices[v]].x, polyline.vertex_y[v]});
                }
                return line;
            };
            const Polyline best = best_polyline(p, vertex_y, row.k);
            ASSERT_EQ(best.vertices.size(), row.k);
            EXPECT_EQ(best.vertices.front(), 0u);
            EXPECT_EQ(best.vertices.back(), row.n - 1);
            EXPECT_NEAR(deviation(line_of(best), p).largest, best.deviation, 1e-9) << what;
            EXPECT_NEAR(best.deviation, brute_force(p, vertex_y, row.k), 1e-9) << what;
            // Up to k vertices: never worse, and as good as the best of any fewer.
            double fewer = best.deviation;
            for (std::size_t c = 2; c < row.k; ++c) fewer = std::min(fewer, brute_force(p, vertex_y, c));
            const Polyline up_to = best_polyline(p, vertex_y, row.k, true);
            EXPECT_NEAR(up_to.deviation, fewer, 1e-9) << what;
            EXPECT_NEAR(deviation(line_of(up_to), p).largest, up_to.deviation, 1e-9) << what;
        }
    }
}

TEST(TableBuilder, FewPointsAreAllKeptAndTheRowsFilledInOnTheirSegments) {
    const auto session = points({{0, 0}, {100, 400}, {150, 500}, {400, 1000}});
    const auto built = std::get<BuiltTable>(build_table(session));
    const auto& t = built.table;
    for (std::size_t n = 1; n <= 4; ++n)
        EXPECT_NE(std::find(built.rows_from.begin(), built.rows_from.end(), n), built.rows_from.end()) << n;
    std::vector<Point> recorded{{0, 0}, {400, 100}, {500, 150}, {1000, 400}};
    for (std::size_t r = 0; r < calibration::table_points; ++r) {
        if (r > 0) {
            EXPECT_GT(t.values[r], t.values[r - 1]) << r;
        }
        EXPECT_NEAR(t.litres[r], polyline_at(recorded, t.values[r]), 0.5) << r;
    }
    // The longest segments get the most rows: 400..1000 more than 400..500.
    const auto between = [&](int lo, int hi) { return std::count_if(t.values.begin(), t.values.end(), [&](auto v) { return v > lo && v < hi; }); };
    EXPECT_GT(between(500, 1000), between(0, 400));
    EXPECT_GT(between(0, 400), between(400, 500));
    EXPECT_EQ(built.deviation, 0);
}

TEST(TableBuilder, ManyPointsGiveTheBestFortyOfThemAsWritten) {
    // A horizontal cylinder's litres against its level, with the levels taken every 7.13
    // litres: the rows' litres are rounded, and the choice of rows reckons with that.
    std::vector<TaringPoint> session;
    std::vector<Point> xy;
    std::vector<VertexY> written;
    for (double litres = 0; litres <= 1000; litres = std::round((litres + 7.13) * 100) / 100) {
        const double level = std::round(4000 * std::pow(litres / 1000, 0.8) + 3 * std::sin(litres));
        if (!xy.empty() && level <= xy.back().x) continue;
        session.push_back(point(litres, level));
        xy.push_back({level, litres});
        const double below = std::floor(litres);
        written.push_back(litres - below == 0.5 ? VertexY{{below, below + 1}} : VertexY{{std::round(litres), std::round(litres)}});
    }
    ASSERT_GT(session.size(), 100u);
    const auto built = std::get<BuiltTable>(build_table(session));
    EXPECT_EQ(built.rows_from.front(), 1u);
    EXPECT_EQ(built.rows_from.back(), session.size());
    EXPECT_EQ(std::count(built.rows_from.begin(), built.rows_from.end(), 0u), 0);
    for (std::size_t r = 0; r < calibration::table_points; ++r)
        EXPECT_TRUE(built.table.litres[r] == written[built.rows_from[r] - 1].y[0] ||
                    built.table.litres[r] == written[built.rows_from[r] - 1].y[1])
            << r;
    EXPECT_NEAR(built.deviation, best_polyline(xy, written, calibration::table_points, true).deviation, 1e-9);
}

TEST(TableBuilder, TheDeviationIsThatOfTheRowsAsWritten) {
    std::vector<TaringPoint> many;
    for (int k = 0; k <= 130; ++k) many.push_back(point(k * 3.37, std::round(2000 * std::sqrt(k / 130.0))));
    const std::vector<std::vector<TaringPoint>> sessions{
        many,
        points({{0, 0}, {100, 400}, {150, 500}, {400, 1000}}),        // rows filled in at whole litres, no shift
        points({{0, 12}, {37, 160}, {74.5, 295}, {111, 459}, {148, 580}}),  // four levels a litre, filled in at whole litres
        points({{0.3, 0}, {1000.6, 333}, {2999.4, 1000}}),              // three litres a level: at whole levels
        points({{0, 0}, {10, 40}, {20, 90}}),                            // too few whole litres: the last row repeated
    };
    for (std::size_t k = 0; k < sessions.size(); ++k) {
        const auto built = std::get<BuiltTable>(build_table(sessions[k]));
        EXPECT_NEAR(built.deviation, largest_gap(built.table, sessions[k]), 1e-9) << "session " << k;
        if (built.worst_row) {
            EXPECT_EQ(built.worst_point, 0u) << "session " << k;
            EXPECT_EQ(built.rows_from[built.worst_row - 1], 0u) << "session " << k;
        }
    }
}

TEST(TableBuilder, RowsFilledInMoveTheLineAtMostHalfALitreOrHalfALevelsWorth) {
    struct Row {
        const char* what;
        std::vector<TaringPoint> session;
        std::size_t repeated;  // rows at the end that repeat the last point
    };
    std::vector<TaringPoint> tank400;  // a 400-litre tank, about four levels a litre
    for (int k = 0; k <= 10; ++k) tank400.push_back(point(k * 40.25, std::round(1600 * std::pow(k / 10.0, 0.9))));
    const std::vector<Row> rows{
        {"four levels a litre", tank400, 0},
        {"three litres a level", points({{0.3, 0}, {1000.6, 333}, {2999.4, 1000}}), 0},
        {"about a litre a level", points({{0, 0}, {9.99, 15}, {25.5, 30}, {40.02, 46}}), 0},
        {"too few whole litres", points({{0, 0}, {10, 40}, {20, 90}}), 19},
        {"too few whole levels", points({{0, 0}, {10, 5}}), 34},
    };
    for (const Row& row : rows) {
        const auto built = std::get<BuiltTable>(build_table(row.session));
        const auto& t = built.table;
        std::vector<Point> recorded;
        for (const TaringPoint& p : row.session) recorded.push_back({std::nearbyint(p.level), p.litres});
        for (std::size_t n = 1; n <= row.session.size(); ++n) {
            const auto at = std::find(built.rows_from.begin(), built.rows_from.end(), n);
            ASSERT_NE(at, built.rows_from.end()) << row.what << ": point " << n;
            EXPECT_EQ(t.litres[at - built.rows_from.begin()], std::nearbyint(row.session[n - 1].litres)) << row.what;
        }
        const std::size_t distinct = calibration::table_points - row.repeated;
        for (std::size_t r = 1; r < calibration::table_points; ++r) {
            EXPECT_GE(t.litres[r], t.litres[r - 1]) << row.what << ": row " << r;
            if (r < distinct) {
                EXPECT_GT(t.values[r], t.values[r - 1]) << row.what << ": row " << r;
            } else {
                EXPECT_EQ(t.values[r], t.values[r - 1]) << row.what << ": row " << r;
                EXPECT_EQ(t.litres[r], t.litres[r - 1]) << row.what << ": row " << r;
            }
        }
        for (std::size_t r = 0; r < distinct; ++r) {
            if (built.rows_from[r]) continue;
            const auto b = std::upper_bound(recorded.begin(), recorded.end(), double(t.values[r]),
                                            [](double x, const Point& p) { return x < p.x; });
            const Point& a = *(b - 1);
            const double litres_a_level = (b->y - a.y) / (b->x - a.x);
            EXPECT_LE(std::abs(t.litres[r] - polyline_at(recorded, t.values[r])), std::min(0.5, litres_a_level / 2) + 1e-9)
                << row.what << ": row " << r + 1;
        }
    }
}

TEST(TableBuilder, EqualLevelsKeepTheRisingEndOfTheirRun) {
    // Under the tip the level reads 0; at the top the sensor has no more reach.
    const auto session = points({{0, 0}, {20, 0}, {40, 0}, {60, 300}, {80, 600}, {100, 900}, {120, 900}});
    const auto built = std::get<BuiltTable>(build_table(session));
    EXPECT_EQ(built.set_aside, 3u);
    EXPECT_EQ(built.points_used, 4u);
    EXPECT_EQ(built.rows_from.front(), 3u);  // 40 litres at level 0
    EXPECT_EQ(built.table.litres.front(), 40);
    EXPECT_EQ(built.table.litres.back(), 100);  // the first to reach 900
}

TEST(TableBuilder, RefusesWithThePointAtFault) {
    using Reason = TableRefusal::Reason;
    struct Row {
        std::vector<TaringPoint> session;
        Reason reason;
        std::size_t point, other;
    };
    const std::vector<Row> rows{
        {points({{0, 10}, {10, 50}, {20, 40}, {30, 90}}), Reason::level_falls, 3, 2},
        // Taken out of order by litres: still the third point's level falls below the second's.
        {points({{20, 40}, {0, 10}, {10, 50}}), Reason::level_falls, 1, 3},
        {points({{0, 10}, {10, 50}, {10, 60}}), Reason::same_litres, 3, 2},
        {points({{0, 10}, {10, 32768}}), Reason::level_out_of_range, 2, 0},
        {points({{0, 10}, {65535.6, 40}}), Reason::litres_out_of_range, 2, 0},
        {points({{0, 10}, {10, 10.2}}), Reason::too_few_levels, 0, 0},
        {points({}), Reason::too_few_levels, 0, 0},
    };
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto built = build_table(rows[r].session);
        ASSERT_TRUE(std::holds_alternative<TableRefusal>(built)) << "row " << r;
        const auto& refusal = std::get<TableRefusal>(built);
        const QString text = language::worded(refusal.text);
        EXPECT_EQ(refusal.reason, rows[r].reason) << text.toStdString();
        EXPECT_EQ(refusal.point, rows[r].point) << text.toStdString();
        EXPECT_EQ(refusal.other, rows[r].other) << text.toStdString();
        if (refusal.point) {
            EXPECT_TRUE(text.startsWith(QStringLiteral("точка %1: ").arg(refusal.point))) << text.toStdString();
        }
    }
}

TEST(SessionFile, ReadsWhatItWritesAndAPlainLog) {
    TaringSession session{7, 151013, points({{0, 0}, {12.5, 130.5}})};
    session.points[1].spread = 1;
    session.points[1].polls = 41;
    session.points[1].time = "2026-12-08T09:12:30.120+01:00";
    EXPECT_EQ(std::get<TaringSession>(read_session_json(write_session_json(session))), session);
    session.finished = true;
    EXPECT_EQ(std::get<TaringSession>(read_session_json(write_session_json(session))), session);
    session.undo();  // a point taken back opens the session again
    EXPECT_FALSE(session.finished);

    const auto plain = read_session_json(R"({"format": "trelvik-taring-session", "version": 1, "address": 2,
        "points": [{"litres": 0, "level": 0}, {"litres": 10, "level": 44}]})");
    EXPECT_EQ(std::get<TaringSession>(plain), (TaringSession{2, std::nullopt, points({{0, 0}, {10, 44}})}));
}

TEST(SessionFile, KeepsKeysItDoesNotKnow) {
    // Another tool's log: a vehicle at the top, temperatures in its points.
    const auto read = read_session_json(R"({"format": "trelvik-taring-session", "version": 1, "address": 2,
        "vehicle": {"plate": "А123ВС", "tank": 2}, "points": [{"litres": 0, "level": 0, "temperature": 14.5},
        {"litres": 10, "level": 44, "temperature": 15, "operator": "Петров"}, {"litres": 20, "level": 90}]})");
    TaringSession session = std::get<TaringSession>(read);
    session.undo();
    session.take(point(25, 110));
    session.take(point(30, 130));
    session.undo();
    const QJsonObject written = QJsonDocument::fromJson(write_session_json(session)).object();
    EXPECT_EQ(written["vehicle"].toObject()["plate"].toString(), QStringLiteral("А123ВС"));
    const QJsonArray points = written["points"].toArray();
    ASSERT_EQ(points.size(), 3);
    EXPECT_EQ(points[0].toObject()["temperature"].toDouble(), 14.5);
    EXPECT_EQ(points[1].toObject()["temperature"].toDouble(), 15);
    EXPECT_EQ(points[1].toObject()["operator"].toString(), QStringLiteral("Петров"));
    EXPECT_EQ(points[2].toObject().keys(), (QStringList{"level", "litres"}));  // taken anew: nothing else
    EXPECT_EQ(std::get<TaringSession>(read_session_json(write_session_json(session))), session);

    // A byte order mark inside a key is dropped on reading, which makes it one the reader knows.
    const auto twice = std::get<TaringSession>(read_session_json(
        "{\"format\": \"trelvik-taring-session\", \"version\": 1, \"address\": 2, \"points\": "
        "[{\"litres\": 0, \"level\": 0, \"time\": \"09:00\", \"\xEF\xBB\xBFtime\": \"10:00\"}]}"));
    EXPECT_EQ(std::get<TaringSession>(read_session_json(write_session_json(twice))), twice);
}

TEST(SessionFile, RefusesABrokenFileWithTheFieldNamed) {
    const std::string head = R"({"format": "trelvik-taring-session", "version": 1, )";
    const std::vector<std::pair<std::string, std::string>> rows{
        {head + R"("points": []})", "address"},
        {head + R"("address": 201, "points": []})", "address"},
        {head + R"("address": 1})", "points"},
        {head + R"("address": 1, "points": [{"litres": 1}]})", "points[0].level"},
        {head + R"("address": 1, "points": [{"litres": 1, "level": 2}, {"litres": "3", "level": 4}]})", "points[1].litres"},
        {head + R"("address": 1, "points": [{"litres": -1, "level": 2}]})", "points[0].litres"},
        {head + R"("address": 1, "points": [{"litres": 1, "level": 2, "polls": 1.5}]})", "points[0].polls"},
        {head + R"("address": 1, "points": [{"litres": 1, "level": 2, "time": 5}]})", "points[0].time"},
        {head + R"("address": 1, "finished": 1, "points": []})", "finished"},
        {R"({"format": "trelvik-calibration-table", "version": 1})", "format"},
    };
    for (const auto& [text, field] : rows) {
        const auto read = read_session_json(QByteArray::fromStdString(text));
        ASSERT_TRUE(std::holds_alternative<calibration::FileProblem>(read)) << text;
        EXPECT_EQ(language::worded(std::get<calibration::FileProblem>(read).where).toStdString(), "поле «" + field + "»")
            << text;
    }
}

TEST(SessionFolder, NamesNewSessionsAndFindsTheUnfinishedOneOfTheSensor) {
    QTemporaryDir dir;
    const QDate day(2026, 12, 8);
    const auto name = [&](int address, std::optional<std::uint32_t> serial) {
        return QFileInfo(new_session_path(dir.path(), day, address, serial)).fileName();
    };
    EXPECT_EQ(name(3, std::nullopt), QStringLiteral("2026-12-08 адрес 3.json"));
    const TaringSession mine{3, 151013, points({{0, 0}, {10, 50}})};
    TaringSession finished = mine;
    finished.finished = true;
    struct File {
        QString name;
        TaringSession session;
        int minutes_ago;
    };
    // The newest that fits is found; finished ones, other sensors', empty and broken files are passed over.
    for (const auto& [file, session, minutes_ago] :
         {File{name(3, 151013), mine, 60}, File{"later.json", mine, 30}, File{"finished.json", finished, 5},
          File{"other serial.json", {3, 999, mine.points, false}, 4}, File{"other address.json", {4, 151013, mine.points, false}, 4},
          File{"empty.json", {3, 151013, {}, false}, 3}, File{"broken.json", {}, 2}}) {
        const QString path = dir.filePath(file);
        if (file == "broken.json") {
            QFile broken(path);
            ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
            broken.write("{");
        } else {
            ASSERT_FALSE(write_session_file(path, session));
        }
        QFile stamped(path);
        ASSERT_TRUE(stamped.open(QIODevice::ReadWrite));
        stamped.setFileTime(QDateTime::currentDateTime().addSecs(-60 * minutes_ago), QFileDevice::FileModificationTime);
    }
    const auto found = unfinished_session({dir.path()}, 3, 151013);
    ASSERT_TRUE(found);
    EXPECT_EQ(QFileInfo(found->path).fileName(), QStringLiteral("later.json"));
    EXPECT_EQ(found->session, mine);
    EXPECT_FALSE(unfinished_session({dir.path()}, 3, std::nullopt));
    EXPECT_EQ(name(3, 151013), QStringLiteral("2026-12-08 датчик 151013 (2).json"));  // the first name is taken
}

TEST(SessionFolder, NewSessionsGoToTheLanguagesFolderAndAnUnfinishedOneIsFoundInEither) {
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    QTemporaryDir documents;
    const QString russian = QDir(documents.path()).filePath(QStringLiteral("Тарировки"));
    const QString english = QDir(documents.path()).filePath(QStringLiteral("Taring sessions"));
    const QDate day(2026, 12, 8);
    EXPECT_EQ(session_folders(documents.path()), (QStringList{russian, english}));
    const QString begun = new_session_path(russian, day, 3, 151013);
    EXPECT_EQ(QFileInfo(begun).fileName(), QStringLiteral("2026-12-08 датчик 151013.json"));

    struct InEnglish {  // till the test ends, however it ends: the others expect Russian
        QCoreApplication& app;
        explicit InEnglish(QCoreApplication& a) : app(a) { language::install(app, language::Language::english); }
        ~InEnglish() { language::install(app, language::Language::russian); }
    } in_english(app);
    EXPECT_EQ(session_folders(documents.path()), (QStringList{english, russian}));
    EXPECT_EQ(QFileInfo(new_session_path(english, day, 3, std::nullopt)).fileName(), QStringLiteral("2026-12-08 address 3.json"));
    // Begun in Russian, gone on with in English: found in the other folder, and the newest
    // of the sensor's wherever it is; the English folder need not exist yet.
    const TaringSession mine{3, 151013, points({{0, 0}, {10, 50}})};
    ASSERT_TRUE(QDir().mkpath(russian));
    ASSERT_FALSE(write_session_file(begun, mine));
    auto found = unfinished_session(session_folders(documents.path()), 3, 151013);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->path, begun);
    ASSERT_TRUE(QDir().mkpath(english));
    const QString later = new_session_path(english, day, 3, 151013);
    EXPECT_EQ(QFileInfo(later).fileName(), QStringLiteral("2026-12-08 sensor 151013.json"));
    TaringSession more = mine;
    more.take(point(20, 90));
    ASSERT_FALSE(write_session_file(later, more));
    QFile stamped(begun);
    ASSERT_TRUE(stamped.open(QIODevice::ReadWrite));
    stamped.setFileTime(QDateTime::currentDateTime().addSecs(-600), QFileDevice::FileModificationTime);
    found = unfinished_session(session_folders(documents.path()), 3, 151013);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->path, later);
    EXPECT_EQ(found->session, more);
}
