#pragma once
// Request builders that need no operator input.

#include "bytes.h"

namespace protocol {

// A sensor request without data: 31 address code CRC.
Bytes sensor_request(Byte address, Byte code);

}  // namespace protocol
