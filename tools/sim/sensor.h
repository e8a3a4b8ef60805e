#pragma once
// A fuel-level sensor as the console sees it on the line: it answers the frames
// addressed to it and keeps what the set commands give it.

#include <cstdint>
#include <optional>
#include <random>

#include "notes.h"
#include "protocol/bytes.h"

namespace sim {

using protocol::Byte;
using protocol::Bytes;
using protocol::ByteView;

struct SensorState {
    Byte address = 1;
    std::uint32_t serial = 0;
    Byte version_digits = 0;  // the console shows its decimal digits: 152 → "1.5.2."
    Byte version_prefix = 0;  // shown in front of the digits when not 0
    std::int8_t temperature = 20;  // °C
    std::uint32_t reading = 0;     // the raw measurement the level is scaled from
    std::uint32_t lower = 0;       // reading at an empty tank (cmd_set_low takes it)
    std::uint32_t upper = 0;       // reading at a full tank (cmd_set_high takes it)
    std::uint16_t k = 0;
    Byte mode = 0;
};

inline constexpr std::uint16_t full_level = 4095;

// The level scales the reading linearly from 0 at `lower` to full_level at `upper`
// and is clamped to that range. Levels taken the other way round (upper below
// lower) invert the scale; equal levels leave the sensor uncalibrated, level 0.
std::uint16_t level_of(const SensorState& state);

// Distinct plausible values for the sensor at `address`, the `index`-th on the line.
SensorState default_sensor(Byte address, std::size_t index);

class Sensor {
public:
    explicit Sensor(const SensorState& state);

    Byte address() const { return state_.address; }
    const SensorState& state() const { return state_; }

    // The answer to a well-formed request addressed to this sensor, with its effect
    // applied; nullopt when the sensor stays silent.
    std::optional<Bytes> answer(ByteView request, Notes& notes);

    // One second's worth of slow change in temperature and reading.
    void drift(std::mt19937& rng);

    // Puts the raw reading where `level` (0..full_level, whole) lies on the scale of the
    // sensor's first lower and upper levels: a tank sets what the sensor measures, and
    // levels taken later scale it as they would a real measurement.
    void read_level(std::uint16_t level);

private:
    SensorState state_;
    // Drift stays within a few degrees of the first temperature, and the reading
    // within the first span of levels, whatever levels are taken later on.
    std::int8_t home_temperature_;
    std::uint32_t reading_min_, reading_max_;
    std::uint32_t home_lower_, home_upper_;
};

}  // namespace sim
