// The trace of a line as a request-reply exchange reports it: every frame that went out
// and came in, with the time the line saw it, and what happened between them.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "calibration/table_frame.h"
#include "exchange/request_reply.h"
#include "exchange/trace_writer.h"
#include "language/language.h"
#include "protocol/byte_text.h"
#include "protocol/commands.h"
#include "protocol/crc.h"
#include "protocol/hex.h"
#include "protocol/reply_check.h"

using namespace protocol;

namespace {

// A line with a clock: a read takes the line's whole read time when nothing comes, a write
// a few milliseconds; input left from before is what the next discard drops.
class ClockedLine final : public serial::Line {
public:
    static constexpr std::int64_t read_ms = 256;

    std::int64_t now_ms = 1796717550000;  // 2026-12-08T08:12:30.000Z
    std::deque<Bytes> stale;              // what each discard drops, in turn
    std::deque<Bytes> replies;            // one per read
    std::vector<Bytes> written;
    int failing_write = 0;                // this write (1 the first) takes nothing

    serial::OpenResult open(const QString&, const QString&) override { return serial::OpenResult::success(); }
    Bytes read() override {
        Bytes reply;
        if (!replies.empty()) {
            reply = std::move(replies.front());
            replies.pop_front();
        }
        now_ms += reply.empty() ? read_ms : 30;
        return reply;
    }
    // Asks as the bytes come, as a port does.
    Bytes read_until(const std::function<bool(ByteView)>& complete) override {
        Bytes reply = read();
        if (!reply.empty()) complete(reply);
        return reply;
    }
    int write(ByteView bytes) override {
        now_ms += 5;
        if (static_cast<int>(written.size()) + 1 == failing_write) {
            failing_write = 0;
            return 0;
        }
        written.emplace_back(bytes.begin(), bytes.end());
        return static_cast<int>(bytes.size());
    }
    void flush() override {}
    void discard_input() override { ADD_FAILURE() << "a traced exchange tells what it drops"; }
    Bytes drop_input() override {
        if (stale.empty()) return {};
        Bytes dropped = std::move(stale.front());
        stale.pop_front();
        return dropped;
    }
    bool close() override { return true; }
    bool is_open() const override { return true; }
};

// Bytes as the traffic log writes them.
std::string hex(ByteView bytes) {
    std::string text = hex_line(bytes);
    text.pop_back();
    return text;
}

Bytes framed(Bytes body) {
    Control_summ(body);
    return body;
}

}  // namespace

TEST(LineTrace, TellsATableWriteFrameByFrameWithItsTimeOutsBadAnswersAndRetries) {
    ClockedLine line;
    std::vector<std::string> trace;
    exchange::TraceWriter writer([&](std::string_view text) { trace.emplace_back(text); },
                                 [&] { return exchange::TraceTime{{line.now_ms, 3600}, line.now_ms}; },
                                 [](const protocol::Text& text) { return language::in_english(text).toStdString(); });
    exchange::RequestReply exchange(line, 3);
    exchange.trace_to(&writer);

    calibration::CalibrationTable table;
    table.values[0] = 0x1234;
    const Bytes request = calibration::build_write_table(2, table);
    const Bytes good = framed({display_reply_start, 0xDE, cmd_table_written});
    Bytes bad_crc = good;
    bad_crc.back() ^= 1;
    line.stale = {{0x3E, 0x01, 0xF0}};
    line.failing_write = 2;
    // No answer; the frame cut short; an answer with a bad CRC, stamped when it came, then
    // the silence that ends its read; the answer behind a byte of noise.
    line.replies = {{}, bad_crc, {}, {0x00, good[0], good[1], good[2], good[3]}};
    const ReplyShape shape{display_reply_start, {cmd_table_written, cmd_bad_password}, 4};
    ASSERT_EQ(std::get<Bytes>(exchange.ask(request, shape)), good);

    ASSERT_EQ(line.written.size(), 3u);
    for (const Bytes& sent : line.written) EXPECT_EQ(sent, request);
    const auto at = [](const char* time) { return std::string("2026-12-08T09:12:") + time + "+01:00 "; };
    const auto sent = [&](const char* time) { return at(time) + "-> " + hex(request); };
    const std::vector<std::string> expected{
        at("30.000") + "discarded 3 stale bytes: 3E 1 F0",
        sent("30.005"),
        at("30.261") + "timeout: no answer in 256 ms",
        at("30.261") + "retry 1 of 3",
        at("30.266") + "write failed: the port took 0 of 167 bytes",
        at("30.266") + "retry 2 of 3",
        sent("30.271"),
        at("30.301") + "<- " + hex(bad_crc),
        at("30.557") + "bad answer: bad CRC: " + hex_dump(bad_crc.back()) + ", computed " + hex_dump(good.back()),
        at("30.557") + "retry 3 of 3",
        sent("30.562"),
        at("30.592") + "<- 0 " + hex(good),
    };
    EXPECT_EQ(trace, expected);
}
