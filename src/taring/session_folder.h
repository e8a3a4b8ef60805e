#pragma once
// The folder where the console keeps its taring sessions: a new session's file name, and
// the unfinished session of a sensor to go on with.

#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>

#include "taring/taring_session.h"

namespace taring {

// "2026-12-08 датчик 151013.json" (by serial number) or "2026-12-08 адрес 1.json" (a
// sensor that has not told its serial number), with " (2)", " (3)"... before the
// extension when the name is taken.
QString new_session_path(const QString& folder, const QDate& day, int address, std::optional<std::uint32_t> serial);

struct Unfinished {
    QString path;
    TaringSession session;
};

// The session last written in `folder` of the sensor at `address` with `serial` (both
// without one, when the sensor has not told it) that has points and no table made yet.
// Files that are no readable session are passed over.
std::optional<Unfinished> unfinished_session(const QString& folder, int address, std::optional<std::uint32_t> serial);

}  // namespace taring
