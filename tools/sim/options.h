#pragma once
// The command line of trelvik-sim.

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "line.h"

namespace sim {

struct Options {
    LineConfig line;
    std::optional<std::uint32_t> seed;  // none given: a fresh one each run
    std::optional<std::string> link;    // symbolic link to the pty's device path
    bool pace = true;                   // 19200-baud byte timing and turnaround
    std::optional<unsigned> close_after;                // frames received before the line is pulled
    std::optional<std::chrono::milliseconds> reopen_after;
};

struct ShowHelp {};
struct BadOptions {
    std::string message;
};

std::variant<Options, ShowHelp, BadOptions> parse_options(std::span<const std::string_view> args);

std::string usage();

}  // namespace sim
