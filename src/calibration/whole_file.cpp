#include "whole_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace calibration {

namespace {

QString named(const QString& path, const QString& what) { return QFileInfo(path).fileName() + QStringLiteral(": ") + what; }

}  // namespace

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

QString file_message(const QString& path, const FileProblem& problem) {
    return QString::fromStdString(file_problem_message(QFileInfo(path).fileName().toStdString(), problem));
}

}  // namespace calibration
