#include "hex.h"

namespace protocol {

std::string hex_byte(Byte b) {
    constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    if (b >= 16) text += digits[b / 16];
    text += digits[b % 16];
    return text;
}

}  // namespace protocol
