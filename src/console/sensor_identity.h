#pragma once
// The line that names a sensor in the console's windows: address, serial number and, once
// the sensor has told it, its firmware version.

#include <QString>

#include <cstdint>
#include <optional>

QString sensor_identity_text(int address, std::optional<std::uint32_t> serial, const QString& version);
