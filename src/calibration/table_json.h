#pragma once
// One slot's table as a JSON file, for programs:
//
//   {"format": "trelvik-calibration-table", "version": 1,
//    "network_number": 13, "switched_off": false,
//    "points": [{"sensor_value": 100, "litres": 125}, ...]}
//
// with the 40 points in row order, row 1 first. Reading checks every field: its
// presence, its type, a whole number in the field's range, exactly 40 points.

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>
#include <string>
#include <variant>

#include "calibration/file_problem.h"
#include "calibration/table_frame.h"

namespace calibration {

inline constexpr char table_format_name[] = "trelvik-calibration-table";
inline constexpr int table_format_version = 1;

QByteArray write_table_json(const CalibrationTable& table);
std::variant<CalibrationTable, FileProblem> read_table_json(const QByteArray& text);

// A slot's fields in a JSON object, without the format name and version; `path` names
// the object in messages ("slots[3]"), empty for the file's top level.
QJsonObject table_object(const CalibrationTable& table);
std::variant<CalibrationTable, FileProblem> table_from_object(const QJsonObject& object, const std::string& path);

// The pieces every JSON file of these tools shares. A document is an object that starts
// with its format name and version; reading refuses any other format or version (and
// skips a UTF-8 byte-order mark).
QByteArray json_document(QJsonObject object, const char* format_name, int version);
std::variant<QJsonObject, FileProblem> json_document_object(const QByteArray& text, const char* format_name,
                                                            int version);
// The format name that the text, a JSON object, declares ("trelvik-unit-backup"); nullopt
// for any other text.
std::optional<std::string> json_format_name(const QByteArray& text);
// `object[key]` as true or false; `path` names the object as for table_from_object.
std::variant<bool, FileProblem> json_flag(const QJsonObject& object, const char* key, const std::string& path);

}  // namespace calibration
