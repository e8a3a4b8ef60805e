#pragma once
// Whether a table can describe a tank. The display unit turns a sensor value into litres
// along the rows, so from row to row the sensor values must rise and the litres must not
// fall. A row that repeats the row before it whole is no fault: the unused rows at the
// end of a table repeat its last point. Nor are equal litres on rising values: a stretch
// where the tank gains less than a litre per step rounds so.

#include <cstdint>
#include <vector>

#include "calibration/table_frame.h"

namespace calibration {

struct OrderBreak {
    enum class Kind {
        values_not_rising,  // the value falls, or stays while the litres change
        litres_falling,
    };
    Kind kind = Kind::values_not_rising;
    int row = 0;             // the first of the two rows, 1..39; the other is row + 1
    std::uint16_t from = 0;  // the field in `row`
    std::uint16_t to = 0;    // the same field in `row + 1`
    bool operator==(const OrderBreak&) const = default;
};

// Every pair of neighbouring rows out of order, row by row; the sensor values before the
// litres of the same pair.
std::vector<OrderBreak> order_breaks(const CalibrationTable& table);

}  // namespace calibration
