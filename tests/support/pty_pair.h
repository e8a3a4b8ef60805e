#pragma once
// A raw pseudo-terminal for tests: the test holds the master end and plays the line;
// the code under test opens `slave_path` as its serial port.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "protocol/bytes.h"

class PtyPair {
public:
    PtyPair() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) throw std::runtime_error("no pty");
        slave_path = ptsname(master_);
        termios tio{};
        tcgetattr(master_, &tio);
        cfmakeraw(&tio);
        tcsetattr(master_, TCSANOW, &tio);
        // Hold the slave open so the master never reports hang-up between the code's opens.
        keep_slave_ = open(slave_path.c_str(), O_RDWR | O_NOCTTY);
    }
    ~PtyPair() { hang_up(); }

    // The far end goes away, as when an adapter is pulled: the slave side sees errors.
    void hang_up() {
        if (keep_slave_ >= 0) close(keep_slave_);
        if (master_ >= 0) close(master_);
        keep_slave_ = master_ = -1;
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    void send(protocol::ByteView bytes) const {
        for (std::size_t at = 0; at < bytes.size();) {
            const ssize_t n = write(master_, bytes.data() + at, bytes.size() - at);
            if (n <= 0) throw std::runtime_error("pty write failed");
            at += static_cast<std::size_t>(n);
        }
    }

    // Collects bytes until `count` have arrived or `timeout` passes.
    protocol::Bytes receive(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(2)) const {
        protocol::Bytes got;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (got.size() < count) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) break;
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
            protocol::Byte buffer[512];
            const ssize_t n = read(master_, buffer, sizeof buffer);
            if (n <= 0) break;
            got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }

    std::string slave_path;

private:
    int master_ = -1;
    int keep_slave_ = -1;
};
