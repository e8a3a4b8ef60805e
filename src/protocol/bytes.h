#pragma once
// Frames travel as plain unsigned bytes from the builder to the port and back.
// No character-set conversion ever touches them.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace protocol {

using Byte = std::uint8_t;
using Bytes = std::vector<Byte>;
using ByteView = std::span<const Byte>;

inline void append(Bytes& to, ByteView bytes) { to.insert(to.end(), bytes.begin(), bytes.end()); }

}  // namespace protocol
