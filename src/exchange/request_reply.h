#pragma once
// Request then reply, for a program that waits for each answer: one frame written, its
// answer read under the port's read rules and checked, and asked again when it is missing
// or malformed. Unlike the console's exchange cycle nothing else shares the line meanwhile.
// Noise in front of an answer (a byte from the line's turnaround, the tail of something
// earlier) is skipped: the answer is the end of what came that passes the check.
// A read ends after the line has been quiet for a while, as the console's reads do; when
// the request fixes its reply's length (a table), it ends as soon as a whole, checked
// reply of that length has come.
// A request that was sent more than once, or that went unanswered, may still be answered
// late: the next request first lets the line fall quiet, so that answer is not taken for
// its own.

#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "exchange/line_trace.h"
#include "protocol/bytes.h"
#include "protocol/reply_check.h"
#include "serial/line.h"

namespace exchange {

using protocol::Bytes;
using protocol::ByteView;

// Why no usable answer came, for the caller to word: what was asked and what came back
// last, in hexadecimal, and what was wrong with it.
struct RequestFailure {
    std::string asked;          // the request
    int attempts = 0;           // frames that went out, or were tried
    bool port_gone = false;     // the port went away before the request could go out again
    std::string last_answer;    // empty when nothing came
    protocol::Text last_problem;  // why the last attempt gave nothing usable
};

// nullopt when the received bytes are a usable answer; else what is wrong with them.
using AnswerCheck = std::function<std::optional<protocol::Text>(ByteView)>;

class RequestReply {
public:
    // Each request is tried 1 + `retries` times before it fails.
    RequestReply(serial::Line& line, int retries) : line_(line), retries_(retries) {}

    std::variant<Bytes, RequestFailure> ask(ByteView request, const protocol::ReplyShape& shape);
    std::variant<Bytes, RequestFailure> ask(ByteView request, const AnswerCheck& check);
    // Tried 1 + `retries` times, whatever the line's own count.
    std::variant<Bytes, RequestFailure> ask(ByteView request, const protocol::ReplyShape& shape, int retries);
    int retries() const { return retries_; }
    // Tells `trace` (when not null) of every frame, retry and time-out from now on.
    void trace_to(LineTrace* trace) { trace_ = trace; }

private:
    // Reads one answer into `answer` and tells where its usable part starts, if it has
    // one: reads go on while what came so far holds no usable answer and the line still
    // delivers, so an answer that paused midway is put back together.
    // `complete`, when given, ends a read as soon as the bytes so far end in a whole answer.
    using Complete = std::function<bool(ByteView)>;
    std::optional<std::size_t> read_answer(const AnswerCheck& check, const Complete& complete, Bytes& answer);
    std::variant<Bytes, RequestFailure> transact(ByteView request, const AnswerCheck& check, const Complete& complete,
                                                 int attempts);

    // Reads until the line is quiet, throwing away what comes.
    void let_late_answers_pass();

    serial::Line& line_;
    int retries_;
    LineTrace* trace_ = nullptr;
    bool answers_may_follow_ = false;  // the last request was sent again or went unanswered
};

}  // namespace exchange
