#pragma once
// A trace of the line as text, one line each: a frame as the traffic log words it
// (traffic_line), anything else as its time stamp and a fixed English phrase, so that a
// trace greps alike on every machine:
//   2026-12-08T09:12:30.120+01:00 discarded 3 stale bytes: 3E 1 F0
//   2026-12-08T09:12:30.121+01:00 -> 31 1 F0 8E
//   2026-12-08T09:12:30.378+01:00 timeout: no answer in 257 ms
//   2026-12-08T09:12:30.379+01:00 retry 1 of 2
//   2026-12-08T09:12:30.412+01:00 <- 3E 1 F0 19 34 12 (...)
//   2026-12-08T09:12:30.413+01:00 bad answer: bad CRC: 19, computed 18
//   2026-12-08T09:12:30.500+01:00 write failed: the port took 2 of 4 bytes
// Plain C++: the caller supplies the clock, where the lines go, and the English wording of
// what was wrong with an answer.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "exchange/line_trace.h"
#include "exchange/stamp.h"
#include "exchange/traffic_log.h"

namespace exchange {

struct TraceTime {
    Stamp wall;                 // for the line's stamp
    std::int64_t steady_ms = 0;  // for spans: a wall clock set meanwhile must not bend them
};

class TraceWriter final : public LineTrace {
public:
    using Sink = std::function<void(std::string_view line)>;  // one line, without its end
    using Clock = std::function<TraceTime()>;
    using English = std::function<std::string(const protocol::Text&)>;

    TraceWriter(Sink sink, Clock clock, English english)
        : sink_(std::move(sink)), clock_(std::move(clock)), english_(std::move(english)) {}

    void dropped(protocol::ByteView stale) override;
    void sent(protocol::ByteView frame) override;
    void short_write(std::size_t written, std::size_t size) override;
    void answer_began() override;
    void received(protocol::ByteView bytes) override;
    void bad_answer(const protocol::Text& problem) override;
    void no_answer() override;
    void retry(int retry, int retries) override;
    // The first line of a trace: the port opened, or why it could not be.
    void port_opened(std::string_view port);
    void port_not_opened(std::string_view port, std::string_view why);

private:
    void frame(Direction direction, protocol::ByteView bytes);
    void event(std::string_view what, const TraceTime& at);

    Sink sink_;
    Clock clock_;
    English english_;
    std::optional<std::int64_t> sent_at_;  // steady_ms of the last frame sent
    std::optional<TraceTime> began_;       // when the answer being read began to come
};

}  // namespace exchange
