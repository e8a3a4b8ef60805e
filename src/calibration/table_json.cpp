#include "table_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <cmath>

namespace calibration {

namespace {

std::string member(const std::string& path, const char* key) { return path.empty() ? key : path + "." + key; }

// The document in `text`, skipping a UTF-8 byte-order mark.
QJsonDocument parsed(const QByteArray& text, QJsonParseError& error) {
    QByteArray body = text;
    if (body.startsWith("\xEF\xBB\xBF")) body.remove(0, 3);
    return QJsonDocument::fromJson(body, &error);
}

FileProblem at(const std::string& path, const char* what, std::vector<protocol::Text::Arg> args = {}) {
    return field_problem(path, file_text(what, std::move(args)));
}

// `object[key]` as a whole number in the field's range.
std::variant<std::int32_t, FileProblem> whole(const QJsonObject& object, const char* key, const std::string& path,
                                              const FileField& field) {
    const std::string where = member(path, key);
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined()) return at(where, QT_TRANSLATE_NOOP("TableFile", "нет такого поля"));
    if (!value.isDouble()) return at(where, QT_TRANSLATE_NOOP("TableFile", "ожидается число"));
    const double number = value.toDouble();
    // As the file wrote it: JSON's decimal point, whatever the language.
    std::string text = QString::number(number, 'g', 17).toStdString();
    if (number != std::floor(number)) return at(where, QT_TRANSLATE_NOOP("TableFile", "%1 не целое число"), {text});
    if (number < field.min || number > field.max) return field_problem(where, out_of_range(field, std::move(text)));
    return static_cast<std::int32_t>(number);
}

}  // namespace

std::variant<bool, FileProblem> json_flag(const QJsonObject& object, const char* key, const std::string& path) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined()) return at(member(path, key), QT_TRANSLATE_NOOP("TableFile", "нет такого поля"));
    if (!value.isBool()) return at(member(path, key), QT_TRANSLATE_NOOP("TableFile", "ожидается true или false"));
    return value.toBool();
}

QByteArray json_document(QJsonObject object, const char* format_name, int version) {
    object.insert(QStringLiteral("format"), QLatin1String(format_name));
    object.insert(QStringLiteral("version"), version);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

std::optional<std::string> json_format_name(const QByteArray& text) {
    QJsonParseError error{};
    const QJsonValue format = parsed(text, error).object().value(QLatin1String("format"));
    if (!format.isString()) return std::nullopt;
    return format.toString().toStdString();
}

std::variant<QJsonObject, FileProblem> json_document_object(const QByteArray& text, const char* format_name,
                                                            int version) {
    QJsonParseError error{};
    const QJsonDocument document = parsed(text, error);
    // Qt words its reason in the program's language (its own translations).
    if (error.error != QJsonParseError::NoError)
        return FileProblem{{},
                           file_text(QT_TRANSLATE_NOOP("TableFile", "не JSON: %1 (байт %2)"),
                                     {error.errorString().toStdString(), static_cast<long long>(error.offset)})};
    if (!document.isObject()) return FileProblem{{}, file_text(QT_TRANSLATE_NOOP("TableFile", "ожидается объект JSON"))};
    QJsonObject object = document.object();
    if (object.value(QLatin1String("format")).toString() != QLatin1String(format_name))
        return at("format", QT_TRANSLATE_NOOP("TableFile", "ожидается «%1»"), {std::string(format_name)});
    const QJsonValue read_version = object.value(QLatin1String("version"));
    if (!read_version.isDouble() || read_version.toDouble() != version)
        return at("version", QT_TRANSLATE_NOOP("TableFile", "читается версия %1"), {static_cast<long long>(version)});
    return object;
}

QJsonObject table_object(const CalibrationTable& table) {
    QJsonArray points;
    for (std::size_t k = 0; k < table_points; ++k)
        points.append(QJsonObject{{QStringLiteral("sensor_value"), table.values[k]},
                                  {QStringLiteral("litres"), table.litres[k]}});
    return {{QStringLiteral("network_number"), table.net},
            {QStringLiteral("switched_off"), (table.status & slot_in_service) == 0},
            {QStringLiteral("points"), points}};
}

std::variant<CalibrationTable, FileProblem> table_from_object(const QJsonObject& object, const std::string& path) {
    CalibrationTable table;
    const auto net = whole(object, "network_number", path, net_field);
    if (const auto* problem = std::get_if<FileProblem>(&net)) return *problem;
    table.net = static_cast<Byte>(std::get<std::int32_t>(net));

    const auto off = json_flag(object, "switched_off", path);
    if (const auto* problem = std::get_if<FileProblem>(&off)) return *problem;
    table.status = std::get<bool>(off) ? Byte{0} : slot_in_service;

    const std::string points_path = member(path, "points");
    const QJsonValue points = object.value(QLatin1String("points"));
    if (points.isUndefined()) return at(points_path, QT_TRANSLATE_NOOP("TableFile", "нет такого поля"));
    if (!points.isArray()) return at(points_path, QT_TRANSLATE_NOOP("TableFile", "ожидается массив точек"));
    const QJsonArray array = points.toArray();
    if (array.size() != static_cast<qsizetype>(table_points))
        return at(points_path, QT_TRANSLATE_NOOP("TableFile", "ожидается %1 точек, в файле %2"),
                  {static_cast<long long>(table_points), static_cast<long long>(array.size())});
    for (std::size_t k = 0; k < table_points; ++k) {
        const std::string point_path = points_path + "[" + std::to_string(k) + "]";
        const QJsonValue point = array.at(static_cast<qsizetype>(k));
        if (!point.isObject())
            return at(point_path, QT_TRANSLATE_NOOP("TableFile", "ожидается объект с полями sensor_value и litres"));
        const auto value = whole(point.toObject(), "sensor_value", point_path, value_field);
        if (const auto* problem = std::get_if<FileProblem>(&value)) return *problem;
        const auto litres = whole(point.toObject(), "litres", point_path, litres_field);
        if (const auto* problem = std::get_if<FileProblem>(&litres)) return *problem;
        table.values[k] = static_cast<std::uint16_t>(std::get<std::int32_t>(value));
        table.litres[k] = static_cast<std::uint16_t>(std::get<std::int32_t>(litres));
    }
    return table;
}

QByteArray write_table_json(const CalibrationTable& table) {
    return json_document(table_object(table), table_format_name, table_format_version);
}

std::variant<CalibrationTable, FileProblem> read_table_json(const QByteArray& text) {
    const auto object = json_document_object(text, table_format_name, table_format_version);
    if (const auto* problem = std::get_if<FileProblem>(&object)) return *problem;
    return table_from_object(std::get<QJsonObject>(object), {});
}

}  // namespace calibration
