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

protocol::Text difference_text(const TableDifference& d) {
    const auto written = static_cast<long long>(d.written);
    const auto read = static_cast<long long>(d.read);
    if (d.row > 0)
        return {"TableCompare", QT_TRANSLATE_NOOP("TableCompare", "строка %1, %2: записано %3, прочитано %4"),
                {static_cast<long long>(d.row), d.field, written, read}};
    return {"TableCompare", QT_TRANSLATE_NOOP("TableCompare", "%1: записано %2, прочитано %3"), {d.field, written, read}};
}

}  // namespace calibration
