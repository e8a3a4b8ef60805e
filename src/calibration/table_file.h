#pragma once
// One slot's table kept in a file: CSV (the default) or JSON, by the file's extension.
// A file is read and checked whole before anything is taken from it; a file is written
// through a temporary one that replaces it only when complete, so a failed write never
// leaves a cut file behind.

#include <QString>
#include <optional>
#include <string>
#include <variant>

#include "calibration/table_frame.h"
#include "calibration/whole_file.h"

namespace calibration {

enum class TableFormat { csv, json };

// ".json", in any case, is JSON; every other name is CSV.
TableFormat table_format(const QString& path);

// The table, or a message that names the file and says what is wrong with it.
std::variant<CalibrationTable, QString> read_table_file(const QString& path);

// The table as a CSV file with the labels of the program's language; either language's
// labels read back.
std::string table_csv_text(const CalibrationTable& table);

// nullopt once written; else a message that names the file and the system's reason.
std::optional<QString> write_table_file(const QString& path, const CalibrationTable& table);

}  // namespace calibration
