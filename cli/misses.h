#pragma once
// Polls that go unanswered, for the commands that poll for a long while (poll, tare): a
// long run rides over a lost answer, noting it with its time on standard error; only a
// sensor that stays silent, or a port that is gone, ends it.

#include <QCommandLineOption>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include "commands.h"
#include "outcome.h"

namespace cli {

inline constexpr std::int32_t default_max_misses = 10;

QCommandLineOption max_misses_option();
// --max-misses N, or the default.
Outcome<std::int32_t> max_misses_argument(const Invocation& call);

// Now as local time with its offset from UTC, to the millisecond: 2026-12-08T09:12:30.120+01:00.
std::string local_time_text();

class Misses {
public:
    Misses(std::ostream& err, std::int32_t limit) : err_(err), limit_(limit) {}

    // A poll went without an answer (`why`): the failure that ends the command, when the
    // port is gone or this is the limit's miss in a row; else the miss is noted.
    std::optional<Failed> missed(const Failed& why, bool port_gone);
    void answered() { in_a_row_ = 0; }
    std::int32_t in_a_row() const { return in_a_row_; }  // polls without an answer since the last answer

private:
    std::ostream& err_;
    std::int32_t limit_;
    std::int32_t in_a_row_ = 0;
};

}  // namespace cli
