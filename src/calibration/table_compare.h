#pragma once
// A table read back after a write, compared with what was written, field by field.

#include <cstdint>
#include <string>
#include <vector>

#include "calibration/table_frame.h"
#include "protocol/translatable.h"

namespace calibration {

struct TableDifference {
    int row = 0;        // 1..40; 0 for the slot's own fields
    std::string field;  // "network_number", "switched_off", "sensor_value", "litres", as in the JSON files
    std::uint32_t written = 0;  // switched_off as 1 or 0
    std::uint32_t read = 0;
    bool operator==(const TableDifference&) const = default;
};

// Every field that differs, the slot's fields first, then row by row. Of the status byte
// only the in-service bit counts: the unit leaves the other bits to itself.
std::vector<TableDifference> table_differences(const CalibrationTable& written, const CalibrationTable& read);

// "строка 40, литры: записано 1000, прочитано 1001"; "сетевой номер: записано 13,
// прочитано 14". In English the fields are named as the JSON files name them.
protocol::Text difference_text(const TableDifference& difference);

}  // namespace calibration
