// The request-reply reader on a line that answers as the fuzzer says: a request of one
// of the kinds trelvik-cli sends, then the device's answers in pieces with pauses
// between them, noise, stale bytes, late tails and silence. The line is scripted on a
// clock of its own and gives each read what a port under the read rules would (the
// bytes up to a pause of more than 20 ms, at most 255, after 256 ms nothing), so no
// time passes for real. The reader must end with the longest tail of what came in its
// last attempt that is the reply asked for, or fail with a message once every attempt
// found none; it reads on only while nothing usable is in hand and the line delivers.
//
// Input: byte 0 picks the request kind, byte 1 the retries (0 to 2); then the device's
// answer to each request written, in pieces: a pause byte P (the piece starts 2P ms
// after the previous one ends, or after the write), a length byte N and N bytes. A pause
// byte FF ends the answer to this request; the rest answers the next one.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "exchange/request_reply.h"
#include "protocol/hex.h"
#include "fuzz_reply_kinds.h"

namespace {

using protocol::Byte;
using protocol::Bytes;
using Micros = std::int64_t;

constexpr Micros byte_time = 521;  // 10 bits at 19200 baud
constexpr Micros read_gap = 20'000;
constexpr Micros read_total = 256'000;
constexpr std::size_t read_most = 255;
constexpr Byte answer_end = 0xFF;

struct Arrival {
    Micros at;
    Byte byte;
};

// What one attempt saw: the reads after its write, and when it ended.
struct Attempt {
    std::vector<Bytes> reads;
    Micros ended_at = 0;
    Micros last_byte_at = 0;  // of the bytes it took; the write's end when none
};

class FuzzLine final : public serial::Line {
public:
    explicit FuzzLine(fuzz::ByteView script) : script_(script) {}

    std::vector<Attempt> attempts;
    std::vector<Bytes> written;
    bool discarded_before_write = true;

    serial::OpenResult open(const QString&, const QString&) override { return serial::OpenResult::success(); }
    bool is_open() const override { return true; }
    bool close() override { return true; }
    void flush() override {}
    void discard_input() override {
        pending_.erase(pending_.begin(), std::find_if(pending_.begin(), pending_.end(),
                                                      [&](const Arrival& a) { return a.at > now_; }));
        discarded_ = true;
    }
    int write(protocol::ByteView bytes) override {
        discarded_before_write = discarded_before_write && discarded_;
        discarded_ = false;
        written.emplace_back(bytes.begin(), bytes.end());
        now_ += static_cast<Micros>(bytes.size()) * byte_time;
        attempts.push_back({{}, now_, now_});
        schedule_answer();
        return static_cast<int>(bytes.size());
    }
    Bytes read() override { return take({}); }
    // A read that knows its reply's length ends as soon as what it took makes one whole.
    Bytes read_until(const std::function<bool(protocol::ByteView)>& complete) override { return take(complete); }

private:
    Bytes take(const std::function<bool(protocol::ByteView)>& complete) {
        FUZZ_CHECK(!attempts.empty());
        Attempt& attempt = attempts.back();
        // More reads than bytes the line can hand over in one attempt would be a reader
        // that does not stop.
        FUZZ_CHECK(attempt.reads.size() <= read_most + 1);
        const Micros start = now_;
        const Micros deadline = start + read_total;
        Bytes got;
        Micros last = 0;
        std::size_t taken = 0;
        bool ended_early = false;
        for (; taken < pending_.size() && got.size() < read_most; ++taken) {
            const Micros at = std::max(pending_[taken].at, start);
            if (at > deadline || (!got.empty() && at - last > read_gap)) break;
            got.push_back(pending_[taken].byte);
            last = at;
            if (complete && complete(got)) {
                ended_early = true;
                ++taken;
                break;
            }
        }
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(taken));
        if (got.empty()) now_ = deadline;
        else if (got.size() == read_most || ended_early) now_ = last;
        else now_ = std::min(last + read_gap, deadline);
        if (!got.empty()) attempt.last_byte_at = last;
        attempt.reads.push_back(got);
        attempt.ended_at = now_;
        return got;
    }

    // The next answer of the script, laid on the clock from the end of the write.
    void schedule_answer() {
        Micros at = now_;
        while (at_ < script_.size() && script_[at_] != answer_end) {
            at += Micros{script_[at_++]} * 2000;
            const std::size_t length = at_ < script_.size() ? script_[at_++] : 0;
            for (std::size_t i = 0; i < length && at_ < script_.size(); ++i, at += byte_time)
                pending_.push_back({at + byte_time, script_[at_++]});
        }
        if (at_ < script_.size()) ++at_;  // the end mark
        std::stable_sort(pending_.begin(), pending_.end(), [](const Arrival& a, const Arrival& b) { return a.at < b.at; });
    }

    fuzz::ByteView script_;
    std::size_t at_ = 0;
    std::vector<Arrival> pending_;  // arrivals not yet read or discarded, in time order
    Micros now_ = 0;
    bool discarded_ = false;
};

// An attempt reads on only while nothing usable is in hand, fewer than 255 bytes came
// and the last read brought something; it stops at once when one of those ends. It
// waits on a silent line for one read's time at most.
void check_attempt(const Attempt& attempt, const protocol::ReplyShape& shape) {
    FUZZ_CHECK(!attempt.reads.empty());
    Bytes in_hand;
    for (std::size_t r = 0; r < attempt.reads.size(); ++r) {
        protocol::append(in_hand, attempt.reads[r]);
        const bool done = attempt.reads[r].empty() || in_hand.size() >= read_most || fuzz::reply_tail(in_hand, shape);
        FUZZ_CHECK(done == (r + 1 == attempt.reads.size()));
    }
    FUZZ_CHECK(attempt.ended_at <= attempt.last_byte_at + read_gap + read_total);
}

Bytes received(const Attempt& attempt) {
    Bytes all;
    for (const Bytes& read : attempt.reads) protocol::append(all, read);
    return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const fuzz::ReplyKind& kind = fuzz::reply_kinds[data[0] % fuzz::reply_kinds.size()];
    const int retries = data[1] % 3;
    FuzzLine line(fuzz::ByteView(data, size).subspan(2));
    exchange::RequestReply reader(line, retries);
    const auto result = reader.ask(kind.request, kind.shape);

    FUZZ_CHECK(!line.attempts.empty() && line.attempts.size() <= static_cast<std::size_t>(1 + retries));
    FUZZ_CHECK(line.discarded_before_write);
    for (const Bytes& w : line.written) FUZZ_CHECK(w == kind.request);
    for (const Attempt& attempt : line.attempts) check_attempt(attempt, kind.shape);
    // Every attempt but the last found nothing usable, or the reader would have stopped.
    for (std::size_t a = 0; a + 1 < line.attempts.size(); ++a)
        FUZZ_CHECK(!fuzz::reply_tail(received(line.attempts[a]), kind.shape));

    const Bytes last = received(line.attempts.back());
    const auto tail = fuzz::reply_tail(last, kind.shape);
    if (const auto* answer = std::get_if<Bytes>(&result)) {
        FUZZ_CHECK(tail && std::equal(answer->begin(), answer->end(), last.begin() + static_cast<std::ptrdiff_t>(*tail),
                                      last.end()));
    } else {
        FUZZ_CHECK(!tail && line.attempts.size() == static_cast<std::size_t>(1 + retries));
        const auto& failure = std::get<exchange::RequestFailure>(result);
        FUZZ_CHECK(failure.asked == protocol::hex_dump(kind.request));
        FUZZ_CHECK(failure.attempts == 1 + retries && !failure.port_gone);
        FUZZ_CHECK(failure.last_answer == protocol::hex_dump(last));
        FUZZ_CHECK(!failure.last_problem.empty() && fuzz::well_formed_utf8(failure.last_problem));
    }
    return 0;
}
