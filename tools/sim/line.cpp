#include "line.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "protocol/commands.h"

namespace sim {

using namespace protocol;

namespace {

// A level's noise: a unit either way, each a quarter of the time.
int noise(std::mt19937& rng) {
    const int draw = std::uniform_int_distribution<int>(0, 3)(rng);
    return draw == 0 ? -1 : draw == 3 ? 1 : 0;
}

// Litres to a tenth: "12.5", "100".
std::string litres(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", v);
    std::string shown = text;
    if (shown.ends_with(".0")) shown.resize(shown.size() - 2);
    return shown;
}

}  // namespace

Line::Line(const LineConfig& config)
    : config_(config), display_(config.password, config.lock_tables, config.faults.bad_store), rng_(config.seed) {
    for (std::size_t slot : config.high_value_slots) display_.hold_high_values(slot);
    for (std::size_t i = 0; i < config.sensors.size(); ++i) sensors_.emplace_back(default_sensor(config.sensors[i], i));
    if (config.tank) {
        const auto at = std::find(config.sensors.begin(), config.sensors.end(), config.tank->address);
        if (at != config.sensors.end()) {
            tank_.emplace(config.tank->capacity, full_level);
            tank_index_ = static_cast<std::size_t>(at - config.sensors.begin());
            sensors_[tank_index_].read_level(0);  // the tank starts empty
        }
    }
}

Sensor* Line::tank_sensor() { return tank_ ? &sensors_[tank_index_] : nullptr; }

void Line::drift() {
    if (!config_.drift) return;
    for (Sensor& s : sensors_)
        if (&s != tank_sensor()) s.drift(rng_);
}

std::string Line::tank_command(std::string_view line) {
    if (!tank_) return "no tank: start with --tank ADDRESS:LITRES";
    const auto parsed = parse_tank_command(line);
    if (const auto* refused = std::get_if<std::string>(&parsed)) return "tank: " + *refused;
    const TankCommand& command = std::get<TankCommand>(parsed);
    std::string done;
    if (command.kind != TankCommand::Kind::status) {
        const bool pour = command.kind == TankCommand::Kind::pour;
        const double wanted = tank_->litres() + (pour ? command.litres : -command.litres);
        const bool stopped = pour ? wanted > tank_->capacity() : wanted < 0;
        const double moved = tank_->pour(pour ? command.litres : -command.litres, now_);
        done = (pour ? "poured " : "drained ") + litres(std::abs(moved)) + " L" +
               (stopped ? pour ? " (full)" : " (empty)" : "") + "; ";
    }
    return "tank of sensor " + std::to_string(tank_sensor()->address()) + ": " + done + litres(tank_->litres()) +
           " of " + litres(tank_->capacity()) + " L, level " + std::to_string(std::lround(tank_->level_at(now_))) +
           ", settling at " + std::to_string(std::lround(tank_->settled_level()));
}

Outcome Line::receive(ByteView frame) {
    Outcome out;
    if (frame[0] == sensor_frame_start && frame[1] == search_address)
        search(out);
    else if (frame[0] == sensor_frame_start)
        to_sensors(frame, out);
    else
        to_display(frame, out);
    return out;
}

void Line::search(Outcome& out) {
    // Each sensor answers with its bare address; they take turns in address order.
    Bytes addresses;
    for (const Sensor& s : sensors_)
        if (!config_.faults.mute.contains(s.address())) addresses.push_back(s.address());
    std::sort(addresses.begin(), addresses.end());
    if (addresses.empty()) {
        out.notes.push_back("search: no sensor answers");
        return;
    }
    out.bursts.push_back({config_.turnaround, addresses, "search answer"});
    add_garbage(out);
}

void Line::to_sensors(ByteView frame, Outcome& out) {
    const Byte address = frame[1];
    if (config_.faults.mute.contains(address)) {
        out.notes.push_back("address " + std::to_string(address) + " is muted");
        return;
    }
    // Collect the addressees first: cmd_set_net may move one of them.
    std::vector<Sensor*> addressees;
    for (Sensor& s : sensors_)
        if (s.address() == address) addressees.push_back(&s);
    if (addressees.empty()) {
        out.notes.push_back("no device at address " + std::to_string(address));
        return;
    }
    if (addressees.size() > 1)
        out.notes.push_back(std::to_string(addressees.size()) + " sensors share address " + std::to_string(address) +
                            ": their answers collide");
    for (Sensor* s : addressees) {
        if (s == tank_sensor()) {
            const double level = std::round(tank_->level_at(now_)) + (config_.drift ? noise(rng_) : 0);
            s->read_level(static_cast<std::uint16_t>(std::clamp(level, 0.0, double{full_level})));
        }
        if (auto answer = s->answer(frame, out.notes)) transmit(address, std::move(*answer), out);
    }
}

void Line::to_display(ByteView frame, Outcome& out) {
    if (config_.faults.mute.contains(display_address)) {
        out.notes.push_back("display unit is muted");
        return;
    }
    if (frame[1] != display_address) {
        display_.show_sensor_answer(frame, out.notes);
        return;
    }
    if (auto answer = display_.answer(frame, out.notes)) transmit(display_address, std::move(*answer), out);
}

void Line::transmit(Byte from, Bytes answer, Outcome& out) {
    const Faults& f = config_.faults;
    if (auto lose = f.lose.find(from); lose != f.lose.end() && ++answered_[from] % lose->second == 0) {
        out.notes.push_back("answer of address " + std::to_string(from) + " lost");
        return;
    }
    std::string label;
    if (f.bad_crc.contains(from)) {
        answer.back() ^= 0xFF;
        label = "bad CRC";
    }
    if (auto cut = f.truncate.find(from); cut != f.truncate.end()) {
        const std::size_t length = cut->second.value_or(answer.size() / 2);
        if (length < answer.size()) {
            answer.resize(length);
            label += label.empty() ? "truncated" : ", truncated";
        }
    }
    if (answer.empty()) {
        out.notes.push_back("answer of address " + std::to_string(from) + " truncated to nothing");
        return;
    }
    if (auto split = f.split.find(from); split != f.split.end() && answer.size() >= 2) {
        const std::size_t at = std::clamp<std::size_t>(split->second.value_or(answer.size() / 2), 1, answer.size() - 1);
        const std::string tag = label.empty() ? "split" : label + ", split";
        out.bursts.push_back({config_.turnaround, Bytes(answer.begin(), answer.begin() + static_cast<std::ptrdiff_t>(at)), tag});
        out.bursts.push_back({f.split_gap, Bytes(answer.begin() + static_cast<std::ptrdiff_t>(at), answer.end()), tag + ", rest"});
    } else {
        out.bursts.push_back({config_.turnaround, std::move(answer), label});
    }
    add_garbage(out);
}

void Line::add_garbage(Outcome& out) {
    // Late enough after the answer that the console reads it separately.
    if (config_.faults.garbage == 0) return;
    Bytes noise(config_.faults.garbage);
    for (Byte& b : noise) b = static_cast<Byte>(std::uniform_int_distribution<int>(0, 255)(rng_));
    out.bursts.push_back({config_.faults.garbage_gap, std::move(noise), "garbage"});
}

}  // namespace sim
