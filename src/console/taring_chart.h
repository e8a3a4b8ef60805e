#pragma once
// The taring chart: litres against level, the points taken as marks and the 40-point
// table as a line. One drawing serves the taring window and the calibration report, so
// what the technician saw is what the fleet owner gets on paper.

#include <QColor>
#include <QRectF>
#include <QString>
#include <span>

#include "calibration/table_frame.h"
#include "taring/table_builder.h"
#include "taring/taring_session.h"

class QPainter;

namespace console {

struct TaringChartData {
    std::span<const taring::TaringPoint> points;  // in the order taken
    // The table's rows, once one can be built from the points; null before.
    const calibration::CalibrationTable* table = nullptr;
    std::size_t worst_point = 0;  // the point where the table strays most, by number; 0 for none
    // Points whose portion looks mistyped, by number: marked apart, with a key entry.
    std::span<const std::size_t> suspect;
};

// Draws the chart into `area` with the painter's font and pen as the caller set them up:
// axes with their figures, the points, the table's line and the worst point marked.
// Nothing outside `area` is touched; any number of points, none included, is drawn.
void draw_taring_chart(QPainter& painter, const QRectF& area, const TaringChartData& data);

// The chart of `points` and of the table built from them (null before one could be): the
// worst point is marked only when the table strays from it at all.
TaringChartData chart_data(std::span<const taring::TaringPoint> points, const taring::BuiltTable* built);

// "Наибольшее отклонение 0,76 л (точка 5)", the line under the chart in the window and
// in the report; "Таблица проходит через все точки." when every point is a row.
QString deviation_text(const taring::BuiltTable& built);

// The shade of a point whose portion looks mistyped, in the window's list and the report's.
inline const QColor suspect_shade{0xFF, 0xE0, 0xA0};

}  // namespace console
