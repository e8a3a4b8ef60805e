// A table's JSON file as anyone might have edited it: refused whole with what is wrong,
// or accepted with exactly the numbers the document holds, and then written out to a
// file that reads back to the same table.

#include <cstdint>

#include "calibration/table_json.h"
#include "fuzz_json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace calibration;
    const QByteArray text = fuzz::file_text(data, size);
    const auto read = read_table_json(text);
    const CalibrationTable* table = fuzz::accepted(read);
    if (!table) return 0;
    fuzz::check_table(fuzz::document_object(text), *table);
    fuzz::check_round_trip(*table, write_table_json, read_table_json);
    return 0;
}
