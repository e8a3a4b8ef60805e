#include "hex.h"

namespace protocol {

namespace {
constexpr char digits[] = "0123456789ABCDEF";
}

std::string hex_byte(Byte b) {
    std::string text;
    if (b >= 16) text += digits[b / 16];
    text += digits[b % 16];
    return text;
}

std::string hex_dump(ByteView bytes) {
    std::string text;
    text.reserve(bytes.size() * 3);
    for (Byte b : bytes) {
        if (!text.empty()) text += ' ';
        text += digits[b >> 4];
        text += digits[b & 0x0F];
    }
    return text;
}

std::string hex_dump(Byte b) { return hex_dump(ByteView(&b, 1)); }

}  // namespace protocol
