#pragma once
// Line settings in the form of the system's mode command: "19200,n,8,1" is
// baud, parity (n, e, o, m, s), data bits (5 to 8) and stop bits (1, 1.5, 2).
// Trailing fields may be left out; they default to no parity, 8 data bits, 1 stop bit.
// The mode command's two-digit baud abbreviations (96 for 9600, 19 for 19200, ...) are understood.

#include <optional>
#include <string_view>

namespace serial {

enum class Parity { None, Even, Odd, Mark, Space };
enum class StopBits { One, OneAndHalf, Two };

struct LineSettings {
    int baud = 19200;
    Parity parity = Parity::None;
    int data_bits = 8;
    StopBits stop_bits = StopBits::One;
    bool operator==(const LineSettings&) const = default;
};

std::optional<LineSettings> parse_line_settings(std::string_view text);

}  // namespace serial
