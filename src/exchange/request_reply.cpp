#include "request_reply.h"

#include "protocol/hex.h"
#include "serial/write_pieces.h"

namespace exchange {

std::variant<Bytes, RequestFailure> RequestReply::ask(ByteView request, const protocol::ReplyShape& shape) {
    return ask(request, [&shape](ByteView rx) { return protocol::reply_problem(rx, shape); });
}

std::variant<Bytes, RequestFailure> RequestReply::ask(ByteView request, const AnswerCheck& check) {
    const std::string asked = protocol::hex_dump(request);
    const int attempts = 1 + retries_;
    std::string last;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        if (!line_.is_open()) return RequestFailure{"the port is gone; " + asked + " was not sent"};
        line_.discard_input();
        const int written = line_.write(request);
        if (written != static_cast<int>(request.size())) {
            last = "the port took " + std::to_string(written) + " of " + std::to_string(request.size()) + " bytes";
            continue;
        }
        Bytes answer = read_answer(check);
        const auto problem = check(answer);
        if (!problem) return answer;
        last = answer.empty() ? *problem : protocol::hex_dump(answer) + " (" + *problem + ")";
    }
    const std::string tries = attempts == 1 ? "1 attempt" : std::to_string(attempts) + " attempts";
    return RequestFailure{"no valid answer to " + asked + " after " + tries + "; last: " + last};
}

Bytes RequestReply::read_answer(const AnswerCheck& check) {
    Bytes answer = line_.read();
    while (!answer.empty() && answer.size() < serial::transfer_size && check(answer)) {
        const Bytes more = line_.read();
        if (more.empty()) break;
        protocol::append(answer, more);
    }
    return answer;
}

}  // namespace exchange
