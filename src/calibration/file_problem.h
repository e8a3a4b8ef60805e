#pragma once
// Why a table file cannot be used: where in the file (a line of a CSV file, a field of
// a JSON file, or nowhere in particular), what is wrong there, in the operator's words,
// and how to put it right when that is not plain from the fault. A file with a problem
// is refused whole.

#include <cstdint>
#include <string>
#include <string_view>

#include "calibration/table_texts.h"

namespace calibration {

struct FileProblem {
    // "строка 2", "строка файла 17 (строка таблицы 14)" when the line holds another row
    // of the table, "поле «points[16].litres»", or empty for the file as a whole.
    std::string where;
    std::string what;    // "литры 70000 вне диапазона 0....65535"
    std::string remedy = {};  // a sentence, "Запишите число без пробелов: 1000"; often empty
};

// A number a table file holds: its name in the operator's messages and its range.
struct FileField {
    std::string_view name;
    std::int32_t min;
    std::int32_t max;
};
inline constexpr FileField net_field{"сет. номер", 0, max_net};
inline constexpr FileField value_field{"значение датчика", 0, max_field};
inline constexpr FileField litres_field{"литры", 0, max_field};

// "Sensor 3.csv, строка 2: сет. номер 256 вне диапазона 0....255", with the remedy, if
// any, after a full stop.
std::string file_problem_message(std::string_view file_name, const FileProblem& problem);

// "литры 70000 вне диапазона 0....65535": `value` as the file wrote it.
std::string out_of_range(std::string_view field, std::string_view value, std::int32_t min, std::int32_t max);

}  // namespace calibration
