#pragma once
// A test's frame with its CRC-8 appended, as every frame on the line ends.

#include <cstdint>
#include <optional>

#include "protocol/crc.h"

inline protocol::Bytes framed(protocol::Bytes bytes) {
    protocol::Control_summ(bytes);
    return bytes;
}

// A sensor's full poll reply: temperature, level, current, lower, upper, K, then an
// optional mode byte; little-endian fields.
inline protocol::Bytes full_poll_reply(protocol::Byte address, protocol::Byte temperature, std::uint16_t level,
                                       std::optional<protocol::Byte> mode = std::nullopt) {
    using protocol::Byte;
    protocol::Bytes r{0x3E, address, 0xF0, temperature, Byte(level), Byte(level >> 8)};
    for (std::uint32_t v : {0x80000001u, 1000u, 3000u}) r.insert(r.end(), {Byte(v), Byte(v >> 8), Byte(v >> 16), Byte(v >> 24)});
    r.insert(r.end(), {0x07, 0x00});
    if (mode) r.push_back(*mode);
    return framed(r);
}

// Sensor 1's identity reply: serial number 151013 (little-endian), software version "1.5.1.".
inline const protocol::Bytes sensor1_identity = framed({0x3E, 0x01, 0xFC, 0xE5, 0x4D, 0x02, 0x00, 151, 0x00});
