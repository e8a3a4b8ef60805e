#include "reply_check.h"

#include <algorithm>

#include "crc.h"
#include "hex.h"

namespace protocol {

namespace {

Text problem(const char* source, std::vector<Text::Arg> args = {}) { return {"ReplyCheck", source, std::move(args)}; }

long long count(std::size_t n) { return static_cast<long long>(n); }

}  // namespace

std::optional<Text> reply_problem(ByteView rx, const ReplyShape& shape) {
    if (rx.empty()) return problem(QT_TRANSLATE_NOOP("ReplyCheck", "нет ответа"));
    if (rx[0] != shape.start)
        return problem(QT_TRANSLATE_NOOP("ReplyCheck", "неверный начальный байт %1"), {hex_dump(rx[0])});
    // A cut reply is reported as such before its CRC, which it cannot have right.
    if (rx.size() < 4)
        return problem(QT_TRANSLATE_NOOP("ReplyCheck", "байтов: %1, слишком мало для ответа"), {count(rx.size())});
    // So is a reply of the code asked for that stops short of its fields: its last byte is
    // no CRC at all.
    const auto too_few = [&] {
        return problem(QT_TRANSLATE_NOOP("ReplyCheck", "байтов: %1, ожидается не меньше %2"),
                       {count(rx.size()), count(shape.min_length)});
    };
    const bool cut = rx.size() < shape.min_length && !shape.codes.empty() && rx[2] == shape.codes.front();
    if (cut && !crc_ok(rx)) return too_few();
    if (!crc_ok(rx))
        return problem(QT_TRANSLATE_NOOP("ReplyCheck", "неверная CRC: %1, вычислена %2"),
                       {hex_dump(rx.back()), hex_dump(crc8(rx.first(rx.size() - 1)))});
    if (std::find(shape.codes.begin(), shape.codes.end(), rx[2]) == shape.codes.end()) {
        std::string expected;
        for (Byte code : shape.codes) expected += (expected.empty() ? "" : "/") + hex_dump(code);
        return problem(QT_TRANSLATE_NOOP("ReplyCheck", "код ответа %1, ожидается %2"), {hex_dump(rx[2]), expected});
    }
    if (rx.size() < shape.min_length) return too_few();
    return std::nullopt;
}

bool ends_in_whole_reply(ByteView rx, const ReplyShape& shape) {
    return shape.length != 0 && rx.size() >= shape.length && !reply_problem(rx.last(shape.length), shape);
}

}  // namespace protocol
