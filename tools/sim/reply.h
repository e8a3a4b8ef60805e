#pragma once

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

}  // namespace sim
