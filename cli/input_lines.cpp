#include "input_lines.h"

#include <istream>

namespace cli {

InputLines::InputLines(std::istream* in) {
    if (!in) {
        shared_->ended = true;
        return;
    }
    reader_ = std::thread([shared = shared_, in] {
        for (std::string line; std::getline(*in, line);) {
            if (line.ends_with('\r')) line.pop_back();
            const std::lock_guard lock(shared->mutex);
            shared->lines.push_back(std::move(line));
            shared->arrived.notify_all();
        }
        const std::lock_guard lock(shared->mutex);
        shared->ended = true;
        shared->arrived.notify_all();
    });
}

InputLines::~InputLines() {
    if (!reader_.joinable()) return;
    const std::lock_guard lock(shared_->mutex);
    if (shared_->ended)
        reader_.join();
    else
        reader_.detach();  // still waiting for a line that will not be asked for
}

InputLines::Got InputLines::next(std::string& line, std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(shared_->mutex);
    shared_->arrived.wait_until(lock, deadline, [&] { return !shared_->lines.empty() || shared_->ended; });
    if (shared_->lines.empty()) return shared_->ended ? Got::ended : Got::nothing_yet;
    line = std::move(shared_->lines.front());
    shared_->lines.pop_front();
    return Got::line;
}

}  // namespace cli
