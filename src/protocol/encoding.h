#pragma once
// Multi-byte values in request frames.

#include <array>
#include <cstdint>
#include <optional>

#include "bytes.h"

namespace protocol {

using Long = std::array<Byte, 4>;

// 32-bit value, most significant byte first. A negative value cannot be encoded.
std::optional<Long> Long_to_string(std::int32_t num);
// 32-bit value, least significant byte first. A negative value cannot be encoded.
std::optional<Long> Long_to_string_obr(std::int32_t num);
// 16-bit value, least significant byte first (the indicator check's level).
std::array<Byte, 2> word_lsb_first(std::uint16_t value);

}  // namespace protocol
