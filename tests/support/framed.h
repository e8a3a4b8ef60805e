#pragma once
// A test's frame with its CRC-8 appended, as every frame on the line ends.

#include "protocol/crc.h"

inline protocol::Bytes framed(protocol::Bytes bytes) {
    protocol::Control_summ(bytes);
    return bytes;
}
