#include "table_checks.h"

namespace calibration {

std::vector<OrderBreak> order_breaks(const CalibrationTable& table) {
    std::vector<OrderBreak> breaks;
    for (std::size_t k = 0; k + 1 < table_points; ++k) {
        const int row = static_cast<int>(k) + 1;
        const auto v = table.values[k], next_v = table.values[k + 1];
        const auto l = table.litres[k], next_l = table.litres[k + 1];
        // One value standing for two contents cannot be turned into litres.
        if (next_v < v || (next_v == v && next_l != l))
            breaks.push_back({OrderBreak::Kind::values_not_rising, row, v, next_v});
        if (next_l < l) breaks.push_back({OrderBreak::Kind::litres_falling, row, l, next_l});
    }
    return breaks;
}

}  // namespace calibration
