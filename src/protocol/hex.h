#pragma once

#include <string>

#include "bytes.h"

namespace protocol {

// A byte in upper-case hexadecimal without leading zero: "0" to "FF".
std::string hex_byte(Byte b);

}  // namespace protocol
