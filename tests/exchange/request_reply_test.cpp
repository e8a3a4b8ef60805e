#include <gtest/gtest.h>

#include <algorithm>

#include "exchange/request_reply.h"
#include "language/language.h"
#include "protocol/commands.h"
#include "protocol/crc.h"
#include "protocol/hex.h"
#include "protocol/reply_check.h"
#include "support/scripted_line.h"

using namespace protocol;

namespace {

Bytes framed(Bytes body) {
    Control_summ(body);
    return body;
}

const ReplyShape table_written{display_reply_start, {cmd_table_written, cmd_bad_password}, 4};

std::optional<std::string> problem_of(ByteView rx, const ReplyShape& shape) {
    const auto problem = reply_problem(rx, shape);
    if (!problem) return std::nullopt;
    return language::in_english(*problem).toStdString();
}

}  // namespace

TEST(ReplyCheck, SaysWhatIsWrongWithAReply) {
    const Bytes good = framed({0x31, 0xDE, 0xE0});
    const Bytes bad_crc{0x31, 0xDE, 0xE0, static_cast<Byte>(good[3] ^ 1)};
    const std::pair<Bytes, std::optional<std::string>> cases[] = {
        {good, std::nullopt},
        {framed({0x31, 0xDE, 0xFD}), std::nullopt},  // a refusal is a reply too
        {{}, "no answer"},
        {framed({0x3E, 0xDE, 0xE0}), "wrong start byte 3E"},
        {{0x31, 0xDE, 0xE0}, "too short for a reply (bytes: 3)"},
        {bad_crc, "bad CRC: 19, computed 18"},
        {framed({0x31, 0xDE, 0xEE}), "reply code EE, expected E0/FD"},
    };
    for (const auto& [rx, problem] : cases) EXPECT_EQ(problem_of(rx, table_written), problem) << hex_dump(rx);
    EXPECT_EQ(problem_of(good, {display_reply_start, {cmd_table_written}, 167}), "4 bytes, expected at least 167");
    EXPECT_EQ(problem_of(bad_crc, {display_reply_start, {cmd_table_written}, 167}), "4 bytes, expected at least 167")
        << "cut short, not a bad CRC";

    // A read may end early only on a whole reply of a length the request fixes.
    ReplyShape four = table_written;
    four.length = 4;
    Bytes noisy{0x00};
    append(noisy, good);
    EXPECT_TRUE(ends_in_whole_reply(noisy, four));
    EXPECT_FALSE(ends_in_whole_reply(good, table_written)) << "no length known";
    EXPECT_FALSE(ends_in_whole_reply(ByteView(good).first(3), four));
    EXPECT_FALSE(ends_in_whole_reply(bad_crc, four));
}

TEST(RequestReply, DropsStaleInputMendsASplitOrNoisyAnswerAndRetriesABadOne) {
    ScriptedLine line;
    line.open_now = true;
    const Bytes request = framed({0x3E, 0xDE, 0xEF});
    const Bytes good = framed({0x31, 0xDE, 0xE0});
    line.replies = {{0x31, 0xDE}, {0xE0, good.back()}};
    exchange::RequestReply exchange(line, 0);
    EXPECT_EQ(std::get<Bytes>(exchange.ask(request, table_written)), good);
    EXPECT_EQ(line.calls, (std::vector<std::string>{"discard", "write", "read", "read"}));

    // Noise in front of the answer is skipped, even when the answer's own start comes later.
    line.replies = {{0x00, 0x31, 0xFF, 0x31, 0xDE, 0xE0, good.back()}};
    EXPECT_EQ(std::get<Bytes>(exchange.ask(request, table_written)), good);

    // A bad answer is asked again; the failure names the request and what the last try got.
    line.replies = {{0x31, 0xDE, 0xE0, 0x00}, {}};
    exchange::RequestReply retrying(line, 1);
    const auto failed = std::get<exchange::RequestFailure>(retrying.ask(request, table_written));
    EXPECT_EQ(failed.asked, "3E DE EF " + hex_dump(request.back()));
    EXPECT_EQ(failed.attempts, 2);
    EXPECT_EQ(failed.last_answer, "");
    EXPECT_EQ(language::in_english(failed.last_problem), "no answer");
    EXPECT_EQ(line.written.size(), 4u);

    // An answer that came late to a request asked again, or to one that failed, is let
    // pass before the next request goes out, not taken for its answer.
    const Bytes other = framed({0x31, 0xDE, 0xFD});
    for (const bool first_answered : {true, false}) {
        exchange::RequestReply asking(line, 1);
        line.calls.clear();
        if (first_answered)
            line.replies = {{}, good, good, {}, other};  // the second answer to the first comes late
        else
            line.replies = {{}, {}, good, {}, other};  // the late answer to the one that failed
        const auto first = asking.ask(request, table_written);
        EXPECT_EQ(std::holds_alternative<Bytes>(first), first_answered);
        EXPECT_EQ(std::get<Bytes>(asking.ask(request, table_written)), other);
        EXPECT_EQ(std::vector<std::string>(line.calls.end() - 5, line.calls.end()),
                  (std::vector<std::string>{"read", "read", "discard", "write", "read"}));
    }
    // A line that never falls quiet is waited on for a few reads, not for ever.
    exchange::RequestReply chattering(line, 0);
    line.replies = {{}};
    (void)chattering.ask(request, table_written);
    line.calls.clear();
    line.replies = std::deque<Bytes>(10, Bytes{0x55});
    line.replies.push_back(good);
    (void)chattering.ask(request, table_written);
    EXPECT_EQ(std::find(line.calls.begin(), line.calls.end(), "write") - line.calls.begin(), 5) << "4 reads, then the discard";
}
