#pragma once
// What `tare` is asked to do, checked whole before the line is opened, and the numbers
// the operator types and reads.

#include <QString>
#include <optional>
#include <string>

#include "commands.h"
#include "taring/settle_detector.h"

namespace cli {

struct TareSettings {
    Byte address = 0;
    QString session_file;
    std::optional<double> start_litres;  // given: for a new session only
    double settle = taring::default_settle_seconds;
    double tolerance = taring::default_tolerance;  // levels
    std::optional<std::size_t> slot;      // 0 for "Sensor 1"
    std::optional<std::uint32_t> password;
    QString output;                       // the table file; empty for none
    bool replace_output = false;          // --force: a file there already may be replaced
    std::int32_t max_misses = 0;          // polls in a row without an answer that end it
};

Outcome<TareSettings> tare_settings(const Invocation& call);

// The shortest text that reads back as `value`: "12.5", "100".
std::string shortest(double value);

}  // namespace cli
