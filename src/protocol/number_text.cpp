#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace protocol {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Parses and rounds; magnitudes beyond every target range saturate at `too_big`,
// which keeps long digit strings from overflowing and still fails the range check.
std::optional<std::int64_t> rounded(std::string_view text, std::string_view separator) {
    constexpr std::int64_t too_big = std::int64_t{1} << 40;
    text = trim_blanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t whole = 0;
    std::size_t digits = 0;
    while (!text.empty() && is_digit(text.front())) {
        whole = std::min(too_big, whole * 10 + (text.front() - '0'));
        text.remove_prefix(1);
        ++digits;
    }
    // Rounding needs only the first fractional digit and whether any later one is nonzero.
    int first_fraction = -1;
    bool rest_nonzero = false;
    if (!separator.empty() && text.starts_with(separator)) {
        text.remove_prefix(separator.size());
        while (!text.empty() && is_digit(text.front())) {
            const int d = text.front() - '0';
            if (first_fraction < 0) first_fraction = d;
            else rest_nonzero = rest_nonzero || d != 0;
            text.remove_prefix(1);
            ++digits;
        }
    }
    if (digits == 0 || !text.empty()) return std::nullopt;
    const bool up = first_fraction > 5 || (first_fraction == 5 && (rest_nonzero || whole % 2 == 1));
    if (up) whole = std::min(too_big, whole + 1);
    return negative ? -whole : whole;
}

template <typename T>
std::optional<T> in_range(std::string_view text, std::string_view separator) {
    const auto value = rounded(text, separator);
    if (!value || *value < std::numeric_limits<T>::min() || *value > std::numeric_limits<T>::max())
        return std::nullopt;
    return static_cast<T>(*value);
}

}  // namespace

std::string_view trim_blanks(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

std::optional<std::uint8_t> to_byte(std::string_view text, std::string_view separator) {
    return in_range<std::uint8_t>(text, separator);
}
std::optional<std::int16_t> to_int16(std::string_view text, std::string_view separator) {
    return in_range<std::int16_t>(text, separator);
}
std::optional<std::int32_t> to_int32(std::string_view text, std::string_view separator) {
    return in_range<std::int32_t>(text, separator);
}

std::optional<double> to_decimal(std::string_view text) {
    std::string number(trim_blanks(text));
    if (number.starts_with('+')) number.erase(0, 1);
    std::replace(number.begin(), number.end(), ',', '.');
    const std::size_t digits = number.find_first_of("0123456789");
    const std::size_t start = number.starts_with('-') ? 1 : 0;
    if (digits == std::string::npos || number.find_first_not_of("0123456789.", start) != std::string::npos ||
        std::count(number.begin(), number.end(), '.') > 1)
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc{} || end != number.data() + number.size()) return std::nullopt;
    return value;
}

}  // namespace protocol
