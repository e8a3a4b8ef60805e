#include "sensor.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>

#include "protocol/commands.h"
#include "protocol/hex.h"
#include "reply.h"

namespace sim {

using namespace protocol;

namespace {

Byte byte_of(std::uint32_t value, int index) { return static_cast<Byte>(value >> (8 * index)); }

constexpr std::uint32_t max_serial = 2'000'000;

}  // namespace

std::uint16_t level_of(const SensorState& s) {
    if (s.lower == s.upper) return 0;
    const std::int64_t scaled = (std::int64_t{s.reading} - s.lower) * full_level / (std::int64_t{s.upper} - s.lower);
    return static_cast<std::uint16_t>(std::clamp<std::int64_t>(scaled, 0, full_level));
}

SensorState default_sensor(Byte address, std::size_t index) {
    // A handful of profiles so that neighbouring sensors show different numbers,
    // one of them below freezing.
    static constexpr std::array<std::int8_t, 5> temperatures{21, 14, -3, 7, 28};
    static constexpr std::array<std::uint32_t, 5> fill_percent{35, 62, 88, 15, 50};
    static constexpr std::array<Byte, 5> modes{0x00, 0x02, 0x09, 0x04, 0x08};
    const std::size_t profile = index % 5;

    SensorState s;
    s.address = address;
    s.serial = 150'000 + 1013u * address;
    s.version_digits = static_cast<Byte>(151 + 2 * (index % 10));
    s.version_prefix = index % 2 == 1 ? 2 : 0;
    s.temperature = temperatures[profile];
    s.lower = 1000 + 100 * static_cast<std::uint32_t>(index % 50);
    s.upper = 31'000 + 2000 * static_cast<std::uint32_t>(index % 50);
    s.reading = s.lower + (s.upper - s.lower) / 100 * fill_percent[profile];
    s.k = static_cast<std::uint16_t>(1000 + 25 * address);
    s.mode = modes[profile];
    return s;
}

Sensor::Sensor(const SensorState& state)
    : state_(state),
      home_temperature_(state.temperature),
      reading_min_(std::min({state.lower, state.upper, state.reading})),
      reading_max_(std::max({state.lower, state.upper, state.reading})),
      home_lower_(state.lower),
      home_upper_(state.upper) {}

std::optional<Bytes> Sensor::answer(ByteView request, Notes& notes) {
    const Byte a = state_.address;
    const std::string who = "sensor " + std::to_string(a);
    const Byte code = request[2];
    const auto temp = static_cast<Byte>(state_.temperature);
    const std::uint16_t level = level_of(state_);
    const Byte lvl0 = static_cast<Byte>(level), lvl1 = static_cast<Byte>(level >> 8);
    const std::uint32_t r = state_.reading, lo = state_.lower, hi = state_.upper;

    switch (code) {
    case cmd_poll_short:
        // Bytes 7-8 are not read by the console; they carry the low half of the reading.
        return make_reply(sensor_reply_start, a, code, {temp, lvl0, lvl1, byte_of(r, 0), byte_of(r, 1)});
    case cmd_poll_full:
        return make_reply(sensor_reply_start, a, code,
                          {temp, lvl0, lvl1, byte_of(r, 0), byte_of(r, 1), byte_of(r, 2), byte_of(r, 3),
                           byte_of(lo, 0), byte_of(lo, 1), byte_of(lo, 2), byte_of(lo, 3), byte_of(hi, 0),
                           byte_of(hi, 1), byte_of(hi, 2), byte_of(hi, 3), byte_of(state_.k, 0),
                           byte_of(state_.k, 1), state_.mode});
    case cmd_read_sn: {
        const std::uint32_t sn = state_.serial;
        return make_reply(sensor_reply_start, a, code,
                          {byte_of(sn, 0), byte_of(sn, 1), byte_of(sn, 2), byte_of(sn, 3), state_.version_digits,
                           state_.version_prefix});
    }
    case cmd_set_low:
        state_.lower = r;
        notes.push_back(who + ": lower level := " + std::to_string(r));
        return make_reply(sensor_reply_start, a, code);
    case cmd_set_high:
        state_.upper = r;
        notes.push_back(who + ": upper level := " + std::to_string(r));
        return make_reply(sensor_reply_start, a, code);
    case cmd_set_net: {
        const Byte to = request[3];
        if (to > max_sensor_address) {
            notes.push_back(who + ": network number " + std::to_string(to) + " is out of range, ignored");
            return std::nullopt;
        }
        // The confirmation still leaves from the old address.
        Bytes reply = make_reply(sensor_reply_start, a, code, {to});
        state_.address = to;
        notes.push_back(who + " moved to address " + std::to_string(to));
        return reply;
    }
    case cmd_set_sn: {
        const std::uint32_t sn = msb_first(request.subspan(3, 4));
        if (sn > max_serial) {
            notes.push_back(who + ": serial number " + std::to_string(sn) + " is out of range, ignored");
            return std::nullopt;
        }
        state_.serial = sn;
        notes.push_back(who + ": serial number := " + std::to_string(sn));
        return make_reply(sensor_reply_start, a, code, {request[3], request[4], request[5], request[6]});
    }
    case cmd_set_mode:
        state_.mode = request[3];
        notes.push_back(who + ": mode := " + std::to_string(state_.mode));
        return make_reply(sensor_reply_start, a, code, {state_.mode});
    default:
        notes.push_back(who + " does not answer command " + hex_dump(code));
        return std::nullopt;
    }
}

void Sensor::drift(std::mt19937& rng) {
    // Temperature: now and then one degree up or down, never far from where it began.
    if (std::uniform_int_distribution<int>(0, 7)(rng) == 0) {
        const int step = std::uniform_int_distribution<int>(0, 1)(rng) ? 1 : -1;
        const int t = std::clamp(state_.temperature + step, home_temperature_ - 3, home_temperature_ + 3);
        state_.temperature = static_cast<std::int8_t>(std::clamp<int>(t, std::numeric_limits<std::int8_t>::min(),
                                                                     std::numeric_limits<std::int8_t>::max()));
    }
    // Reading: a small random walk, about a five-hundredth of the span per second.
    const std::int64_t reach = std::max<std::int64_t>(1, (std::int64_t{reading_max_} - reading_min_) / 500);
    const std::int64_t moved = std::int64_t{state_.reading} + std::uniform_int_distribution<std::int64_t>(-reach, reach)(rng);
    state_.reading = static_cast<std::uint32_t>(std::clamp<std::int64_t>(moved, reading_min_, reading_max_));
}

void Sensor::read_level(std::uint16_t level) {
    // Rounded up, so that level_of gives `level` back while the first levels stand.
    const std::int64_t span = std::int64_t{home_upper_} - home_lower_;
    const std::int64_t offset = span >= 0 ? (level * span + full_level - 1) / full_level : level * span / full_level;
    state_.reading = static_cast<std::uint32_t>(std::max<std::int64_t>(0, home_lower_ + offset));
}

}  // namespace sim
