#pragma once
// A taring session of a tank for the benchmarks: `n` pours into a 2000-litre horizontal
// tank with a 40-litre sump below the body and a 30-litre neck above it, read by a sensor
// of 0..32000 over the whole height, the level rounded to a unit. `noise` (sensor units)
// shakes each level as a real sensor's would, from a fixed seed, never below the one before.

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "tank.h"
#include "taring/taring_session.h"

namespace bench {

inline std::vector<taring::TaringPoint> tank_session(std::size_t n, double noise = 0) {
    constexpr double sump = 40, neck = 30, body = 2000 - sump - neck;
    constexpr double sump_height = 0.06, neck_height = 0.08;  // shares of the height
    std::mt19937 random(20);
    std::uniform_real_distribution<double> shake(-noise, noise);
    std::vector<taring::TaringPoint> points;
    for (std::size_t k = 0; k < n; ++k) {
        const double litres = 2000.0 * static_cast<double>(k) / static_cast<double>(n - 1);
        double height = 0;
        if (litres <= sump)
            height = sump_height * litres / sump;
        else if (litres <= sump + body)
            height = sump_height + (1 - sump_height - neck_height) * sim::cylinder_height((litres - sump) / body);
        else
            height = 1 - neck_height + neck_height * (litres - sump - body) / neck;
        taring::TaringPoint p;
        p.litres = litres;
        p.level = std::clamp(std::round(32000 * height + (noise > 0 ? shake(random) : 0.0)), 0.0, 32000.0);
        if (!points.empty()) p.level = std::max(p.level, points.back().level);
        points.push_back(p);
    }
    return points;
}

}  // namespace bench
