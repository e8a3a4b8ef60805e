#include "table_compare.h"

namespace calibration {

std::vector<TableDifference> table_differences(const CalibrationTable& written, const CalibrationTable& read) {
    std::vector<TableDifference> differences;
    auto compare = [&](int row, const char* field, std::uint32_t w, std::uint32_t r) {
        if (w != r) differences.push_back({row, field, w, r});
    };
    compare(0, "network_number", written.net, read.net);
    compare(0, "switched_off", (written.status & slot_in_service) == 0, (read.status & slot_in_service) == 0);
    for (std::size_t k = 0; k < table_points; ++k) {
        const int row = static_cast<int>(k) + 1;
        compare(row, "sensor_value", written.values[k], read.values[k]);
        compare(row, "litres", written.litres[k], read.litres[k]);
    }
    return differences;
}

std::string difference_text(const TableDifference& d) {
    const std::string where = d.row > 0 ? "row " + std::to_string(d.row) + ", " + d.field : d.field;
    return where + ": written " + std::to_string(d.written) + ", read " + std::to_string(d.read);
}

}  // namespace calibration
