#pragma once
// A table that is right as a unit holds it: rows 1..40 at sensor value 100 × row and
// `litres_per_row` × row litres.

#include <cstdint>

#include "calibration/table_frame.h"

inline calibration::CalibrationTable rising_table(std::uint16_t litres_per_row, protocol::Byte net = 13) {
    calibration::CalibrationTable t;
    t.net = net;
    for (std::size_t k = 0; k < calibration::table_points; ++k) {
        t.values[k] = static_cast<std::uint16_t>(100 * (k + 1));
        t.litres[k] = static_cast<std::uint16_t>(litres_per_row * (k + 1));
    }
    return t;
}
