#include "exchange/stamp.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace exchange {

std::string stamp_text(Stamp at) {
    using namespace std::chrono;
    const sys_time<milliseconds> local{milliseconds{at.ms_since_epoch + std::int64_t{at.utc_offset_s} * 1000}};
    const sys_days day = floor<days>(local);
    const year_month_day date{day};
    const hh_mm_ss<milliseconds> time{local - day};
    char text[48];
    int n = std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03d", static_cast<int>(date.year()),
                          static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                          static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                          static_cast<int>(time.seconds().count()), static_cast<int>(time.subseconds().count()));
    if (at.utc_offset_s == 0) {
        std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n), "Z");
    } else {
        const int minutes = std::abs(at.utc_offset_s) / 60;
        std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n), "%c%02d:%02d", at.utc_offset_s < 0 ? '-' : '+',
                      minutes / 60, minutes % 60);
    }
    return text;
}

}  // namespace exchange
