#pragma once
// A whole display unit kept in one JSON file: its display mode and the tables of its ten
// slots, "Sensor 1" first:
//
//   {"format": "trelvik-unit-backup", "version": 1,
//    "saved_at": "2024-05-17T09:30:12Z", "saved_by": "trelvik-cli 5.2",
//    "display_mode": {"passive": true, "virs": false},
//    "slots": [{"network_number": 1, "switched_off": false, "points": [...]}, ... ten]}
//
// Each slot is laid out as a table file's JSON without its format name and version.
// "saved_at" and "saved_by" only tell the reader where the file came from; backups made
// before they were kept have neither and read all the same.

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <variant>

#include "calibration/file_problem.h"
#include "calibration/table_frame.h"

namespace calibration {

inline constexpr char backup_format_name[] = "trelvik-unit-backup";
inline constexpr int backup_format_version = 1;
inline constexpr std::size_t unit_slots = 10;

struct UnitBackup {
    bool passive = false;  // bit 0 of the display mode byte
    bool virs = false;     // bit 2
    std::array<CalibrationTable, unit_slots> tables{};  // slot 0 is "Sensor 1"
    std::string saved_at;  // ISO 8601 in UTC; empty when not known
    std::string saved_by;  // the program and its version; empty when not known
    bool operator==(const UnitBackup&) const = default;
};

QByteArray write_backup_json(const UnitBackup& backup);
std::variant<UnitBackup, FileProblem> read_backup_json(const QByteArray& text);

// The backup, or a message that names the file and says what is wrong with it.
std::variant<UnitBackup, QString> read_backup_file(const QString& path);
// nullopt once written (whole, or not at all); else a message naming the file.
std::optional<QString> write_backup_file(const QString& path, const UnitBackup& backup);

}  // namespace calibration
