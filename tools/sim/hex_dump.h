#pragma once

#include <string>

#include "protocol/bytes.h"

namespace sim {

// Bytes as two upper-case hex digits each, separated by blanks: "31 01 F0 8E".
std::string hex_dump(protocol::ByteView bytes);

}  // namespace sim
