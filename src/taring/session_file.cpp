#include "session_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>

#include "calibration/table_json.h"
#include "calibration/whole_file.h"
#include "protocol/commands.h"

namespace taring {

using calibration::FileProblem;

namespace {

constexpr double no_limit = std::numeric_limits<double>::max();
constexpr double most_polls = std::numeric_limits<std::uint32_t>::max();

FileProblem at(const std::string& field, const char* what, std::vector<protocol::Text::Arg> args = {}) {
    return calibration::field_problem(field, calibration::file_text(what, std::move(args)));
}

// A number as the file writes it: JSON's decimal point, whatever the language.
std::string json_number(double v) { return QString::number(v, 'g', 17).toStdString(); }

// `object[key]` as a finite number from `min` to `max`; nullopt when absent and not `needed`.
std::variant<std::optional<double>, FileProblem> number(const QJsonObject& object, const char* key,
                                                        const std::string& path, bool needed, double min,
                                                        double max, bool whole = false) {
    const std::string field = path.empty() ? key : path + "." + key;
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined()) {
        if (needed) return at(field, QT_TRANSLATE_NOOP("TableFile", "нет такого поля"));
        return std::optional<double>{};
    }
    if (!value.isDouble() || !std::isfinite(value.toDouble())) return at(field, QT_TRANSLATE_NOOP("TableFile", "ожидается число"));
    const double v = value.toDouble();
    if (whole && v != std::floor(v)) return at(field, QT_TRANSLATE_NOOP("TableFile", "ожидается целое число"));
    // A field without an upper limit has no range to name.
    if (v < min && max == no_limit)
        return at(field, QT_TRANSLATE_NOOP("TableFile", "%1 меньше %2"), {json_number(v), json_number(min)});
    if (v < min || v > max)
        return at(field, QT_TRANSLATE_NOOP("TableFile", "%1 вне диапазона %2....%3"),
                  {json_number(v), json_number(min), json_number(max)});
    return std::optional<double>{v};
}

// The keys of `object` other than `known`, as compact JSON text; empty when there are none.
// A parsed object may hold a key twice (a byte order mark inside a key is dropped), so each
// entry is looked at, not each name. Written out and read back once, so that what cannot be
// written as it came (a lone surrogate in a text) reads back the same from then on.
std::string other_keys(const QJsonObject& object, std::initializer_list<QLatin1String> known) {
    QJsonObject others;
    for (auto entry = object.begin(); entry != object.end(); ++entry)
        if (std::find(known.begin(), known.end(), entry.key()) == known.end()) others.insert(entry.key(), entry.value());
    if (others.isEmpty()) return {};
    const QByteArray once = QJsonDocument(others).toJson(QJsonDocument::Compact);
    return QJsonDocument::fromJson(once).toJson(QJsonDocument::Compact).toStdString();
}

// `object` with the keys kept in `others` put back; the fields written here win over them.
QJsonObject with_other_keys(QJsonObject object, const std::string& others) {
    if (others.empty()) return object;
    const QJsonObject kept = QJsonDocument::fromJson(QByteArray::fromStdString(others)).object();
    for (auto key = kept.begin(); key != kept.end(); ++key)
        if (!object.contains(key.key())) object.insert(key.key(), key.value());
    return object;
}

}  // namespace

std::string point_time(const QDateTime& when) {
    return when.toOffsetFromUtc(when.offsetFromUtc()).toString(Qt::ISODateWithMs).toStdString();
}

QByteArray write_session_json(const TaringSession& session) {
    QJsonArray points;
    for (const TaringPoint& p : session.points) {
        QJsonObject point{{QStringLiteral("litres"), p.litres}, {QStringLiteral("level"), p.level}};
        if (p.spread) point.insert(QStringLiteral("spread"), *p.spread);
        if (p.polls) point.insert(QStringLiteral("polls"), static_cast<qint64>(*p.polls));
        if (p.time) point.insert(QStringLiteral("time"), QString::fromStdString(*p.time));
        points.append(with_other_keys(point, p.other_keys));
    }
    QJsonObject object{{QStringLiteral("address"), session.address}, {QStringLiteral("points"), points}};
    if (session.serial) object.insert(QStringLiteral("serial"), static_cast<qint64>(*session.serial));
    if (session.finished) object.insert(QStringLiteral("finished"), true);
    return calibration::json_document(with_other_keys(object, session.other_keys), session_format_name,
                                      session_format_version);
}

std::variant<TaringSession, FileProblem> read_session_json(const QByteArray& text) {
    const auto document = calibration::json_document_object(text, session_format_name, session_format_version);
    if (const auto* problem = std::get_if<FileProblem>(&document)) return *problem;
    const QJsonObject& object = std::get<QJsonObject>(document);
    TaringSession session;

    const auto address = number(object, "address", {}, true, 0, protocol::max_sensor_address, true);
    if (const auto* problem = std::get_if<FileProblem>(&address)) return *problem;
    session.address = static_cast<int>(*std::get<std::optional<double>>(address));
    const auto serial = number(object, "serial", {}, false, 0, most_polls, true);
    if (const auto* problem = std::get_if<FileProblem>(&serial)) return *problem;
    if (const auto& s = std::get<std::optional<double>>(serial)) session.serial = static_cast<std::uint32_t>(*s);

    const QJsonValue finished = object.value(QLatin1String("finished"));
    if (!finished.isUndefined() && !finished.isBool())
        return at("finished", QT_TRANSLATE_NOOP("TableFile", "ожидается true или false"));
    session.finished = finished.toBool();
    session.other_keys = other_keys(object, {QLatin1String("format"), QLatin1String("version"), QLatin1String("address"),
                                             QLatin1String("serial"), QLatin1String("finished"), QLatin1String("points")});

    const QJsonValue points = object.value(QLatin1String("points"));
    if (!points.isArray())
        return at("points", points.isUndefined() ? QT_TRANSLATE_NOOP("TableFile", "нет такого поля")
                                                 : QT_TRANSLATE_NOOP("TableFile", "ожидается массив точек"));
    const QJsonArray array = points.toArray();
    for (qsizetype k = 0; k < array.size(); ++k) {
        const std::string path = "points[" + std::to_string(k) + "]";
        if (!array.at(k).isObject())
            return at(path, QT_TRANSLATE_NOOP("TableFile", "ожидается объект с полями litres и level"));
        const QJsonObject point = array.at(k).toObject();
        TaringPoint p;
        // Every field of the point, in the order the file writes them.
        const auto litres = number(point, "litres", path, true, 0, no_limit);
        const auto level = number(point, "level", path, true, 0, no_limit);
        const auto spread = number(point, "spread", path, false, 0, no_limit);
        const auto polls = number(point, "polls", path, false, 1, most_polls, true);
        for (const auto* read : {&litres, &level, &spread, &polls})
            if (const auto* problem = std::get_if<FileProblem>(read)) return *problem;
        p.litres = *std::get<std::optional<double>>(litres);
        p.level = *std::get<std::optional<double>>(level);
        p.spread = std::get<std::optional<double>>(spread);
        if (const auto& n = std::get<std::optional<double>>(polls)) p.polls = static_cast<std::uint32_t>(*n);
        const QJsonValue time = point.value(QLatin1String("time"));
        if (!time.isUndefined()) {
            // Text that UTF-8 cannot carry (a lone surrogate) would not read back the same.
            if (!time.isString() || QString::fromStdString(time.toString().toStdString()) != time.toString())
                return at(path + ".time", QT_TRANSLATE_NOOP("TableFile", "ожидается текст"));
            p.time = time.toString().toStdString();
        }
        p.other_keys = other_keys(point, {QLatin1String("litres"), QLatin1String("level"), QLatin1String("spread"),
                                          QLatin1String("polls"), QLatin1String("time")});
        session.points.push_back(std::move(p));
    }
    return session;
}

std::variant<TaringSession, QString> read_session_file(const QString& path) {
    const auto bytes = calibration::read_whole_file(path);
    if (const auto* refused = std::get_if<QString>(&bytes)) return *refused;
    auto session = read_session_json(std::get<QByteArray>(bytes));
    if (const auto* problem = std::get_if<FileProblem>(&session)) return calibration::file_message(path, *problem);
    return std::get<TaringSession>(std::move(session));
}

std::optional<QString> write_session_file(const QString& path, const TaringSession& session) {
    return calibration::write_whole_file(path, write_session_json(session));
}

}  // namespace taring
