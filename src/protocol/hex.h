#pragma once

#include <string>

#include "bytes.h"

namespace protocol {

// A byte in upper-case hexadecimal without leading zero: "0" to "FF".
std::string hex_byte(Byte b);

// Bytes as two upper-case hex digits each, separated by blanks: "31 01 F0 8E". For logs
// and messages, where frames are compared by eye.
std::string hex_dump(ByteView bytes);
// One byte the same way: "0E".
std::string hex_dump(Byte b);

}  // namespace protocol
