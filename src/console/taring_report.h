#pragma once
// The calibration report handed to the fleet owner: an A4 PDF of one or two pages with
// the sensor, the slot, the points taken, the 40-point table, the chart and how far the
// table strays from the points.

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "taring/table_builder.h"
#include "taring/taring_session.h"

namespace console {

struct TaringReport {
    QDateTime made;  // date and time printed under the title
    int address = 0;
    std::optional<std::uint32_t> serial;
    QString version;  // the sensor's software version as the window shows it; empty when unknown
    int slot = 1;     // the display unit's slot, 1 to 10
    // Lines the technician typed; an empty one is left out.
    QString vehicle;
    QString tank;
    QString technician;
    std::vector<taring::TaringPoint> points;  // in the order taken
    taring::BuiltTable built;                 // the table made from them
};

// Writes the report to `path` whole or not at all: nullopt once written, else a message
// that names the file and says what went wrong.
std::optional<QString> write_taring_report(const QString& path, const TaringReport& report);

}  // namespace console
