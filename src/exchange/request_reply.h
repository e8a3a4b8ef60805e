#pragma once
// Request then reply, for a program that waits for each answer: one frame written, its
// answer read under the port's read rules and checked, and asked again when it is missing
// or malformed. Unlike the console's exchange cycle nothing else shares the line meanwhile.
// Noise in front of an answer (a byte from the line's turnaround, the tail of something
// earlier) is skipped: the answer is the end of what came that passes the check.

#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "protocol/bytes.h"
#include "protocol/reply_check.h"
#include "serial/line.h"

namespace exchange {

using protocol::Bytes;
using protocol::ByteView;

// Why no usable answer came: what was asked and what came back last, in hexadecimal.
struct RequestFailure {
    std::string message;
};

// nullopt when the received bytes are a usable answer; else what is wrong with them.
using AnswerCheck = std::function<std::optional<std::string>(ByteView)>;

class RequestReply {
public:
    // Each request is tried 1 + `retries` times before it fails.
    RequestReply(serial::Line& line, int retries) : line_(line), retries_(retries) {}

    std::variant<Bytes, RequestFailure> ask(ByteView request, const protocol::ReplyShape& shape);
    std::variant<Bytes, RequestFailure> ask(ByteView request, const AnswerCheck& check);

private:
    // Reads one answer into `answer` and tells where its usable part starts, if it has
    // one: reads go on while what came so far holds no usable answer and the line still
    // delivers, so an answer that paused midway is put back together.
    std::optional<std::size_t> read_answer(const AnswerCheck& check, Bytes& answer);

    serial::Line& line_;
    int retries_;
};

}  // namespace exchange
