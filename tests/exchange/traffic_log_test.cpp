// The logs' time stamps, the traffic log's lines and its cap, and the poll log's columns.

#include <gtest/gtest.h>

#include <string>

#include "exchange/poll_csv.h"
#include "exchange/stamp.h"
#include "exchange/traffic_log.h"

using exchange::Direction;
using exchange::Stamp;
using protocol::Bytes;

namespace {
constexpr std::int64_t moment = 1746000000123;  // 2025-04-30 08:00:00.123 UTC
}

TEST(Stamp, WrittenAsQtWritesIsoDateWithMs) {
    struct Case {
        Stamp at;
        const char* text;
    };
    for (const Case& c : {Case{{moment, 0}, "2025-04-30T08:00:00.123Z"},
                          Case{{moment, 3 * 3600}, "2025-04-30T11:00:00.123+03:00"},
                          Case{{moment, -(5 * 3600 + 1800)}, "2025-04-30T02:30:00.123-05:30"},
                          Case{{moment + 16 * 3600 * 1000, 10 * 3600}, "2025-05-01T10:00:00.123+10:00"},
                          Case{{-1, 0}, "1969-12-31T23:59:59.999Z"}})
        EXPECT_EQ(exchange::stamp_text(c.at), c.text);
}

TEST(TrafficLog, ASentAndAReceivedFrameAsLines) {
    EXPECT_EQ(exchange::traffic_line({moment, 3 * 3600}, Direction::Sent, Bytes{0x31, 0x01, 0xF0, 0x8E}),
              "2025-04-30T11:00:00.123+03:00 -> 31 1 F0 8E");
    EXPECT_EQ(exchange::traffic_line({moment + 270, 3 * 3600}, Direction::Received, Bytes{0x3E, 0x01, 0x0D, 0x00, 0x5D}),
              "2025-04-30T11:00:00.393+03:00 <- 3E 1 D 0 5D");
}

TEST(TrafficLog, KeepsTheLatestFramesWithinItsCapAndANewConnectionStartsAfresh) {
    exchange::TrafficLog probe;
    probe.add({moment, 0}, Direction::Sent, Bytes{0x31, 0x01, 0x06, 0x6C});
    const std::size_t frame_cost = probe.memory();  // a four-byte frame and its record
    exchange::TrafficLog log(10 * frame_cost);
    log.begin("/dev/ttyUSB0", {moment, 0});
    log.add({moment, 0}, Direction::Sent, Bytes{});  // nothing went out: no frame
    for (std::uint8_t i = 0; i < 25; ++i) log.add({moment + i, 0}, Direction::Sent, Bytes{0x31, i, 0x06, 0x00});
    EXPECT_LE(log.memory(), 10 * frame_cost);
    EXPECT_EQ(log.frames() + log.dropped(), 25u);
    const std::string text = log.text("\n");
    EXPECT_EQ(text.substr(text.rfind('\n', text.size() - 2) + 1), "2025-04-30T08:00:00.147Z -> 31 18 6 0\n");
    EXPECT_EQ(text.substr(0, text.find('\n')),
              exchange::traffic_line({moment + static_cast<std::int64_t>(log.dropped()), 0}, Direction::Sent,
                                     Bytes{0x31, static_cast<std::uint8_t>(log.dropped()), 0x06, 0x00}));
    // As a trace: the port, then how many went, stamped with the first kept.
    const std::string dropped = std::to_string(log.dropped());
    EXPECT_TRUE(log.trace_text().starts_with("2025-04-30T08:00:00.123Z port /dev/ttyUSB0 opened\n2025-04-30T08:00:00.1" +
                                             std::to_string(23 + log.dropped()) + "Z " + dropped + " earlier frames not kept\n" +
                                             text))
        << log.trace_text();

    const Bytes huge(20 * frame_cost, 0x31);  // larger than the whole cap: kept alone, as the latest
    log.add({moment + 30, 0}, Direction::Received, huge);
    EXPECT_EQ(log.frames(), 1u);

    log.begin("COM3", {moment + 60, 0});
    EXPECT_EQ(log.frames(), 0u);
    EXPECT_EQ(log.dropped(), 0u);
    EXPECT_EQ(log.line(), "COM3");
    EXPECT_EQ(log.text(), "");
}

TEST(PollCsv, AFullPollFillsEveryColumnAStandardRequestOnlyTemperatureAndLevel) {
    exchange::FullPoll full;
    full.address = 1;
    full.temperature = -3;
    full.level = 4660;
    full.current = 2147483649u;
    full.lower = 1000;
    full.upper = 3000;
    full.k = 7;
    EXPECT_EQ(exchange::poll_csv_line("T", full), "T,1,-3,4660,2147483649,1000,3000,7,");
    full.mode = 9;
    EXPECT_EQ(exchange::poll_csv_line("T", full), "T,1,-3,4660,2147483649,1000,3000,7,9");

    const auto standard = exchange::polled(exchange::ShortPoll{2, 25, 812});
    ASSERT_TRUE(standard);
    EXPECT_EQ(exchange::poll_csv_line("T", *standard), "T,2,25,812,,,,,");
    EXPECT_FALSE(exchange::polled(exchange::ShortPoll{2, 25, std::nullopt})) << "too short to carry a level";
}
