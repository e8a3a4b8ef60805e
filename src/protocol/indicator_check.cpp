#include "indicator_check.h"

#include "commands.h"
#include "crc.h"
#include "encoding.h"

namespace protocol {

Bytes IndicatorCheck::next_frame(bool hold_value) {
    constexpr Byte last_address = 4;
    constexpr Byte tail[] = {0x12, 0x18};

    address_ = address_ < last_address ? static_cast<Byte>(address_ + 1) : Byte{1};
    const auto level = word_lsb_first(static_cast<std::uint16_t>(value_));
    Bytes frame{sensor_reply_start, address_, cmd_poll_short, 0x00, level[0], level[1], tail[0], tail[1]};

    value_ += step;
    if (value_ > top) value_ = 0;
    if (hold_value) value_ = held_value;

    Control_summ(frame);
    return frame;
}

}  // namespace protocol
