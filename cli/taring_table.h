#pragma once
// What `tare` and `table from-session` share: the table made from a session, and its file.

#include <QString>
#include <iosfwd>

#include "calibration/table_frame.h"
#include "outcome.h"
#include "taring/taring_session.h"

namespace cli {

// The session's table, for the slot of its sensor (its address as the network number, in
// service); how far it strays from the points is told on `report`. A session the table
// cannot be made from is a bad use, with the point at fault.
Outcome<calibration::CalibrationTable> session_table(const taring::TaringSession& session, std::ostream& report);

}  // namespace cli
