#pragma once
// Taring a tank from a shell: `tare` takes the points from pours and the sensor's settled
// level, `table from-session` makes the unit's table from a session file.

#include <QCommandLineOption>
#include <vector>

#include "commands.h"

namespace cli {

Outcome<Nothing> tare(Session&, const Invocation&);
Outcome<Nothing> table_from_session(Session&, const Invocation&);

std::vector<QCommandLineOption> tare_options();
std::vector<QCommandLineOption> from_session_options();

}  // namespace cli
