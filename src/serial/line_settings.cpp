#include "serial/line_settings.h"

#include <array>
#include <charconv>
#include <utility>
#include <vector>

#include "protocol/number_text.h"

namespace serial {
namespace {

std::optional<int> whole_number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<int> baud_of(std::string_view text) {
    constexpr std::array<std::pair<int, int>, 9> abbreviations{
        {{11, 110}, {15, 150}, {30, 300}, {60, 600}, {12, 1200}, {24, 2400}, {48, 4800}, {96, 9600}, {19, 19200}}};
    const auto value = whole_number(text);
    if (!value || *value <= 0 || *value > 4'000'000) return std::nullopt;
    for (const auto& [shortened, baud] : abbreviations)
        if (*value == shortened) return baud;
    return value;
}

std::optional<Parity> parity_of(std::string_view text) {
    if (text.size() != 1) return std::nullopt;
    switch (text.front() | 0x20) {  // either case
    case 'n': return Parity::None;
    case 'e': return Parity::Even;
    case 'o': return Parity::Odd;
    case 'm': return Parity::Mark;
    case 's': return Parity::Space;
    default: return std::nullopt;
    }
}

std::optional<StopBits> stop_bits_of(std::string_view text) {
    if (text == "1") return StopBits::One;
    if (text == "1.5") return StopBits::OneAndHalf;
    if (text == "2") return StopBits::Two;
    return std::nullopt;
}

}  // namespace

std::optional<LineSettings> parse_line_settings(std::string_view text) {
    std::vector<std::string_view> fields;
    for (std::size_t from = 0;;) {
        const std::size_t comma = text.find(',', from);
        fields.push_back(protocol::trim_blanks(text.substr(from, comma - from)));
        if (comma == std::string_view::npos) break;
        from = comma + 1;
    }
    if (fields.size() > 4) return std::nullopt;

    LineSettings settings;
    const auto baud = baud_of(fields[0]);
    if (!baud) return std::nullopt;
    settings.baud = *baud;
    if (fields.size() > 1) {
        const auto parity = parity_of(fields[1]);
        if (!parity) return std::nullopt;
        settings.parity = *parity;
    }
    if (fields.size() > 2) {
        const auto data_bits = whole_number(fields[2]);
        if (!data_bits || *data_bits < 5 || *data_bits > 8) return std::nullopt;
        settings.data_bits = *data_bits;
    }
    if (fields.size() > 3) {
        const auto stop_bits = stop_bits_of(fields[3]);
        if (!stop_bits) return std::nullopt;
        settings.stop_bits = *stop_bits;
    }
    return settings;
}

}  // namespace serial
