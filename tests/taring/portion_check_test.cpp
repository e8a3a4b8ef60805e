// Portions that look mistyped: one portion against the two nearest it.

#include <gtest/gtest.h>

#include <vector>

#include "taring/portion_check.h"

using taring::TaringPoint;

namespace {

// Points from (litres, level) pairs, in the order taken.
std::vector<TaringPoint> session(std::initializer_list<std::pair<double, double>> pairs) {
    std::vector<TaringPoint> points;
    for (auto [litres, level] : pairs) points.push_back({litres, level, {}, {}, {}});
    return points;
}

}  // namespace

TEST(SuspectPortions, AMistypedPortionIsNamedWithWhatItsNeighboursTake) {
    struct Case {
        const char* what;
        std::vector<TaringPoint> points;
        std::vector<std::size_t> flagged;
    };
    const Case cases[] = {
        {"steady portions", session({{0, 0}, {40, 333}, {80, 666}, {120, 999}, {160, 1332}}), {}},
        {"a tapering tank, within a factor of 2",
         session({{0, 0}, {40, 200}, {80, 350}, {120, 480}, {160, 600}}), {}},
        {"4 typed for 40 in the middle", session({{0, 0}, {40, 333}, {80, 666}, {84, 999}, {124, 1332}}), {4}},
        {"400 typed for 40: its neighbours are not blamed",
         session({{0, 0}, {40, 333}, {80, 666}, {480, 999}, {520, 1332}, {560, 1665}}), {4}},
        {"the last portion, held to the two before it", session({{0, 0}, {40, 333}, {80, 666}, {84, 999}}), {4}},
        {"the first portion, held to the two after it", session({{0, 0}, {4, 333}, {44, 666}, {84, 999}}), {2}},
        {"two portions only: nothing to tell which is wrong", session({{0, 0}, {40, 333}, {44, 666}}), {}},
        {"a level that did not rise is left to its own warning",
         session({{0, 0}, {40, 333}, {80, 333}, {120, 666}, {160, 999}}), {}},
    };
    for (const Case& c : cases) {
        std::vector<std::size_t> flagged;
        for (const auto& s : taring::suspect_portions(c.points)) flagged.push_back(s.point);
        EXPECT_EQ(flagged, c.flagged) << c.what;
    }
    const auto typo = taring::suspect_portions(session({{0, 0}, {40, 333}, {80, 666}, {84, 999}, {124, 1332}}));
    ASSERT_EQ(typo.size(), 1u);
    EXPECT_EQ(typo[0].litres, 4);
    EXPECT_EQ(typo[0].levels, 333);
    EXPECT_NEAR(typo[0].expected, 40, 1e-9);
}
