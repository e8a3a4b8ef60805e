#include "reply_check.h"

#include <algorithm>

#include "crc.h"
#include "hex.h"

namespace protocol {

std::optional<std::string> reply_problem(ByteView rx, const ReplyShape& shape) {
    if (rx.empty()) return "no answer";
    if (rx[0] != shape.start) return "wrong start byte " + hex_dump(rx[0]);
    // A cut reply is reported as such before its CRC, which it cannot have right.
    if (rx.size() < 4) return std::to_string(rx.size()) + " bytes, too short for a reply";
    if (!crc_ok(rx))
        return "bad CRC: " + hex_dump(rx.back()) + ", computed " + hex_dump(crc8(rx.first(rx.size() - 1)));
    if (std::find(shape.codes.begin(), shape.codes.end(), rx[2]) == shape.codes.end()) {
        std::string expected;
        for (Byte code : shape.codes) expected += (expected.empty() ? "" : " or ") + hex_dump(code);
        return "reply code " + hex_dump(rx[2]) + ", expected " + expected;
    }
    if (rx.size() < shape.min_length)
        return std::to_string(rx.size()) + " bytes, expected at least " + std::to_string(shape.min_length);
    return std::nullopt;
}

bool ends_in_whole_reply(ByteView rx, const ReplyShape& shape) {
    return shape.length != 0 && rx.size() >= shape.length && !reply_problem(rx.last(shape.length), shape);
}

}  // namespace protocol
