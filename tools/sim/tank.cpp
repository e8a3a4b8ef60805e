#include "tank.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

namespace sim {

namespace {

constexpr double tip_height = 0.03;  // the sensor's tip, above the bottom, as a share of the height
constexpr double decay_seconds = 0.8;
constexpr double slosh_period = 1.3;  // seconds; not a multiple of a poll period, so polls see it move
constexpr double least_swing = 15;    // levels: even a small pour makes waves
constexpr double most_swing = 0.05;   // of the sensor's span: waves, not a fall from the old level

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

double cylinder_share(double height) {
    const double c = 1 - 2 * std::clamp(height, 0.0, 1.0);  // cosine of the half angle of the wetted arc
    return (std::acos(c) - c * std::sqrt(1 - c * c)) / std::numbers::pi;
}

double cylinder_height(double share) {
    double low = 0, high = 1;
    for (int i = 0; i < 60; ++i) (cylinder_share((low + high) / 2) < share ? low : high) = (low + high) / 2;
    return (low + high) / 2;
}

double Tank::pour(double litres, double now) {
    const double before = level_at(now);
    const double moved = std::clamp(litres_ + litres, 0.0, capacity_) - litres_;
    litres_ += moved;
    const double gap = before - settled_level();
    swing_ = std::copysign(std::clamp(std::abs(gap), least_swing, most_swing * full_level_), gap);
    changed_at_ = now;
    return moved;
}

double Tank::settled_level() const {
    const double height = cylinder_height(litres_ / capacity_);
    return std::clamp((height - tip_height) / (1 - tip_height), 0.0, 1.0) * full_level_;
}

double Tank::level_at(double now) const {
    const double t = std::max(0.0, now - changed_at_);
    const double wave = swing_ * std::exp(-t / decay_seconds) * std::cos(2 * std::numbers::pi * t / slosh_period);
    return std::clamp(settled_level() + wave, 0.0, full_level_);
}

std::variant<TankCommand, std::string> parse_tank_command(std::string_view line) {
    line = trimmed(line);
    const auto blank = line.find_first_of(" \t");
    const std::string_view word = line.substr(0, blank);
    const std::string_view rest = blank == std::string_view::npos ? std::string_view{} : trimmed(line.substr(blank));
    const std::string usage = "pour LITRES, drain LITRES or status";
    if (word == "status") {
        if (!rest.empty()) return "status takes nothing after it";
        return TankCommand{};
    }
    if (word != "pour" && word != "drain") return "unknown command \"" + std::string(line) + "\": " + usage;
    std::string number(rest);
    std::replace(number.begin(), number.end(), ',', '.');
    double litres = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), litres);
    if (number.empty() || error != std::errc{} || end != number.data() + number.size() || !std::isfinite(litres) ||
        litres <= 0)
        return std::string(word) + " takes a positive number of litres, not \"" + std::string(rest) + "\"";
    return TankCommand{word == "pour" ? TankCommand::Kind::pour : TankCommand::Kind::drain, litres};
}

}  // namespace sim
