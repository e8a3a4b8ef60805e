#include "exchange/trace_writer.h"

#include "protocol/byte_text.h"

namespace exchange {

namespace {

// The bytes as the traffic log writes them, without the blank after the last.
std::string hex(protocol::ByteView bytes) {
    std::string text = protocol::hex_line(bytes);
    if (!text.empty()) text.pop_back();
    return text;
}

}  // namespace

void TraceWriter::event(std::string_view what, const TraceTime& at) { sink_(event_line(at.wall, what)); }

void TraceWriter::port_opened(std::string_view port) { event(exchange::port_opened(port), clock_()); }

void TraceWriter::port_not_opened(std::string_view port, std::string_view why) {
    event("port " + std::string(port) + " not opened: " + std::string(why), clock_());
}

void TraceWriter::frame(Direction direction, protocol::ByteView bytes) {
    // An answer is stamped when it began to come, not when the read gave up on it: a
    // prompt answer that fails its check must not read as a slow one.
    const TraceTime at = direction == Direction::Received && began_ ? *began_ : clock_();
    began_.reset();
    if (direction == Direction::Sent) sent_at_ = at.steady_ms;
    sink_(traffic_line(at.wall, direction, bytes));
}

void TraceWriter::dropped(protocol::ByteView stale) {
    if (stale.empty()) return;
    event("discarded " + std::to_string(stale.size()) + (stale.size() == 1 ? " stale byte: " : " stale bytes: ") +
              hex(stale),
          clock_());
}

void TraceWriter::sent(protocol::ByteView frame) { this->frame(Direction::Sent, frame); }

void TraceWriter::answer_began() {
    if (!began_) began_ = clock_();
}

void TraceWriter::received(protocol::ByteView bytes) { frame(Direction::Received, bytes); }

void TraceWriter::short_write(std::size_t written, std::size_t size) {
    event("write failed: the port took " + std::to_string(written) + " of " + std::to_string(size) + " bytes", clock_());
}

void TraceWriter::bad_answer(const protocol::Text& problem) { event("bad answer: " + english_(problem), clock_()); }

void TraceWriter::no_answer() {
    const TraceTime at = clock_();
    // The span from the frame that went unanswered: what the read waited, as the line saw it.
    const std::int64_t waited = sent_at_ ? at.steady_ms - *sent_at_ : 0;
    event("timeout: no answer in " + std::to_string(waited) + " ms", at);
}

void TraceWriter::retry(int retry, int retries) {
    event("retry " + std::to_string(retry) + " of " + std::to_string(retries), clock_());
}

}  // namespace exchange
