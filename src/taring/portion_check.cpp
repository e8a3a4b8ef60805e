#include "portion_check.h"

#include <cmath>

namespace taring {

namespace {

struct Portion {
    double litres = 0;
    double levels = 0;
    bool judged() const { return litres > 0 && levels > 0; }
    double rate() const { return litres / levels; }
};

bool within(double a, double b) { return a <= b * portion_factor && b <= a * portion_factor; }

}  // namespace

std::vector<SuspectPortion> suspect_portions(std::span<const TaringPoint> points) {
    std::vector<Portion> portions;  // portions[p]: from point p to point p + 1
    for (std::size_t k = 1; k < points.size(); ++k)
        portions.push_back({points[k].litres - points[k - 1].litres, points[k].level - points[k - 1].level});

    std::vector<SuspectPortion> suspect;
    const std::size_t n = portions.size();
    for (std::size_t p = 0; p < n && n >= 3; ++p) {
        // The two nearest others: both sides where there are, else two on the one side.
        const std::size_t a = p == 0 ? 1 : p - 1;
        const std::size_t b = p == 0 ? 2 : p + 1 < n ? p + 1 : p - 2;
        const Portion& self = portions[p];
        if (!self.judged() || !portions[a].judged() || !portions[b].judged()) continue;
        if (!within(portions[a].rate(), portions[b].rate())) continue;  // no steady shape to hold it to
        if (within(self.rate(), portions[a].rate()) || within(self.rate(), portions[b].rate())) continue;
        const double rate = (portions[a].litres + portions[b].litres) / (portions[a].levels + portions[b].levels);
        suspect.push_back({p + 2, self.litres, self.levels, rate * self.levels});
    }
    return suspect;
}

}  // namespace taring
