#pragma once
// The display unit's 40-point table from a taring session. Points are ordered by litres;
// their levels must not fall as the litres rise. Of points with equal levels one is kept
// (see build_table). With more than 40 points left the table is the 40 of them, first and
// last included, whose polyline strays least at its worst from all of them; with 40 or
// fewer every one is kept and the rows missing are filled in on the straight segments
// between them, so the unit's interpolation does not change.

#include <array>
#include <span>
#include <string>
#include <variant>

#include "calibration/table_frame.h"
#include "taring/taring_session.h"

namespace taring {

struct BuiltTable {
    // Rows by rising level; the slot's network number and status are left to the caller.
    calibration::CalibrationTable table;
    double deviation = 0;         // litres, the largest at the points used, rounding included
    std::size_t worst_point = 0;  // where it is largest: the point's number, 1 for the first taken
    std::size_t points_used = 0;  // the points with distinct levels
    std::size_t set_aside = 0;    // points whose level another point used already has
    // The number of the point behind each row; 0 for a row filled in on a segment.
    std::array<std::size_t, calibration::table_points> rows_from{};
};

struct TableRefusal {
    enum class Reason { too_few_levels, level_out_of_range, litres_out_of_range, same_litres, level_falls };
    Reason reason = Reason::too_few_levels;
    std::size_t point = 0;  // the point at fault, by number (1 for the first taken); 0 for none
    std::size_t other = 0;  // the point it clashes with, by number
    std::string text;       // what is wrong, for the technician
};

// Levels are rounded to whole sensor values (0..32767) and litres to whole litres
// (0..65535) first; a point outside those is refused.
//
// Of a run of points with one level, the last is kept: that fuel is the most the sensor
// still reads as that level, so the segment above it starts where the level starts to
// rise and follows the tank from there (at the bottom, the fuel under the sensor's tip).
// A run at the highest level keeps its first instead: above it the sensor no longer
// sees the fuel rise, and the segment below it must end where the level stopped.
std::variant<BuiltTable, TableRefusal> build_table(std::span<const TaringPoint> points);

// The table as the display unit's slot for the sensor at `address` takes it: the address
// as its network number, in service.
calibration::CalibrationTable slot_table(const BuiltTable& built, int address);

}  // namespace taring
