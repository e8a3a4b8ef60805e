#pragma once
// The network search: one broadcast, and every sensor on the line answers with its bare
// address byte, so the answers together are a string of addresses without a frame.

#include <array>
#include <optional>
#include <vector>

#include "protocol/bytes.h"

namespace network {

using protocol::Byte;
using protocol::ByteView;

// cmd_search: the broadcast to address 0xFF, CRC included.
inline constexpr std::array<Byte, 3> cmd_search{0x31, 0xFF, 0xDC};

// While a search is outstanding, the first sensor to answer may have the address 49
// (0x31) or 62 (0x3E), so the result starts like a device reply. It is still the search
// result when it is no well-formed reply (its last byte is not the CRC of the bytes
// before it) and holds only sensor addresses, 0..200.
bool looks_like_address_list(ByteView rx);

// The addresses of a search result: every byte, in order, for a result of fewer than
// 20 bytes; nullopt for a longer one, which is no list of addresses.
std::optional<std::vector<Byte>> search_addresses(ByteView rx);

}  // namespace network
