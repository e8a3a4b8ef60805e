#pragma once
// The pseudo-terminal that stands in for the serial adapter.

#include <chrono>
#include <optional>
#include <string>

namespace sim {

class Pty {
public:
    // Opens a master in raw mode and keeps one slave descriptor of its own, so that
    // the master sees no hangup while no console is connected. nullopt on failure,
    // with the reason in `error`.
    static std::optional<Pty> open(std::string& error);

    Pty(Pty&& other) noexcept;
    Pty& operator=(Pty&& other) noexcept;
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;
    ~Pty();

    int master() const { return master_; }
    const std::string& path() const { return path_; }

    // Waits, at most `limit`, until the console has read everything sent to it.
    void wait_until_read(std::chrono::milliseconds limit) const;

    // Both ends closed, as when the adapter is pulled out.
    void close();

private:
    Pty(int master, int slave, std::string path) : master_(master), slave_(slave), path_(std::move(path)) {}

    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

// A symbolic link `link` → `target`, replacing an older link (but never a file).
bool make_link(const std::string& link, const std::string& target, std::string& error);
// Removes `link` if it still points at `target`.
void remove_link(const std::string& link, const std::string& target);

}  // namespace sim
