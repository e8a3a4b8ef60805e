#pragma once
// Portions that look mistyped. Each pour raises the level by an amount that follows the
// tank's shape, which changes slowly from one portion to the next: a portion whose litres
// per level step differ by more than `portion_factor` from those of the two portions
// nearest it, while those two agree with each other, is most likely a typo ("4" for "40").
// A factor of 2 passes the slow change of a horizontal cylinder or a tapered tank between
// neighbouring portions, and catches a digit too many or too few (a factor of 10), a
// decimal comma dropped or a portion typed twice.

#include <cstddef>
#include <span>
#include <vector>

#include "taring/taring_session.h"

namespace taring {

inline constexpr double portion_factor = 2;

struct SuspectPortion {
    std::size_t point = 0;   // the point the portion was poured for, 1 for the first taken
    double litres = 0;       // the portion as typed
    double levels = 0;       // the level's rise it made
    double expected = 0;     // the litres the nearest portions take for that rise
};

// The suspect portions of `points` (in the order taken), by point. A portion whose level
// did not rise, or whose nearest portions' did not, is not judged here.
std::vector<SuspectPortion> suspect_portions(std::span<const TaringPoint> points);

}  // namespace taring
