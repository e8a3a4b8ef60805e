#pragma once
// The RS-485 line behind the pty: routes each request frame to the devices it
// addresses, collects their answers in line order and shapes them with the
// faults asked for. Knows nothing of time beyond the silences it asks for.

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "display_unit.h"
#include "notes.h"
#include "sensor.h"
#include "tank.h"

namespace sim {

using std::chrono::milliseconds;

// Faults follow the address: whatever device answers at it gets them.
struct Faults {
    std::set<Byte> mute;     // the device is gone from the line: hears nothing, answers nothing
    std::set<Byte> bad_crc;  // answers end in a wrong CRC
    std::map<Byte, std::optional<std::size_t>> truncate;  // answers cut to this length (nullopt: half)
    std::map<Byte, std::optional<std::size_t>> split;     // answers pause after this many bytes (nullopt: half)
    std::map<Byte, std::size_t> lose;  // every Nth answer is lost on the line
    milliseconds split_gap{30};
    std::size_t garbage = 0;  // random bytes after every answer
    milliseconds garbage_gap{40};
    // The display unit confirms table writes but stores row 40's litres off by one, so
    // only a read-back finds it.
    bool bad_store = false;
};

inline constexpr std::uint32_t default_password = 12345;

// The sensor at `address` stands in a tank of `capacity` litres.
struct TankConfig {
    Byte address = 1;
    double capacity = 1000;
};

struct LineConfig {
    std::vector<Byte> sensors{1, 2, 5};
    bool drift = true;
    std::uint32_t seed = 1;
    std::uint32_t password = default_password;
    bool lock_tables = false;
    // Slots (0..9) whose sensor values lie above 32767, as a unit can hold them.
    std::set<std::size_t> high_value_slots;
    Faults faults;
    milliseconds turnaround{3};  // a device's pause between request and answer
    std::optional<TankConfig> tank;
};

// Bytes that leave together, after the line has been quiet for `silence_before`.
struct Burst {
    milliseconds silence_before{0};
    Bytes bytes;
    std::string label;  // empty for a plain answer; otherwise the fault that shaped it
};

struct Outcome {
    std::vector<Burst> bursts;
    Notes notes;
};

class Line {
public:
    explicit Line(const LineConfig& config);

    // Everything the devices do with one well-formed frame.
    Outcome receive(ByteView frame);

    // One second of drift in every sensor, unless drift is off; a sensor in a tank reads
    // its tank instead, with a level's noise unless drift is off.
    void drift();

    // The time, in seconds on any steady clock, for what happens next: a tank's level
    // sloshes and settles with it.
    void set_time(double seconds) { now_ = seconds; }
    // A command to the tank ("pour 10", "drain 5", "status"): what it did, for the log.
    std::string tank_command(std::string_view line);

    const std::vector<Sensor>& sensors() const { return sensors_; }
    const DisplayUnit& display() const { return display_; }

private:
    void search(Outcome& out);
    void to_sensors(ByteView frame, Outcome& out);
    void to_display(ByteView frame, Outcome& out);
    void transmit(Byte from, Bytes answer, Outcome& out);
    void add_garbage(Outcome& out);

    Sensor* tank_sensor();

    LineConfig config_;
    std::vector<Sensor> sensors_;
    std::optional<Tank> tank_;
    std::size_t tank_index_ = 0;  // the sensor in the tank, wherever set-net moves it
    double now_ = 0;
    DisplayUnit display_;
    std::mt19937 rng_;
    std::map<Byte, std::size_t> answered_;  // answers sent at each address, for `lose`
};

}  // namespace sim
