#include "encoding.h"

namespace protocol {

std::optional<Long> Long_to_string_obr(std::int32_t num) {
    if (num < 0) return std::nullopt;
    const auto v = static_cast<std::uint32_t>(num);
    return Long{static_cast<Byte>(v), static_cast<Byte>(v >> 8), static_cast<Byte>(v >> 16),
                static_cast<Byte>(v >> 24)};
}

std::optional<Long> Long_to_string(std::int32_t num) {
    auto bytes = Long_to_string_obr(num);
    if (bytes) *bytes = Long{(*bytes)[3], (*bytes)[2], (*bytes)[1], (*bytes)[0]};
    return bytes;
}

std::array<Byte, 2> word_lsb_first(std::uint16_t value) {
    return {static_cast<Byte>(value % 256), static_cast<Byte>(value / 256)};
}

}  // namespace protocol
