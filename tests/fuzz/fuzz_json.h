#pragma once
// Shared by the fuzz targets of the JSON files: a refusal says what is wrong in readable
// text; an accepted table holds what the document holds (parsed here once more, apart
// from the reader); and what was accepted writes out to a file that reads back to the
// same thing and writes out to the same bytes again.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdint>
#include <variant>

#include "calibration/file_problem.h"
#include "calibration/table_frame.h"
#include "fuzz_check.h"

namespace fuzz {

inline QByteArray file_text(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)};
}

// What a reader accepted, or nullptr once its refusal was checked.
template <typename Value>
const Value* accepted(const std::variant<Value, calibration::FileProblem>& read) {
    if (const auto* problem = std::get_if<calibration::FileProblem>(&read)) {
        FUZZ_CHECK(!problem->what.empty());
        for (const protocol::Text* text : {&problem->where, &problem->what})
            for (const auto& arg : text->args)
                if (const auto* words = std::get_if<std::string>(&arg)) FUZZ_CHECK(well_formed_utf8(*words));
        return nullptr;
    }
    return &std::get<Value>(read);
}
template <typename Value>
const Value* accepted(const std::variant<Value, calibration::FileProblem>&& read) = delete;  // would dangle

// The document's top-level object, or an empty one when the text is none.
inline QJsonObject document_object(QByteArray text) {
    if (text.startsWith("\xEF\xBB\xBF")) text.remove(0, 3);
    return QJsonDocument::fromJson(text).object();
}

// Every field of `table` is the number or flag the same place of `object` holds.
inline void check_table(const QJsonObject& object, const calibration::CalibrationTable& table) {
    FUZZ_CHECK(object.value("network_number").toDouble() == table.net);
    FUZZ_CHECK(table.status == (object.value("switched_off").toBool() ? 0 : calibration::slot_in_service));
    const QJsonArray points = object.value("points").toArray();
    FUZZ_CHECK(points.size() == static_cast<qsizetype>(calibration::table_points));
    for (std::size_t k = 0; k < calibration::table_points; ++k) {
        const QJsonObject point = points.at(static_cast<qsizetype>(k)).toObject();
        FUZZ_CHECK(point.value("sensor_value").toDouble() == table.values[k]);
        FUZZ_CHECK(point.value("litres").toDouble() == table.litres[k]);
    }
}

template <typename Value, typename Write, typename Read>
void check_round_trip(const Value& accepted, Write write, Read read) {
    const QByteArray written = write(accepted);
    FUZZ_CHECK(well_formed_utf8(std::string_view(written.constData(), static_cast<std::size_t>(written.size()))));
    const auto again = read(written);
    FUZZ_CHECK(std::holds_alternative<Value>(again) && std::get<Value>(again) == accepted);
    FUZZ_CHECK(write(std::get<Value>(again)) == written);
}

}  // namespace fuzz
