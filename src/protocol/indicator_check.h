#pragma once
// The indicator check: frames laid out like sensors' answers to the short poll, which
// the display unit shows as if sensors 1 to 4 had sent them. The level climbs by 10
// from 0 to 1020 and starts again, or stays at 900 while it is held.

#include <cstdint>

#include "bytes.h"

namespace protocol {

class IndicatorCheck {
public:
    static constexpr std::int32_t step = 10;
    static constexpr std::int32_t top = 1023;  // a value above this starts again at 0
    static constexpr std::int32_t held_value = 900;

    // 3E address 06 00 value-low value-high 12 18 CRC, the address running 1, 2, 3, 4,
    // 1, ... Each frame carries the value from before its own step, so holding the
    // value shows from the frame after.
    Bytes next_frame(bool hold_value);

    Byte address() const { return address_; }
    std::int32_t value() const { return value_; }

private:
    Byte address_ = 0;
    std::int32_t value_ = 0;
};

}  // namespace protocol
