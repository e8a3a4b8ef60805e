#pragma once
// Whether received bytes are the reply a request asked for: the right start byte, one of
// the reply codes the request may draw, long enough for the fields that will be read, and
// ending in the CRC-8 of the bytes before it. The console's exchange cycle applies most
// replies unchecked; a program that acts on a reply (writes it to a file, compares it with
// what it wrote) checks it this way first.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "bytes.h"
#include "translatable.h"

namespace protocol {

struct ReplyShape {
    Byte start = 0;           // 0x3E from a sensor, 0x31 from the display unit
    std::vector<Byte> codes;  // the command's own code and the refusals it may draw
    std::size_t min_length = 4;  // start, address, code, CRC, and the data that will be read
    // The whole reply's length when the request fixes it (a table: 167), else 0. A reader
    // may stop at once when that many bytes of the right shape have come.
    std::size_t length = 0;
};

// Whether `rx` ends in a whole reply of `shape`'s known length that passes the check.
bool ends_in_whole_reply(ByteView rx, const ReplyShape& shape);

// nullopt for a reply of that shape; otherwise what is wrong with it, to be worded:
// no answer, a wrong start byte, too short, a bad CRC (with the one computed), a reply
// code not asked for (with those that were), fewer bytes than the fields need.
std::optional<Text> reply_problem(ByteView rx, const ReplyShape& shape);

}  // namespace protocol
