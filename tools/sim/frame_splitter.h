#pragma once
// The console may put several frames into one write (appended requests, the
// auto-request burst) and the pty may hand them over in pieces. Frames carry no
// length field, so each length follows from the start byte, the address and the
// command code; the CRC decides whether a candidate really is a frame.

#include <cstddef>
#include <optional>
#include <variant>

#include "protocol/bytes.h"

namespace sim {

using protocol::Byte;
using protocol::Bytes;
using protocol::ByteView;

struct NeedMore {};   // too few bytes to tell
struct NotAFrame {};  // no frame that the devices know starts with these bytes
using FrameLength = std::variant<NeedMore, NotAFrame, std::size_t>;

// Length of the frame that `head` begins with, judged from its first three bytes.
FrameLength frame_length(ByteView head);

class FrameSplitter {
public:
    struct Item {
        Bytes bytes;
        bool is_frame = false;  // false: bytes that belong to no frame and were skipped
    };

    void feed(ByteView bytes);

    // The next frame, or a run of skipped bytes ahead of it; nullopt while the
    // buffer holds nothing or only the beginning of a frame.
    std::optional<Item> next();

    // The line went quiet in the middle of a candidate: give up on its first byte
    // so that next() can look for frames behind it.
    void give_up();

    bool holds_bytes() const { return !buffer_.empty(); }

private:
    Bytes buffer_;
    Bytes skipped_;
};

}  // namespace sim
