#pragma once
// A moment as the console's logs write it: local time with its offset from UTC, to the
// millisecond. Plain C++: the caller, who knows the time zone, supplies the offset.

#include <cstdint>
#include <string>

namespace exchange {

struct Stamp {
    std::int64_t ms_since_epoch = 0;  // UTC
    std::int32_t utc_offset_s = 0;    // local time less UTC, in force at that moment
};

// "2026-12-08T09:12:30.120+01:00", or "...Z" at offset 0: ISO 8601 as Qt writes
// Qt::ISODateWithMs, so the lines of every log of ours read alike.
std::string stamp_text(Stamp at);

}  // namespace exchange
