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

Polyline best_polyline(std::span<const Point> points, std::span<const double> vertex_y, std::size_t k, bool at_most) {
    const std::size_t n = points.size();
    // How far each point's vertex lies from the point itself: paid on every segment it ends.
    std::vector<double> own(n);
    for (std::size_t i = 0; i < n; ++i) own[i] = std::abs(points[i].y - vertex_y[i]);
    const double none = std::numeric_limits<double>::infinity();
    // best[j·k + c]: the least largest deviation at points 0..j of a polyline from point 0
    // to point j with c + 1 vertices; from[..]: its vertex before j.
    std::vector<double> best(n * k, none);
    std::vector<std::uint32_t> from(n * k, 0);
    best[0] = 0;
    Chain upper(true), lower(false);
    for (std::size_t j = 1; j < n; ++j) {
        upper.clear();
        lower.clear();
        double* to = &best[j * k];
        const Point end{points[j].x, vertex_y[j]};
        for (std::size_t i = j; i-- > 0;) {
            const Point start{points[i].x, vertex_y[i]};
            double error = std::max(own[i], own[j]);
            if (i + 1 < j) {
                // Points i+1 .. j-1 lie under the segment i..j.
                upper.add_left(points[i + 1]);
                lower.add_left(points[i + 1]);
                const double s = (end.y - start.y) / (end.x - start.x);
                const double base = start.y - s * start.x;
                error = std::max({error, upper.extreme(s) - base, base - lower.extreme(s)});
            }
            const double* at = &best[i * k];
            const std::size_t most = std::min(k - 1, i + 1);
            for (std::size_t c = 1; c <= most; ++c) {
                const double candidate = std::max(at[c - 1], error);
                if (candidate < to[c]) {
                    to[c] = candidate;
                    from[j * k + c] = static_cast<std::uint32_t>(i);
                }
            }
        }
    }
    // Fewer vertices only where they stray less: with a vertex's own rounding counted, a
    // point left out can take a rounding error out of the line.
    std::size_t last = k - 1;
    if (at_most)
        for (std::size_t c = k - 1; c-- > 1;)
            if (best[(n - 1) * k + c] < best[(n - 1) * k + last] - 1e-9) last = c;
    Polyline line;
    line.vertices.resize(last + 1);
    std::size_t j = n - 1;
    for (std::size_t c = last; c > 0; --c) {
        line.vertices[c] = j;
        j = from[j * k + c];
    }
    line.vertices[0] = j;
    line.deviation = best[(n - 1) * k + last];
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
