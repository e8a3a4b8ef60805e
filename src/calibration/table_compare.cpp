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
    // English names the fields as the JSON files do, for scripts that read the message.
    if (d.field == "network_number")
        return {"TableCompare", QT_TRANSLATE_NOOP("TableCompare", "сетевой номер: записано %1, прочитано %2"), {written, read}};
    if (d.field == "switched_off")
        return {"TableCompare", QT_TRANSLATE_NOOP("TableCompare", "отключен: записано %1, прочитано %2"), {written, read}};
    const char* words = d.field == "sensor_value"
                            ? QT_TRANSLATE_NOOP("TableCompare", "строка %1, значение датчика: записано %2, прочитано %3")
                            : QT_TRANSLATE_NOOP("TableCompare", "строка %1, литры: записано %2, прочитано %3");
    return {"TableCompare", words, {static_cast<long long>(d.row), written, read}};
}

}  // namespace calibration
