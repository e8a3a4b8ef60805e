#include "unit_backup.h"

#include <QJsonArray>
#include <QJsonObject>

#include "calibration/table_json.h"
#include "calibration/whole_file.h"

namespace calibration {

namespace {

constexpr char saved_at_key[] = "saved_at";
constexpr char saved_by_key[] = "saved_by";

}  // namespace

QByteArray write_backup_json(const UnitBackup& backup) {
    QJsonArray tables;
    for (const CalibrationTable& table : backup.tables) tables.append(table_object(table));
    const QJsonObject mode{{QStringLiteral("passive"), backup.passive}, {QStringLiteral("virs"), backup.virs}};
    QJsonObject document{{QStringLiteral("display_mode"), mode}, {QStringLiteral("slots"), tables}};
    for (const auto& [key, text] : {std::pair{saved_at_key, &backup.saved_at}, std::pair{saved_by_key, &backup.saved_by}})
        if (!text->empty()) document.insert(QLatin1String(key), QString::fromStdString(*text));
    return json_document(document, backup_format_name, backup_format_version);
}

std::variant<UnitBackup, FileProblem> read_backup_json(const QByteArray& text) {
    const auto document = json_document_object(text, backup_format_name, backup_format_version);
    if (const auto* problem = std::get_if<FileProblem>(&document)) return *problem;
    const QJsonObject& object = std::get<QJsonObject>(document);
    UnitBackup backup;

    for (const auto& [key, text] : {std::pair{saved_at_key, &backup.saved_at}, std::pair{saved_by_key, &backup.saved_by}}) {
        const QJsonValue value = object.value(QLatin1String(key));
        if (value.isUndefined()) continue;
        if (!value.isString()) return field_problem(key, file_text(QT_TRANSLATE_NOOP("TableFile", "ожидается строка")));
        *text = value.toString().toStdString();
    }

    const QJsonValue mode = object.value(QLatin1String("display_mode"));
    if (!mode.isObject())
        return field_problem("display_mode", file_text(QT_TRANSLATE_NOOP("TableFile", "ожидается объект с полями passive и virs")));
    for (auto [key, flag] : {std::pair{"passive", &backup.passive}, std::pair{"virs", &backup.virs}}) {
        const auto value = json_flag(mode.toObject(), key, "display_mode");
        if (const auto* problem = std::get_if<FileProblem>(&value)) return *problem;
        *flag = std::get<bool>(value);
    }

    const QJsonValue tables = object.value(QLatin1String("slots"));
    if (!tables.isArray() || tables.toArray().size() != static_cast<qsizetype>(unit_slots))
        return field_problem("slots", file_text(QT_TRANSLATE_NOOP("TableFile", "ожидается массив из %1 таблиц"),
                                                {static_cast<long long>(unit_slots)}));
    for (std::size_t s = 0; s < unit_slots; ++s) {
        const std::string path = "slots[" + std::to_string(s) + "]";
        const QJsonValue slot = tables.toArray().at(static_cast<qsizetype>(s));
        if (!slot.isObject()) return field_problem(path, file_text(QT_TRANSLATE_NOOP("TableFile", "ожидается объект таблицы")));
        const auto table = table_from_object(slot.toObject(), path);
        if (const auto* problem = std::get_if<FileProblem>(&table)) return *problem;
        backup.tables[s] = std::get<CalibrationTable>(table);
    }
    return backup;
}

std::variant<UnitBackup, QString> read_backup_file(const QString& path) {
    const auto bytes = read_whole_file(path);
    if (const auto* refused = std::get_if<QString>(&bytes)) return *refused;
    const auto backup = read_backup_json(std::get<QByteArray>(bytes));
    if (const auto* problem = std::get_if<FileProblem>(&backup)) return file_message(path, *problem);
    return std::get<UnitBackup>(backup);
}

std::optional<QString> write_backup_file(const QString& path, const UnitBackup& backup) {
    return write_whole_file(path, write_backup_json(backup));
}

}  // namespace calibration
