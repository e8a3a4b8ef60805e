#pragma once
// Files that are read and written whole: a table or a unit's backup. A read is refused
// when the file is larger than any of them can be; a write goes through a temporary file
// that replaces the old one only when complete. Messages name the file.

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>

#include "calibration/file_problem.h"

namespace calibration {

// Far more than any table or backup takes; a larger file is refused unread.
inline constexpr qint64 max_table_file_size = 1 << 20;

// The file's bytes, or a message that names the file and the system's reason.
std::variant<QByteArray, QString> read_whole_file(const QString& path);

// nullopt once written; else a message that names the file and the system's reason.
std::optional<QString> write_whole_file(const QString& path, const QByteArray& bytes);

// "backup.json, поле «slots[2].litres»: …": a problem found in the file at `path`, in
// the program's language.
QString file_message(const QString& path, const FileProblem& problem);

}  // namespace calibration
