// A table file as anyone might have edited it: reading never fails other than with a
// problem that says what is wrong, and a table it accepts writes out to a file that
// reads back to the same table.

#include <cstdint>
#include <string_view>

#include "calibration/table_csv.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace calibration;
    const auto read = read_table_csv(std::string_view(reinterpret_cast<const char*>(data), size));
    if (const auto* problem = std::get_if<FileProblem>(&read)) {
        FUZZ_CHECK(!problem->what.empty());
        return 0;
    }
    const CalibrationTable& table = std::get<CalibrationTable>(read);
    FUZZ_CHECK(table.status == 0 || table.status == slot_in_service);
    for (const CsvLabels labels : {CsvLabels::russian, CsvLabels::english}) {
        const auto again = read_table_csv(write_table_csv(table, labels));
        FUZZ_CHECK(std::holds_alternative<CalibrationTable>(again) && std::get<CalibrationTable>(again) == table);
    }
    return 0;
}
