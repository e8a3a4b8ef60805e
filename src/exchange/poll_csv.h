#pragma once
// A sensor's answered poll as a line of CSV, the one wording of the poll log that
// `trelvik-cli poll` prints and the console's sensor monitor records. Plain C++.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "exchange/reply_dispatch.h"

namespace exchange {

inline constexpr std::string_view poll_csv_header = "time,address,temperature,level,current,lower,upper,k,mode";

// What one poll told: a full poll all of it, a standard request only the temperature
// and the level, its other columns empty.
struct PolledSensor {
    Byte address = 0;
    int temperature = 0;
    std::uint16_t level = 0;
    std::optional<std::uint32_t> current;
    std::optional<std::uint32_t> lower;
    std::optional<std::uint32_t> upper;
    std::optional<std::uint16_t> k;
    std::optional<Byte> mode;
};

PolledSensor polled(const FullPoll& poll);
// nullopt for a reply too short to carry the level.
std::optional<PolledSensor> polled(const ShortPoll& poll);

// The columns of poll_csv_header in decimal, `time` as given, without a line end:
// "2026-12-08T09:12:30.120+01:00,1,25,4660,2147483649,1000,3000,7,".
std::string poll_csv_line(std::string_view time, const PolledSensor& poll);
inline std::string poll_csv_line(std::string_view time, const FullPoll& poll) {
    return poll_csv_line(time, polled(poll));
}

}  // namespace exchange
