#pragma once
// Operator text to numbers. A decimal number with optional blanks around it and an
// optional sign; a fractional part after the regional decimal separator is rounded
// to the nearest whole number, an exact half to the even neighbour. Anything else,
// or a number outside the target range, is a conversion error (nullopt).

#include <cstdint>
#include <optional>
#include <string_view>

namespace protocol {

// The text without the blanks (spaces, tabs) around it.
std::string_view trim_blanks(std::string_view text);

std::optional<std::uint8_t> to_byte(std::string_view text, std::string_view decimal_separator);
std::optional<std::int16_t> to_int16(std::string_view text, std::string_view decimal_separator);
std::optional<std::int32_t> to_int32(std::string_view text, std::string_view decimal_separator);

// A decimal number as people type litres, whatever the regional separator: "12.5" or
// "12,5", blanks around it, a sign allowed so that a negative one can be told apart from
// no number at all. Not rounded.
std::optional<double> to_decimal(std::string_view text);

}  // namespace protocol
