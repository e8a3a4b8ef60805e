#pragma once
// A sensor's tank for taring practice: a horizontal cylinder whose fuel changes by the
// operator's commands. The sensor's tip stands a little above the bottom, so the first
// litres read level 0, and its top reaches the top of the tank. After each change the
// surface sloshes and settles over a few seconds.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace sim {

// The share of a horizontal cylinder's volume below `height`, both 0..1 of the full
// height (the diameter); and back.
double cylinder_share(double height);
double cylinder_height(double share);

class Tank {
public:
    // `full_level`: what the sensor reads at the top of the tank.
    Tank(double capacity, double full_level) : capacity_(capacity), full_level_(full_level) {}

    double capacity() const { return capacity_; }
    double litres() const { return litres_; }

    // Adds fuel at `now` seconds (a negative amount drains it), no more than fits and no
    // more than there is; returns the litres that went in (or out, negative).
    double pour(double litres, double now);

    // The level the sensor reads when the surface is calm.
    double settled_level() const;
    // The level at `now`: the settled level, swung by the slosh of the last change.
    double level_at(double now) const;

private:
    double capacity_;
    double full_level_;
    double litres_ = 0;
    double changed_at_ = 0;
    double swing_ = 0;  // the wave at the last change: the level then less the settled one, within bounds
};

// A line the operator types on the simulator's standard input.
struct TankCommand {
    enum class Kind { pour, drain, status };
    Kind kind = Kind::status;
    double litres = 0;
};
// The command, or why the line is none.
std::variant<TankCommand, std::string> parse_tank_command(std::string_view line);

}  // namespace sim
