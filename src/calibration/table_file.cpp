#include "table_file.h"

#include "calibration/table_csv.h"
#include "calibration/table_json.h"
#include "calibration/whole_file.h"
#include "language/language.h"

namespace calibration {

TableFormat table_format(const QString& path) {
    return path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive) ? TableFormat::json : TableFormat::csv;
}

std::variant<CalibrationTable, QString> read_table_file(const QString& path) {
    const auto bytes = read_whole_file(path);
    if (const auto* refused = std::get_if<QString>(&bytes)) return *refused;
    const QByteArray& text = std::get<QByteArray>(bytes);
    const std::string_view csv(text.constData(), static_cast<std::size_t>(text.size()));
    // By the name, unless the content plainly is the other kind: a table saved from a
    // spreadsheet as "table.json" still reads.
    const bool json = table_format(path) == TableFormat::json ? !has_table_labels(csv)
                                                              : text.trimmed().startsWith('{') || text.startsWith("\xEF\xBB\xBF{");
    const auto table = json ? read_table_json(text) : read_table_csv(csv);
    if (const auto* problem = std::get_if<FileProblem>(&table))
        return file_message(path, *problem);
    return std::get<CalibrationTable>(table);
}

std::string table_csv_text(const CalibrationTable& table) {
    return write_table_csv(table, language::current() == language::Language::english ? CsvLabels::english : CsvLabels::russian);
}

std::optional<QString> write_table_file(const QString& path, const CalibrationTable& table) {
    if (table_format(path) == TableFormat::json) return write_whole_file(path, write_table_json(table));
    const std::string text = table_csv_text(table);
    return write_whole_file(path, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace calibration
