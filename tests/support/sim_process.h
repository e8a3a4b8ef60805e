#pragma once
// The device simulator as a child process: started with options, its first output line
// (the line's device path) awaited, stopped by its process id and reaped at the end. Its
// standard input is a pipe the test may type into.
// A reader thread drains its log all the time, so a long test never stalls the simulator
// on a full pipe.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

extern char** environ;

class SimProcess {
public:
    explicit SimProcess(std::vector<std::string> args) {
        args.insert(args.begin(), TRELVIK_SIM_PATH);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        int out[2], in[2];
        if (pipe(out) != 0 || pipe(in) != 0) throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addclose(&actions, in[1]);
        const int error = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        close(in[0]);
        input_ = in[1];
        if (error != 0) {
            close(out[0]);
            close(input_);
            throw std::runtime_error("posix_spawn");
        }
        reader_ = std::thread([this, fd = out[0]] { drain(fd); });
        device_ = line(std::chrono::seconds(5)).value_or("");
    }
    ~SimProcess() {
        if (pid_ > 0) stop();
        close(input_);
        reader_.join();  // the pipe reaches its end once the process is gone
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& device() const { return device_; }

    // A line on the simulator's standard input (its tank's commands).
    void type(const std::string& line) {
        const std::string text = line + "\n";
        if (write(input_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) throw std::runtime_error("write");
    }

    // The next line of output that starts with `prefix`, waiting at most `limit`.
    // Lines before it are consumed.
    std::optional<std::string> line(std::chrono::milliseconds limit, std::string_view prefix = "") {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        std::unique_lock lock(mutex_);
        for (;;) {
            for (std::size_t eol; (eol = output_.find('\n')) != std::string::npos;) {
                std::string text = output_.substr(0, eol);
                output_.erase(0, eol + 1);
                if (text.starts_with(prefix)) return text;
            }
            if (ended_ || !arrived_.wait_until(lock, deadline, [&] { return ended_ || output_.find('\n') != std::string::npos; }))
                return std::nullopt;
        }
    }

    int stop() {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(std::exchange(pid_, -1), &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    void drain(int fd) {
        char chunk[4096];
        for (ssize_t n; (n = read(fd, chunk, sizeof chunk)) > 0;) {
            std::lock_guard lock(mutex_);
            output_.append(chunk, static_cast<std::size_t>(n));
            arrived_.notify_all();
        }
        close(fd);
        std::lock_guard lock(mutex_);
        ended_ = true;
        arrived_.notify_all();
    }

    pid_t pid_ = -1;
    int input_ = -1;
    std::string device_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::string output_;
    bool ended_ = false;
    std::thread reader_;
};
