#pragma once
// Request builders: plain inputs in, whole frames (CRC included) out. Numbers the
// operator types are checked by `typed_number` first; a builder is only ever given
// values it can encode, so no frame is ever half built.

#include <cstdint>
#include <optional>
#include <string_view>

#include "bytes.h"

namespace protocol {

// A sensor request without data: 31 address code CRC.
Bytes sensor_request(Byte address, Byte code);

// Whether `wrs` is one whole request that only asks (a poll, the serial number, a table
// read, the search): sent late, it changes nothing on the line.
bool only_asks(ByteView wrs);

// The range a typed number must lie in, both ends included.
struct Range {
    std::int32_t min;
    std::int32_t max;
};
inline constexpr Range net_range{0, 200};
inline constexpr Range serial_range{0, 2'000'000};
inline constexpr Range password_range{0, 2'000'000'000};
inline constexpr Range ext_value_range{0, 9999};

// Operator text converted to a whole number (blanks around it allowed, a fraction after
// the regional separator rounded half to even) and checked against `range`; nullopt
// for text that is no number or a number outside the range.
std::optional<std::int32_t> typed_number(std::string_view text, std::string_view decimal_separator, Range range);

// 31 address FB number CRC: the sensor takes a new network number.
Bytes set_net_request(Byte address, Byte number);
// 31 address F6 serial (4 bytes, most significant first) CRC.
Bytes set_sn_request(Byte address, std::uint32_t serial);
// 3E DE code password (4 bytes, most significant first) CRC; code is
// cmd_enter_password or cmd_set_password.
Bytes password_request(Byte code, std::uint32_t password);

// The sensor's output, bits 1-2 of its mode byte.
enum class Output : Byte { rs485 = 0x00, analog = 0x02, frequency = 0x04 };
// Bit 0 inverts the indicator, bit 3 smooths the reading.
Byte sensor_mode(std::optional<Output> output, bool inversion, bool smoothing);
// 31 address F2 mode CRC.
Bytes set_mode_request(Byte address, Byte mode);

// The display unit's mode: bit 0 passive (else active), bit 2 the ВИРС mode; the unit
// keeps the other bits to itself.
inline constexpr Byte display_passive = 0x01;
inline constexpr Byte display_virs = 0x04;
Byte display_mode(bool passive, bool virs);
// 3E DE F2 mode CRC.
Bytes display_mode_request(Byte mode);

}  // namespace protocol
