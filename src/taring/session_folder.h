#pragma once
// The folders where the console keeps its taring sessions: one for each language, so that
// a session begun in one is gone on with in the other; a new session's file name, and the
// unfinished session of a sensor to go on with.

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "taring/taring_session.h"

namespace taring {

// The folders under `documents` that hold sessions: the one of the language in force
// first ("Тарировки", or "Taring sessions" in English), where new sessions go, then the
// other language's.
QStringList session_folders(const QString& documents);

// "2026-12-08 датчик 151013.json" (by serial number) or "2026-12-08 адрес 1.json" (a
// sensor that has not told its serial number), "sensor" and "address" in English, with
// " (2)", " (3)"... before the extension when the name is taken.
QString new_session_path(const QString& folder, const QDate& day, int address, std::optional<std::uint32_t> serial);

struct Unfinished {
    QString path;
    TaringSession session;
};

// The session last written in any of `folders` of the sensor at `address` with `serial`
// (both without one, when the sensor has not told it) that has points and no table made
// yet. Files are judged by what they hold, not by their names; those that are no
// readable session are passed over, and so are folders that do not exist.
std::optional<Unfinished> unfinished_session(const QStringList& folders, int address, std::optional<std::uint32_t> serial);

}  // namespace taring
