#include "table_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "calibration/table_csv.h"
#include "calibration/table_json.h"

namespace calibration {

namespace {

QString named(const QString& path, const QString& what) { return QFileInfo(path).fileName() + QStringLiteral(": ") + what; }

std::variant<QByteArray, QString> read_whole_file(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return named(path, file.errorString());
    // Read to one byte past the limit: a device or a pipe has no size to ask for.
    QByteArray bytes = file.read(max_table_file_size + 1);
    if (bytes.size() > max_table_file_size) return named(path, QStringLiteral("файл слишком велик для таблицы"));
    if (file.error() != QFileDevice::NoError) return named(path, file.errorString());
    return bytes;
}

std::optional<QString> write_whole_file(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return named(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return named(path, reason);
    }
    if (!file.commit()) return named(path, file.errorString());
    return std::nullopt;
}

}  // namespace

TableFormat table_format(const QString& path) {
    return path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive) ? TableFormat::json : TableFormat::csv;
}

std::variant<CalibrationTable, QString> read_table_file(const QString& path) {
    const auto bytes = read_whole_file(path);
    if (const auto* refused = std::get_if<QString>(&bytes)) return *refused;
    const QByteArray& text = std::get<QByteArray>(bytes);
    const auto table = table_format(path) == TableFormat::json
                           ? read_table_json(text)
                           : read_table_csv(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    if (const auto* problem = std::get_if<FileProblem>(&table))
        return QString::fromStdString(file_problem_message(QFileInfo(path).fileName().toStdString(), *problem));
    return std::get<CalibrationTable>(table);
}

std::optional<QString> write_table_file(const QString& path, const CalibrationTable& table) {
    if (table_format(path) == TableFormat::json) return write_whole_file(path, write_table_json(table));
    const std::string text = write_table_csv(table);
    return write_whole_file(path, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace calibration
