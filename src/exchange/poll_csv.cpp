#include "exchange/poll_csv.h"

namespace exchange {

namespace {

template <typename T>
std::string column(const std::optional<T>& value) {
    return value ? std::to_string(*value) : std::string();
}

}  // namespace

PolledSensor polled(const FullPoll& poll) {
    return {poll.address, poll.temperature, poll.level, poll.current, poll.lower, poll.upper, poll.k, poll.mode};
}

std::optional<PolledSensor> polled(const ShortPoll& poll) {
    if (!poll.temperature || !poll.level) return std::nullopt;
    PolledSensor p;
    p.address = poll.address;
    p.temperature = *poll.temperature;
    p.level = *poll.level;
    return p;
}

std::string poll_csv_line(std::string_view time, const PolledSensor& poll) {
    std::string line(time);
    for (const std::string& value :
         {std::to_string(poll.address), std::to_string(poll.temperature), std::to_string(poll.level),
          column(poll.current), column(poll.lower), column(poll.upper), column(poll.k), column(poll.mode)})
        line.append(",").append(value);
    return line;
}

}  // namespace exchange
