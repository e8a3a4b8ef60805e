#include "request_reply.h"

#include <algorithm>
#include <utility>

#include "protocol/hex.h"
#include "serial/write_pieces.h"

namespace exchange {

namespace {

// Where the usable answer in `rx` starts: the first position from which the rest passes.
std::optional<std::size_t> usable_from(const Bytes& rx, const AnswerCheck& check) {
    for (std::size_t from = 0; from < rx.size(); ++from)
        if (!check(ByteView(rx).subspan(from))) return from;
    return std::nullopt;
}

}  // namespace

std::variant<Bytes, RequestFailure> RequestReply::ask(ByteView request, const protocol::ReplyShape& shape) {
    return ask(request, shape, retries_);
}

std::variant<Bytes, RequestFailure> RequestReply::ask(ByteView request, const protocol::ReplyShape& shape, int retries) {
    const AnswerCheck check = [&shape](ByteView rx) { return protocol::reply_problem(rx, shape); };
    if (shape.length == 0) return transact(request, check, {}, 1 + retries);
    return transact(
        request, check, [&shape](ByteView rx) { return protocol::ends_in_whole_reply(rx, shape); }, 1 + retries);
}

std::variant<Bytes, RequestFailure> RequestReply::ask(ByteView request, const AnswerCheck& check) {
    return transact(request, check, {}, 1 + retries_);
}

std::variant<Bytes, RequestFailure> RequestReply::transact(ByteView request, const AnswerCheck& check,
                                                           const Complete& complete, int attempts) {
    RequestFailure failure{protocol::hex_dump(request), 0, false, {}, {}};
    if (std::exchange(answers_may_follow_, false) && line_.is_open()) let_late_answers_pass();
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        if (!line_.is_open()) {
            failure.port_gone = true;
            return failure;
        }
        failure.attempts = attempt;
        if (trace_) {
            if (attempt > 1) trace_->retry(attempt - 1, attempts - 1);
            trace_->dropped(line_.drop_input());
        } else {
            line_.discard_input();
        }
        const int written = line_.write(request);
        if (written != static_cast<int>(request.size())) {
            if (trace_) trace_->short_write(static_cast<std::size_t>(std::max(written, 0)), request.size());
            failure.last_answer.clear();
            failure.last_problem = {"RequestReply", QT_TRANSLATE_NOOP("RequestReply", "порт принял байтов: %1 из %2"),
                                    {static_cast<long long>(written), static_cast<long long>(request.size())}};
            continue;
        }
        if (trace_) trace_->sent(request);
        Bytes answer;
        const auto from = read_answer(check, complete, answer);
        if (trace_ && !answer.empty()) trace_->received(answer);
        if (from) {
            // An answer to a frame before this one may have come late and been taken here;
            // the answer to this frame is then still on its way.
            answers_may_follow_ = attempt > 1;
            const ByteView usable = ByteView(answer).subspan(*from);
            return Bytes(usable.begin(), usable.end());
        }
        // A check that would take an empty answer has nothing to say about it.
        failure.last_problem = check(answer).value_or(
            protocol::Text{"ReplyCheck", QT_TRANSLATE_NOOP("ReplyCheck", "нет ответа")});
        if (trace_) {
            if (answer.empty())
                trace_->no_answer();
            else
                trace_->bad_answer(failure.last_problem);
        }
        failure.last_answer = protocol::hex_dump(answer);
    }
    answers_may_follow_ = true;
    return failure;
}

void RequestReply::let_late_answers_pass() {
    // A table read's answer does not name its slot: a late one taken for the next read
    // would put one slot's table under another's name. Whatever comes before the line
    // falls quiet for a read's time is thrown away. A line that never falls quiet (noise,
    // another master) is waited on for a few reads only: the answer's checks see to the rest.
    constexpr int most_reads = 4;
    for (int read = 0; read < most_reads; ++read) {
        const Bytes late = line_.read();
        if (late.empty()) return;
        if (trace_) trace_->dropped(late);
    }
}

std::optional<std::size_t> RequestReply::read_answer(const AnswerCheck& check, const Complete& complete,
                                                     Bytes& answer) {
    answer.clear();
    for (;;) {
        // What this read brings counts as whole together with what came before it. The
        // line asks as soon as bytes come, which is when a trace sees the answer begin.
        const Bytes more = line_.read_until([&](ByteView rx) {
            if (trace_ && !rx.empty()) trace_->answer_began();
            if (!complete) return false;
            Bytes so_far = answer;
            protocol::append(so_far, rx);
            return complete(so_far);
        });
        if (more.empty() && !answer.empty()) return std::nullopt;
        protocol::append(answer, more);
        const auto from = usable_from(answer, check);
        if (from || answer.empty() || answer.size() >= serial::transfer_size) return from;
    }
}

}  // namespace exchange
