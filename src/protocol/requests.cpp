#include "requests.h"

#include "commands.h"
#include "crc.h"
#include "encoding.h"
#include "number_text.h"

namespace protocol {

namespace {

// Callers pass values already in range, so the encoding cannot fail.
Long msb_first(std::uint32_t value) { return *Long_to_string(static_cast<std::int32_t>(value)); }

}  // namespace

Bytes sensor_request(Byte address, Byte code) {
    Bytes frame{sensor_frame_start, address, code};
    Control_summ(frame);
    return frame;
}

bool only_asks(ByteView wrs) {
    if (wrs.size() < 3 || crc8(wrs.first(wrs.size() - 1)) != wrs.back()) return false;
    const Byte code = wrs[2];
    switch (wrs.size()) {
    case 3: return wrs[0] == sensor_frame_start && wrs[1] == search_address;
    case 4:
        return wrs[0] == sensor_frame_start && wrs[1] <= max_sensor_address &&
               (code == cmd_poll_short || code == cmd_poll_full || code == cmd_read_sn);
    case 5: return wrs[0] == display_frame_start && wrs[1] == display_address && code == cmd_read_table;
    default: return false;
    }
}

std::optional<std::int32_t> typed_number(std::string_view text, std::string_view decimal_separator, Range range) {
    const auto value = to_int32(text, decimal_separator);
    if (!value || *value < range.min || *value > range.max) return std::nullopt;
    return value;
}

Bytes set_net_request(Byte address, Byte number) {
    Bytes frame{sensor_frame_start, address, cmd_set_net, number};
    Control_summ(frame);
    return frame;
}

Bytes set_sn_request(Byte address, std::uint32_t serial) {
    Bytes frame{sensor_frame_start, address, cmd_set_sn};
    append(frame, msb_first(serial));
    Control_summ(frame);
    return frame;
}

Bytes password_request(Byte code, std::uint32_t password) {
    Bytes frame{display_frame_start, display_address, code};
    append(frame, msb_first(password));
    Control_summ(frame);
    return frame;
}

Byte sensor_mode(std::optional<Output> output, bool inversion, bool smoothing) {
    Byte mode = output ? static_cast<Byte>(*output) : Byte{0};
    if (inversion) mode |= 0x01;
    if (smoothing) mode |= 0x08;
    return mode;
}

Bytes set_mode_request(Byte address, Byte mode) {
    Bytes frame{sensor_frame_start, address, cmd_set_mode, mode};
    Control_summ(frame);
    return frame;
}

Byte display_mode(bool passive, bool virs) {
    return static_cast<Byte>((virs ? display_virs : 0) | (passive ? display_passive : 0));
}

Bytes display_mode_request(Byte mode) {
    Bytes frame{display_frame_start, display_address, cmd_display_mode, mode};
    Control_summ(frame);
    return frame;
}

}  // namespace protocol
