#include "polyline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace taring {

namespace {

double cross(const Point& o, const Point& a, const Point& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// One side of the convex hull of points added from right to left: the upper chain gives
// the highest y - s·x over the points, the lower chain the lowest.
class Chain {
public:
    explicit Chain(bool upper) : sign_(upper ? 1.0 : -1.0) {}

    void clear() { vertices_.clear(); }

    void add_left(const Point& p) {
        // vertices_.back() is the leftmost vertex; one that no longer bulges outwards goes.
        while (vertices_.size() >= 2 &&
               sign_ * cross(p, vertices_[vertices_.size() - 1], vertices_[vertices_.size() - 2]) >= 0)
            vertices_.pop_back();
        vertices_.push_back(p);
    }

    double extreme(double s) const {
        // From left to right, y - s·x improves along an edge while the edge is steeper than
        // s (upper chain) or flatter (lower chain); the chain's edges turn one way only, so
        // the first edge that no longer improves it is found by bisection.
        const std::size_t n = vertices_.size();
        auto left = [&](std::size_t t) -> const Point& { return vertices_[n - 1 - t]; };
        std::size_t lo = 0, hi = n - 1;
        while (lo < hi) {
            const std::size_t mid = (lo + hi) / 2;
            const Point& a = left(mid);
            const Point& b = left(mid + 1);
            if (sign_ * ((b.y - a.y) - s * (b.x - a.x)) > 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        return left(lo).y - s * left(lo).x;
    }

private:
    double sign_;
    std::vector<Point> vertices_;
};

}  // namespace

Polyline best_polyline(std::span<const Point> points, std::span<const VertexY> vertex_y, std::size_t k, bool at_most) {
    const std::size_t n = points.size();
    // A state is a point and the place of its vertex: 2·i + place.
    const auto places = [&](std::size_t i) -> std::size_t { return vertex_y[i].y[1] == vertex_y[i].y[0] ? 1 : 2; };
    const auto y_of = [&](std::size_t state) { return vertex_y[state / 2].y[state % 2]; };
    // How far each vertex lies from its point: paid on every segment it ends.
    const auto own = [&](std::size_t state) { return std::abs(points[state / 2].y - y_of(state)); };
    const double none = std::numeric_limits<double>::infinity();
    // best[state·k + c]: the least largest deviation at points 0..j of a polyline from point
    // 0 to state (point j, a place) with c + 1 vertices; from[..]: the state before it.
    std::vector<double> best(2 * n * k, none);
    std::vector<std::uint32_t> from(2 * n * k, 0);
    for (std::size_t place = 0; place < places(0); ++place) best[place * k] = 0;
    Chain upper(true), lower(false);
    for (std::size_t j = 1; j < n; ++j) {
        upper.clear();
        lower.clear();
        for (std::size_t i = j; i-- > 0;) {
            // Points i+1 .. j-1 lie under the segment i..j.
            if (i + 1 < j) {
                upper.add_left(points[i + 1]);
                lower.add_left(points[i + 1]);
            }
            const std::size_t most = std::min(k - 1, i + 1);
            for (std::size_t to_state = 2 * j; to_state < 2 * j + places(j); ++to_state) {
                double* to = &best[to_state * k];
                for (std::size_t from_state = 2 * i; from_state < 2 * i + places(i); ++from_state) {
                    double error = std::max(own(from_state), own(to_state));
                    if (i + 1 < j) {
                        const double s = (y_of(to_state) - y_of(from_state)) / (points[j].x - points[i].x);
                        const double base = y_of(from_state) - s * points[i].x;
                        error = std::max({error, upper.extreme(s) - base, base - lower.extreme(s)});
                    }
                    const double* at = &best[from_state * k];
                    for (std::size_t c = 1; c <= most; ++c) {
                        const double candidate = std::max(at[c - 1], error);
                        if (candidate < to[c]) {
                            to[c] = candidate;
                            from[to_state * k + c] = static_cast<std::uint32_t>(from_state);
                        }
                    }
                }
            }
        }
    }
    // The better place of the last point, for each count of vertices.
    const auto end_state = [&](std::size_t c) {
        const std::size_t first = 2 * (n - 1);
        return places(n - 1) == 2 && best[(first + 1) * k + c] < best[first * k + c] ? first + 1 : first;
    };
    // Fewer vertices only where they stray less: with a vertex's own rounding counted, a
    // point left out can take a rounding error out of the line.
    std::size_t last = k - 1;
    if (at_most)
        for (std::size_t c = k - 1; c-- > 1;)
            if (best[end_state(c) * k + c] < best[end_state(last) * k + last] - 1e-9) last = c;
    Polyline line;
    line.vertices.resize(last + 1);
    line.vertex_y.resize(last + 1);
    std::size_t state = end_state(last);
    line.deviation = best[state * k + last];
    for (std::size_t c = last; c > 0; --c) {
        line.vertices[c] = state / 2;
        line.vertex_y[c] = y_of(state);
        state = from[state * k + c];
    }
    line.vertices[0] = state / 2;
    line.vertex_y[0] = y_of(state);
    return line;
}

double polyline_at(std::span<const Point> vertices, double x) {
    if (x <= vertices.front().x) return vertices.front().y;
    if (x >= vertices.back().x) return vertices.back().y;
    const auto right = std::upper_bound(vertices.begin(), vertices.end(), x,
                                        [](double v, const Point& p) { return v < p.x; });
    const Point& b = *right;
    const Point& a = *(right - 1);
    return a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
}

Deviation deviation(std::span<const Point> vertices, std::span<const Point> points) {
    Deviation worst;
    for (std::size_t m = 0; m < points.size(); ++m) {
        const double off = std::abs(points[m].y - polyline_at(vertices, points[m].x));
        if (off > worst.largest) worst = {off, m};
    }
    return worst;
}

}  // namespace taring
