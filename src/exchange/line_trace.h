#pragma once
// What a request-reply exchange tells a trace of its line: every frame out and in, and
// what happened around them, as it happens. Plain C++.

#include <cstddef>
#include <string>

#include "protocol/bytes.h"
#include "protocol/translatable.h"

namespace exchange {

class LineTrace {
public:
    virtual ~LineTrace() = default;

    // Input thrown away before a request: the tail of an earlier answer, or noise. Not
    // called when there was none.
    virtual void dropped(protocol::ByteView stale) = 0;
    virtual void sent(protocol::ByteView frame) = 0;
    // The port took only `written` of the frame's `size` bytes.
    virtual void short_write(std::size_t written, std::size_t size) = 0;
    // The first bytes of an answer have come in; received() tells them all once the read
    // ends, which for an answer that never checks out is only at the read's time-out.
    virtual void answer_began() {}
    // All that came in answer to one frame, noise included.
    virtual void received(protocol::ByteView bytes) = 0;
    // What came holds no usable answer, and why.
    virtual void bad_answer(const protocol::Text& problem) = 0;
    // Nothing came back to the frame sent last.
    virtual void no_answer() = 0;
    // The frame goes out again: the `retry`th of `retries`.
    virtual void retry(int retry, int retries) = 0;
};

}  // namespace exchange
