#pragma once

#include <vector>

#include "protocol/bytes.h"

namespace serial {

// One transfer moves at most this many bytes, whichever way.
inline constexpr std::size_t transfer_size = 255;

// A string longer than one transfer goes out as consecutive pieces of at most 255 bytes
// (600 bytes: 255, 255, 90). The empty string is no piece at all.
inline std::vector<protocol::ByteView> write_pieces(protocol::ByteView s) {
    std::vector<protocol::ByteView> pieces;
    for (std::size_t at = 0; at < s.size(); at += transfer_size)
        pieces.push_back(s.subspan(at, std::min(transfer_size, s.size() - at)));
    return pieces;
}

}  // namespace serial
