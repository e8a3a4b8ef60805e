#pragma once
// A tank being tared: the points taken so far, in the order they were taken. A point is
// the fuel in the tank (litres, as poured) and the sensor's level once it had settled.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace taring {

struct TaringPoint {
    double litres = 0;  // all the fuel in the tank
    double level = 0;   // the settled level: the median of the steady polls
    // How the level was taken, when known: the spread of the steady polls, how many there
    // were, and when (ISO 8601 text, as written to the session file).
    std::optional<double> spread;
    std::optional<std::uint32_t> polls;
    std::optional<std::string> time;
    // What else the file held for the point (another tool's "temperature", say), kept to be
    // written back: a JSON object's text, empty for nothing. A point taken here has none.
    std::string other_keys{};
    bool operator==(const TaringPoint&) const = default;
};

struct TaringSession {
    int address = 0;                      // the sensor's network address
    std::optional<std::uint32_t> serial;  // the sensor's serial number, when it told it
    std::vector<TaringPoint> points;
    // Its table has been made; a point taken or taken back after that opens it again.
    bool finished = false;
    // What else the file held at its top (a "vehicle", say), as for a point.
    std::string other_keys{};

    // The litres of the last point; `empty` when there is none yet.
    double litres_now(double empty = 0) const { return points.empty() ? empty : points.back().litres; }
    void take(TaringPoint point) {
        points.push_back(std::move(point));
        finished = false;
    }
    // Takes the last point back; nullopt when there is none.
    std::optional<TaringPoint> undo();

    bool operator==(const TaringSession&) const = default;
};

}  // namespace taring
