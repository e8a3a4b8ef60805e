#include "options.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "protocol/commands.h"

namespace sim {

namespace {

template <typename T>
std::optional<T> number(std::string_view text, T min, T max) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < min || value > max) return std::nullopt;
    return value;
}

std::optional<Byte> address(std::string_view text) { return number<Byte>(text, 0, 255); }

// "ADDR" or "ADDR:N".
std::optional<std::pair<Byte, std::optional<std::size_t>>> address_and_count(std::string_view text) {
    const auto colon = text.find(':');
    const auto a = address(text.substr(0, colon));
    if (!a) return std::nullopt;
    if (colon == std::string_view::npos) return std::pair{*a, std::optional<std::size_t>{}};
    const auto n = number<std::size_t>(text.substr(colon + 1), 0, 1000);
    if (!n) return std::nullopt;
    return std::pair{*a, std::optional<std::size_t>{*n}};
}

std::optional<std::vector<Byte>> address_list(std::string_view text) {
    std::vector<Byte> list;
    while (!text.empty()) {
        const auto comma = text.find(',');
        const auto a = number<Byte>(text.substr(0, comma), 0, protocol::max_sensor_address);
        if (!a || std::find(list.begin(), list.end(), *a) != list.end()) return std::nullopt;
        list.push_back(*a);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    }
    return list;
}

}  // namespace

std::variant<Options, ShowHelp, BadOptions> parse_options(std::span<const std::string_view> args) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view name = args[i];
        std::optional<std::string_view> inline_value;
        if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string_view::npos) {
            inline_value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        auto flag = [&](std::string_view n) { return name == n && !inline_value; };
        auto takes = [&](std::string_view n) { return name == n; };
        std::string_view value;
        auto get_value = [&]() -> bool {
            if (inline_value) {
                value = *inline_value;
                return true;
            }
            if (i + 1 >= args.size()) return false;
            value = args[++i];
            return true;
        };
        auto bad = [&](std::string_view what) { return BadOptions{std::string(name) + ": " + std::string(what)}; };

        if (flag("--help") || flag("-h")) return ShowHelp{};
        if (flag("--no-drift")) { o.line.drift = false; continue; }
        if (flag("--no-pace")) { o.pace = false; continue; }
        if (flag("--lock-tables")) { o.line.lock_tables = true; continue; }
        if (flag("--bad-store")) { o.line.faults.bad_store = true; continue; }

        static constexpr std::string_view with_value[] = {
            "--sensors", "--link",  "--seed",    "--password", "--mute",        "--bad-crc",
            "--truncate", "--split", "--gap-ms", "--garbage",  "--close-after", "--reopen-after", "--high-values", "--lose",
            "--tank"};
        if (std::find(std::begin(with_value), std::end(with_value), name) == std::end(with_value))
            return BadOptions{"unknown option " + std::string(args[i])};
        if (!get_value()) return bad("needs a value");

        if (takes("--sensors")) {
            const auto list = address_list(value);
            if (!list) return bad("a comma-separated list of distinct addresses 0..200");
            o.line.sensors = *list;
        } else if (takes("--link")) {
            if (value.empty()) return bad("needs a path");
            o.link = std::string(value);
        } else if (takes("--seed")) {
            if (!(o.seed = number<std::uint32_t>(value, 0, std::numeric_limits<std::uint32_t>::max()))) return bad("a number 0..4294967295");
        } else if (takes("--password")) {
            const auto p = number<std::uint32_t>(value, 0, max_password);
            if (!p) return bad("a number 0..2000000000");
            o.line.password = *p;
        } else if (takes("--mute") || takes("--bad-crc")) {
            const auto a = address(value);
            if (!a) return bad("an address 0..255 (222 is the display unit)");
            (takes("--mute") ? o.line.faults.mute : o.line.faults.bad_crc).insert(*a);
        } else if (takes("--truncate") || takes("--split")) {
            const auto fault_at = address_and_count(value);
            if (!fault_at) return bad("ADDR or ADDR:N, ADDR 0..255, N 0..1000");
            (takes("--truncate") ? o.line.faults.truncate : o.line.faults.split)[fault_at->first] = fault_at->second;
        } else if (takes("--lose")) {
            const auto fault_at = address_and_count(value);
            if (!fault_at || fault_at->second == 0) return bad("ADDR or ADDR:N, ADDR 0..255, N 1..1000");
            o.line.faults.lose[fault_at->first] = fault_at->second.value_or(2);
        } else if (takes("--gap-ms")) {
            const auto ms = number<int>(value, 0, 10'000);
            if (!ms) return bad("milliseconds 0..10000");
            o.line.faults.split_gap = std::chrono::milliseconds(*ms);
        } else if (takes("--garbage")) {
            const auto n = number<std::size_t>(value, 0, 1000);
            if (!n) return bad("a number of bytes 0..1000");
            o.line.faults.garbage = *n;
        } else if (takes("--tank")) {
            const auto colon = value.find(':');
            const auto a = number<Byte>(value.substr(0, colon), 0, protocol::max_sensor_address);
            const auto litres = colon == std::string_view::npos ? std::nullopt : number<unsigned>(value.substr(colon + 1), 1, 1'000'000);
            if (!a || !litres) return bad("ADDRESS:LITRES, a sensor's address 0..200 and the tank's size 1..1000000");
            // Standard input pours into the one tank: a second would be silently dry.
            if (o.line.tank) return bad("one tank at a time (standard input pours into it)");
            o.line.tank = TankConfig{*a, static_cast<double>(*litres)};
        } else if (takes("--close-after")) {
            if (!(o.close_after = number<unsigned>(value, 1, 1'000'000))) return bad("a number of frames 1..1000000");
        } else if (takes("--high-values")) {
            const auto slot = number<std::size_t>(value, 1, slot_count);
            if (!slot) return bad("a slot 1..10");
            o.line.high_value_slots.insert(*slot - 1);
        } else if (takes("--reopen-after")) {
            const auto ms = number<int>(value, 0, 600'000);
            if (!ms) return bad("milliseconds 0..600000");
            o.reopen_after = std::chrono::milliseconds(*ms);
        }
    }
    if (o.reopen_after && !o.close_after) return BadOptions{"--reopen-after needs --close-after"};
    if (o.line.tank && std::find(o.line.sensors.begin(), o.line.sensors.end(), o.line.tank->address) == o.line.sensors.end())
        return BadOptions{"--tank: no sensor at address " + std::to_string(o.line.tank->address) + " (see --sensors)"};
    return o;
}

std::string usage() {
    return R"(usage: trelvik-sim [options]

Simulates the display unit (address 222) and fuel-level sensors on a pseudo-terminal.
The first line of output is the device path to connect the console to; every frame
received (<-) and sent (->) is logged after it.

  --sensors LIST        sensor addresses, comma-separated, 0..200 (default 1,2,5)
  --link PATH           also make PATH a symbolic link to the device (removed on exit)
  --password N          the display unit's password, 0..2000000000 (default 12345)
  --lock-tables         table writes need the password presented first
  --high-values SLOT    slot SLOT (1..10) holds sensor values 32768 and up, as a
                        unit can (repeatable)
  --no-drift            temperatures and levels stay where they start
  --seed N              repeatable drift and garbage
  --no-pace             answer at once instead of at 19200 baud with turnaround
  --tank ADDRESS:LITRES the sensor at ADDRESS stands in an empty horizontal tank of
                        LITRES; standard input takes "pour L", "drain L" and "status",
                        and after each change the level sloshes for a few seconds

Faults (ADDR is a sensor address, or 222 for the display unit; repeatable):
  --mute ADDR           the device is gone: it neither hears nor answers
  --bad-crc ADDR        its answers end in a wrong CRC
  --truncate ADDR[:LEN] its answers are cut to LEN bytes (default half)
  --split ADDR[:POS]    its answers pause after POS bytes (default half)
  --gap-ms MS           length of that pause (default 30)
  --lose ADDR[:N]       every Nth of its answers is lost (default every second)
  --garbage N           N random bytes follow every answer about 40 ms later
  --bad-store           table writes are confirmed but stored with row 40's litres
                        off by one
  --close-after N       after N received frames the line goes away like an
                        unplugged adapter (the pty is closed, the link removed)
  --reopen-after MS     MS later a new pty appears; its path is printed as
                        "line reopened: PATH" and the link is pointed at it
  --help                this text
)";
}

}  // namespace sim
