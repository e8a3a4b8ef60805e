#pragma once
// Lines of a stream read on a thread of their own, so that a command can go on with its
// line work while it waits for what the operator types.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace cli {

class InputLines {
public:
    // `in` (none: no input at all) must outlive the program: a read that waits on a
    // terminal cannot be called off, so its thread is let go at the end.
    explicit InputLines(std::istream* in);
    ~InputLines();
    InputLines(const InputLines&) = delete;
    InputLines& operator=(const InputLines&) = delete;

    enum class Got { line, ended, nothing_yet };
    // The next line into `line`, waiting at most until `deadline`.
    Got next(std::string& line, std::chrono::steady_clock::time_point deadline);

private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable arrived;
        std::deque<std::string> lines;
        bool ended = false;
    };
    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
    std::thread reader_;
};

}  // namespace cli
