#pragma once
// Why a table file cannot be used: where in the file (a line of a CSV file, a field of
// a JSON file, or nowhere in particular), what is wrong there, in the operator's words,
// and how to put it right when that is not plain from the fault. A file with a problem
// is refused whole. The texts are handed up with their figures apart; the Qt layer words
// them in the program's language (calibration::file_message).

#include <cstdint>
#include <string>
#include <vector>

#include "calibration/table_texts.h"
#include "protocol/translatable.h"

namespace calibration {

// The context the texts shared by every file reader are translated in: a field's name,
// its range, the JSON pieces. Sources are marked QT_TRANSLATE_NOOP("TableFile", …).
inline constexpr char file_context[] = "TableFile";
inline protocol::Text file_text(const char* source, std::vector<protocol::Text::Arg> args = {}) {
    return {file_context, source, std::move(args)};
}

struct FileProblem {
    // "строка 2", "строка файла 17 (строка таблицы 14)" when the line holds another row
    // of the table, "поле «points[16].litres»", or empty for the file as a whole.
    protocol::Text where;
    protocol::Text what;        // "литры 70000 вне диапазона 0....65535"
    protocol::Text remedy = {};  // a sentence, "Запишите число без пробелов: 1000"; often empty
};

// A number a table file holds: its range and the messages that name it, each a whole
// sentence in the "TableFile" context with the value as the file wrote it for %1.
struct FileField {
    const char* out_of_range;  // "литры %1 вне диапазона %2....%3"
    const char* empty;         // "литры: пусто"
    const char* not_a_number;  // "литры «%1» не число"
    std::int32_t min;
    std::int32_t max;
};
inline constexpr FileField net_field{QT_TRANSLATE_NOOP("TableFile", "сет. номер %1 вне диапазона %2....%3"),
                                     QT_TRANSLATE_NOOP("TableFile", "сет. номер: пусто"),
                                     QT_TRANSLATE_NOOP("TableFile", "сет. номер «%1» не число"), 0, max_net};
inline constexpr FileField value_field{QT_TRANSLATE_NOOP("TableFile", "значение датчика %1 вне диапазона %2....%3"),
                                       QT_TRANSLATE_NOOP("TableFile", "значение датчика: пусто"),
                                       QT_TRANSLATE_NOOP("TableFile", "значение датчика «%1» не число"), 0, max_field};
inline constexpr FileField litres_field{QT_TRANSLATE_NOOP("TableFile", "литры %1 вне диапазона %2....%3"),
                                        QT_TRANSLATE_NOOP("TableFile", "литры: пусто"),
                                        QT_TRANSLATE_NOOP("TableFile", "литры «%1» не число"), 0, max_field};

// "литры 70000 вне диапазона 0....65535": `value` as the file wrote it.
protocol::Text out_of_range(const FileField& field, std::string value);

// A fault in the field at `path` of a JSON file: "поле «points[16].litres»".
FileProblem field_problem(const std::string& path, protocol::Text what);

}  // namespace calibration
