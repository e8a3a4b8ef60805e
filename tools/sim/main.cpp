// trelvik-sim: the display unit and fuel-level sensors of one RS-485 line, behind
// a pseudo-terminal that the console opens like a serial port.

#include <poll.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "frame_splitter.h"
#include "protocol/hex.h"
#include "line.h"
#include "options.h"
#include "pacer.h"
#include "pty.h"

namespace {

using namespace sim;
using protocol::hex_dump;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

volatile std::sig_atomic_t stop_requested = 0;
void on_stop_signal(int) { stop_requested = 1; }

// A frame left incomplete this long is given up.
constexpr milliseconds idle_limit{100};
constexpr std::chrono::seconds drift_period{1};

std::string wall_clock() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03ld", local.tm_hour, local.tm_min, local.tm_sec,
                  now.tv_nsec / 1'000'000);
    return text;
}

void log_line(const std::string& text) { std::printf("%s %s\n", wall_clock().c_str(), text.c_str()); }

// As the console shows it: the prefix byte when not 0, then each digit and a period.
std::string version_text(const SensorState& s) {
    std::string text = s.version_prefix ? std::to_string(s.version_prefix) : "";
    for (char digit : std::to_string(s.version_digits)) (text += digit) += '.';
    return text;
}

std::string join(const auto& addresses) {
    std::string text;
    for (auto a : addresses) text += (text.empty() ? "" : ",") + std::to_string(a);
    return text;
}

void print_banner(const Options& o, std::uint32_t seed, const Line& line) {
    std::printf("trelvik-sim ready: %s, drift %s (seed %u)\n", o.pace ? "19200-baud pacing" : "no pacing",
                o.line.drift ? "on" : "off", static_cast<unsigned>(seed));
    for (const Sensor& sensor : line.sensors()) {
        const SensorState& s = sensor.state();
        std::printf("  sensor %u: serial %u, version %s, %d C, level %u, mode 0x%02X\n", unsigned{s.address},
                    static_cast<unsigned>(s.serial), version_text(s).c_str(), int{s.temperature},
                    unsigned{level_of(s)}, unsigned{s.mode});
    }
    std::printf("  display unit 222: password %u, table writes %s\n", static_cast<unsigned>(o.line.password),
                o.line.lock_tables ? "need the password" : "open");
    if (!o.line.high_value_slots.empty()) {
        std::string slots;
        for (std::size_t s : o.line.high_value_slots) slots += (slots.empty() ? "" : ",") + std::to_string(s + 1);
        std::printf("  sensor values from 32768 up in slot %s\n", slots.c_str());
    }
    const Faults& f = o.line.faults;
    std::string faults;
    auto add = [&](const std::string& item) { faults += (faults.empty() ? "" : "; ") + item; };
    if (!f.mute.empty()) add("mute " + join(f.mute));
    if (!f.bad_crc.empty()) add("bad CRC " + join(f.bad_crc));
    for (const auto& [a, n] : f.truncate) add("truncate " + std::to_string(a) + (n ? ":" + std::to_string(*n) : ""));
    for (const auto& [a, n] : f.split)
        add("split " + std::to_string(a) + (n ? ":" + std::to_string(*n) : "") + " for " +
            std::to_string(f.split_gap.count()) + " ms");
    for (const auto& [a, n] : f.lose) add("1 in " + std::to_string(n) + " answers of " + std::to_string(a) + " lost");
    if (f.garbage) add(std::to_string(f.garbage) + " bytes of garbage after each answer");
    if (f.bad_store) add("table writes stored with row 40's litres off by one");
    if (o.close_after) add("line closes after " + std::to_string(*o.close_after) + " frames");
    if (o.reopen_after) add("and reopens " + std::to_string(o.reopen_after->count()) + " ms later");
    if (o.line.tank)
        std::printf("  tank: sensor %u in an empty horizontal tank of %g L; standard input takes pour L, drain L, status\n",
                    unsigned{o.line.tank->address}, o.line.tank->capacity);
    std::printf("  faults: %s\n", faults.empty() ? "none" : faults.c_str());
}

class Simulator {
public:
    Simulator(const Options& options, std::uint32_t seed)
        : options_(options), line_(with_seed(options, seed)), pacer_(options.pace), seed_(seed) {}

    int run(const sigset_t& wait_mask) {
        std::string error;
        if (!open_line(error)) {
            std::fprintf(stderr, "trelvik-sim: %s\n", error.c_str());
            return 1;
        }
        std::printf("%s\n", pty_->path().c_str());
        print_banner(options_, seed_, line_);
        std::fflush(stdout);

        next_drift_ = Clock::now() + drift_period;
        while (!stop_requested) {
            // Standard input carries the tank's commands, when there is a tank.
            pollfd p[2]{{pty_ ? pty_->master() : -1, POLLIN, 0}, {tank_commands_ ? STDIN_FILENO : -1, POLLIN, 0}};
            const timespec timeout = time_to_next_deadline();
            if (ppoll(p, 2, &timeout, &wait_mask) < 0 && errno != EINTR) {
                std::fprintf(stderr, "trelvik-sim: poll: %s\n", std::strerror(errno));
                return 1;
            }
            if (stop_requested) break;
            if (p[0].revents & POLLIN)
                receive();
            else if (p[0].revents & (POLLHUP | POLLERR))
                pull_line("the pty failed");
            if (p[1].revents & (POLLIN | POLLHUP | POLLERR)) read_tank_commands();
            on_deadlines();
            if (reopen_at_ && Clock::now() >= *reopen_at_ && !reopen()) return 1;
        }
        if (pty_ && options_.link) remove_link(*options_.link, pty_->path());
        return 0;
    }

private:
    static LineConfig with_seed(const Options& o, std::uint32_t seed) {
        LineConfig c = o.line;
        c.seed = seed;
        if (!o.pace) c.turnaround = milliseconds{0};
        return c;
    }

    bool open_line(std::string& error) {
        pty_ = Pty::open(error);
        if (!pty_) return false;
        if (options_.link && !make_link(*options_.link, pty_->path(), error)) return false;
        return true;
    }

    timespec time_to_next_deadline() const {
        auto next = next_drift_;
        if (splitter_.holds_bytes()) next = std::min(next, last_received_ + idle_limit);
        if (reopen_at_) next = std::min(next, *reopen_at_);
        const auto wait = std::max(Clock::duration::zero(), next - Clock::now());
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
        return {static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
    }

    void receive() {
        Byte buffer[4096];
        const ssize_t n = read(pty_->master(), buffer, sizeof buffer);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
        if (n <= 0) {
            pull_line("reading the pty failed");
            return;
        }
        splitter_.feed(ByteView(buffer, static_cast<std::size_t>(n)));
        last_received_ = Clock::now();
        drain();
    }

    void drain() {
        while (pty_) {
            auto item = splitter_.next();
            if (!item) return;
            if (!item->is_frame) {
                log_line("skipped " + std::to_string(item->bytes.size()) + " byte(s): " + hex_dump(item->bytes));
                continue;
            }
            log_line("<- " + hex_dump(item->bytes));
            line_.set_time(seconds());
            answer(line_.receive(item->bytes));
            if (options_.close_after && ++frames_ == *options_.close_after) {
                options_.close_after.reset();  // the adapter is pulled once
                pull_line("the line is pulled after " + std::to_string(frames_) + " frames", true);
            }
        }
    }

    void answer(const Outcome& outcome) {
        for (const std::string& note : outcome.notes) log_line("-- " + note);
        for (const Burst& burst : outcome.bursts) {
            pacer_.keep_silence(burst.silence_before);
            log_line("-> " + hex_dump(burst.bytes) + (burst.label.empty() ? "" : "  (" + burst.label + ")"));
            if (!pacer_.write(pty_->master(), burst.bytes)) {
                log_line("-- the console takes no more bytes: the rest of the answer is dropped");
                return;
            }
        }
    }

    double seconds() const { return std::chrono::duration<double>(Clock::now() - started_).count(); }

    void read_tank_commands() {
        char buffer[512];
        const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
        if (n <= 0) {
            tank_commands_ = false;  // the end of the input: the tank stays as it is
            return;
        }
        commands_.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t eol; (eol = commands_.find('\n')) != std::string::npos; commands_.erase(0, eol + 1)) {
            line_.set_time(seconds());
            log_line(line_.tank_command(std::string_view(commands_).substr(0, eol)));
        }
    }

    void on_deadlines() {
        const auto now = Clock::now();
        if (splitter_.holds_bytes() && now - last_received_ >= idle_limit) {
            log_line("-- incomplete frame given up after " + std::to_string(idle_limit.count()) + " ms of silence");
            while (pty_ && splitter_.holds_bytes()) {
                splitter_.give_up();
                drain();
            }
        }
        if (now >= next_drift_) {
            line_.drift();
            next_drift_ += drift_period;
        }
    }

    void pull_line(const std::string& why, bool let_console_read = false) {
        if (!pty_) return;
        // The answer to the last frame is still let through, so that where the line
        // ends is the same on every run.
        if (let_console_read) pty_->wait_until_read(milliseconds{500});
        if (options_.link) remove_link(*options_.link, pty_->path());
        pty_.reset();
        splitter_ = FrameSplitter{};
        std::printf("line closed: %s\n", why.c_str());
        if (options_.reopen_after) reopen_at_ = Clock::now() + *options_.reopen_after;
    }

    bool reopen() {
        reopen_at_.reset();
        std::string error;
        if (!open_line(error)) {
            std::fprintf(stderr, "trelvik-sim: reopening the line: %s\n", error.c_str());
            return false;
        }
        std::printf("line reopened: %s\n", pty_->path().c_str());
        return true;
    }

    Options options_;
    Line line_;
    Pacer pacer_;
    std::uint32_t seed_;
    FrameSplitter splitter_;
    std::optional<Pty> pty_;
    unsigned frames_ = 0;
    Clock::time_point last_received_{};
    Clock::time_point next_drift_{};
    std::optional<Clock::time_point> reopen_at_;
    Clock::time_point started_ = Clock::now();
    bool tank_commands_ = options_.line.tank.has_value();
    std::string commands_;  // what standard input brought, up to the end of its last line
};

int run(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = parse_options(args);
    if (std::holds_alternative<ShowHelp>(parsed)) {
        std::fputs(usage().c_str(), stdout);
        return 0;
    }
    if (const auto* bad = std::get_if<BadOptions>(&parsed)) {
        std::fprintf(stderr, "trelvik-sim: %s (see --help)\n", bad->message.c_str());
        return 2;
    }
    const Options& options = std::get<Options>(parsed);
    const std::uint32_t seed = options.seed.value_or(std::random_device{}());

    // SIGINT and SIGTERM are let through only while waiting in ppoll, so a stop
    // never cuts an answer short and never slips in between check and wait.
    struct sigaction stop {};
    stop.sa_handler = on_stop_signal;
    sigemptyset(&stop.sa_mask);
    sigaction(SIGINT, &stop, nullptr);
    sigaction(SIGTERM, &stop, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t blocked, wait_mask;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    sigprocmask(SIG_BLOCK, &blocked, &wait_mask);
    sigdelset(&wait_mask, SIGINT);
    sigdelset(&wait_mask, SIGTERM);

    Simulator simulator(options, seed);
    return simulator.run(wait_mask);
}

}  // namespace

// An exception that gets this far (no entropy for the seed, memory exhausted) ends the
// simulator with its message rather than with std::terminate.
int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "trelvik-sim: %s\n", e.what());
        return 1;
    }
}
