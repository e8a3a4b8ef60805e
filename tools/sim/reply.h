#pragma once

#include <cstdint>
#include <initializer_list>

#include "protocol/bytes.h"
#include "protocol/crc.h"

namespace sim {

// A reply frame: start byte, address, code, data and the CRC over all of them.
inline protocol::Bytes make_reply(protocol::Byte start, protocol::Byte address, protocol::Byte code,
                                  std::initializer_list<protocol::Byte> data = {}) {
    protocol::Bytes frame{start, address, code};
    frame.insert(frame.end(), data.begin(), data.end());
    protocol::Control_summ(frame);
    return frame;
}

// A 32-bit value that a request carries most significant byte first.
inline std::uint32_t msb_first(protocol::ByteView four) {
    return std::uint32_t{four[0]} << 24 | std::uint32_t{four[1]} << 16 | std::uint32_t{four[2]} << 8 | four[3];
}

}  // namespace sim
