#pragma once
// The traffic box after a table has been read in full: what the grid held before (the
// 40 sensor values, then the 40 litres, each followed by a blank), the received bytes in
// hexadecimal, then the computed CRC, a blank and the computed CRC again. An operator
// compares the CRC shown twice with the last received byte.

#include <string>
#include <vector>

#include "protocol/bytes.h"

namespace calibration {

std::string table_dump(const std::vector<std::string>& previous_texts, protocol::ByteView reply,
                       protocol::Byte computed_crc);

}  // namespace calibration
