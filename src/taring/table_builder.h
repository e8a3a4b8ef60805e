#pragma once
// The display unit's 40-point table from a taring session. Points are ordered by litres;
// their levels must not fall as the litres rise. Of points with equal levels one is kept
// (see build_table). Rows are whole levels and whole litres, as the unit keeps them, and
// the unit's line is the polyline through them.
//
// With more than 40 points left, the rows are up to 40 of them, first and last included,
// each at its litres rounded to the nearest whole; of all such choices the one whose line
// strays least, at its worst, from the points as recorded (their litres unrounded) — an
// exact optimum, the rows' own rounding counted. Fewer than 40 only where they stray less
// (a point left out can take its rounding out of the line): the last row then repeats to
// fill the table, which leaves the line as it is.
//
// With 40 or fewer every point is a row, and the rows missing are filled in on the straight
// segments between them, each at whole litres with its level rounded or at a whole level
// with its litres rounded, whichever lies closer to the segment: the line moves by at most
// half a litre, and by at most half a level's worth of litres where a level is worth less
// than a litre. Levels rise from row to row; only when the segments have no such place
// left is the last row repeated.
//
// The deviation reported is the largest distance, in litres at one level, between the
// unit's line and the polyline through the points as recorded: at a point (its litres'
// rounding, or the line passing it by) or at a row filled in (its shift).

#include <array>
#include <span>
#include <string>
#include <variant>

#include "calibration/table_frame.h"
#include "protocol/translatable.h"
#include "taring/taring_session.h"

namespace taring {

struct BuiltTable {
    // Rows by rising level; the slot's network number and status are left to the caller.
    calibration::CalibrationTable table;
    double deviation = 0;         // litres, the largest between the unit's line and the points' (see above)
    // Where it is largest: at a point, its number (1 for the first taken), else 0; at a row
    // filled in between points, its row (1 for the first), else 0.
    std::size_t worst_point = 0;
    std::size_t worst_row = 0;
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
    protocol::Text text;    // what is wrong, for the technician
};

// Levels are rounded to whole sensor values first; a point whose level or litres round
// to outside 0..32767 or 0..65535 is refused.
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
