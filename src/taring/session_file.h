#pragma once
// A taring session kept on disk, rewritten whole after every point so that a crash or a
// pulled cable loses nothing:
//
//   {"format": "trelvik-taring-session", "version": 1, "address": 1, "serial": 151013,
//    "points": [{"litres": 0, "level": 0, "spread": 1, "polls": 41,
//                "time": "2026-12-08T09:12:30.120+01:00"}, ...],
//    "finished": true}
//
// in the order the points were taken, and "finished" once its table has been made. Only
// "litres" and "level" are needed in a point (another tool's log will do); "serial",
// "spread", "polls", "time" and "finished" are kept when present, and so is any other key,
// at the top or in a point, written back as it came. A file with anything wrong in the
// keys read here is refused whole, with the field named.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>
#include <string>
#include <variant>

#include "calibration/file_problem.h"
#include "taring/taring_session.h"

namespace taring {

inline constexpr char session_format_name[] = "trelvik-taring-session";
inline constexpr int session_format_version = 1;

// A point's time as the file keeps it: local time with its offset from UTC, to the millisecond.
std::string point_time(const QDateTime& when);

QByteArray write_session_json(const TaringSession& session);
std::variant<TaringSession, calibration::FileProblem> read_session_json(const QByteArray& text);

// The session, or a message that names the file and says what is wrong with it.
std::variant<TaringSession, QString> read_session_file(const QString& path);
// nullopt once written (whole, or not at all); else a message naming the file.
std::optional<QString> write_session_file(const QString& path, const TaringSession& session);

}  // namespace taring
