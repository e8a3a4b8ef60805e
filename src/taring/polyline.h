#pragma once
// Polylines through measured points: the best k of n points, and how far a polyline
// strays from points.

#include <cstddef>
#include <span>
#include <vector>

namespace taring {

struct Point {
    double x = 0;
    double y = 0;
};

// Where a point's vertex may lie: at y[0], or as well at y[1] (the same when there is one
// place only): litres exactly halfway between two whole litres are as near to either.
struct VertexY {
    double y[2] = {0, 0};
};

struct Polyline {
    std::vector<std::size_t> vertices;  // indices into the points, ascending, first and last included
    std::vector<double> vertex_y;       // the place taken by each vertex
    double deviation = 0;               // the largest |y - polyline(x)| over all the points
};

// The k of the points (2 <= k <= points.size(), x strictly rising), first and last
// included, whose polyline strays least, at its worst, from all the points. The polyline's
// vertex at point i lies at (x, one of vertex_y[i]) — the point as it will be written, its
// litres whole, say — while the deviation is measured against every point's own y, so a
// vertex's own rounding counts. The exact optimum of a dynamic programme over (last vertex,
// its place, vertices used), in O(k n²) time and O(k n) memory: a segment's largest
// deviation comes from the convex hull of the points it spans, so no pair costs more than a
// logarithmic search. With `at_most`, the best of 2 to k vertices, the most of them where
// several stray as little.
Polyline best_polyline(std::span<const Point> points, std::span<const VertexY> vertex_y, std::size_t k,
                       bool at_most = false);

// The polyline through `vertices` (x not falling; a segment of no width is skipped) at x,
// its end values beyond its ends.
double polyline_at(std::span<const Point> vertices, double x);

struct Deviation {
    double largest = 0;
    std::size_t at = 0;  // index of the point where it is largest
};
Deviation deviation(std::span<const Point> vertices, std::span<const Point> points);

}  // namespace taring
