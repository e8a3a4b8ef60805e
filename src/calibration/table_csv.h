#pragma once
// One slot's table as a spreadsheet file. Written in UTF-8 with ";" between the cells
// (what spreadsheets with a decimal comma expect) and CRLF line ends, its labels in
// Russian or English as the caller asks:
//
//   Сет. номер;13                    Network number;13
//   Отключен;нет                     Switched off;no
//   Строка;Значения датчика;Литры    Row;Sensor value;Litres
//   1;100;125                        1;100;125
//   ...
//   40;100;375                       40;100;375
//
// Read back as people edit such files: the labels of either language, a mix of the two
// included (the English ones in any case), "," or ";" between the cells (the first line
// with a ";" decides), LF or CRLF, a UTF-8 byte-order mark or the Cyrillic code page of
// older spreadsheets, quoted cells, blank lines and trailing separators, "да"/"нет",
// "yes"/"no" or 1/0 for the off switch, the rows in any order but each of 1..40 exactly once.
// Numbers are read as the grid reads them (blanks around, a fraction after "." or, in
// a ";" file, ",", rounded half to even) and must lie in their field's range. A refusal
// names the file's line, and the table's row where that is another number, and says how
// to mend a number that is one but for its form (a decimal comma in a "," file, blanks
// between groups of digits); a line it does not know is refused with the labels of both
// languages.

#include <string>
#include <string_view>
#include <variant>

#include "calibration/file_problem.h"
#include "calibration/table_frame.h"

namespace calibration {

enum class CsvLabels { russian, english };

std::string write_table_csv(const CalibrationTable& table, CsvLabels labels);

std::variant<CalibrationTable, FileProblem> read_table_csv(std::string_view text);

// Whether the text is meant for a table file, good or bad: a line of it starts with one
// of the file's labels. Tells a table apart from another file given in its place.
bool has_table_labels(std::string_view text);

}  // namespace calibration
