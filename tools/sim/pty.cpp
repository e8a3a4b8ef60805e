#include "pty.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace sim {

namespace {

std::string failed(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

std::optional<Pty> Pty::open(std::string& error) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        error = failed("posix_openpt");
        return std::nullopt;
    }
    auto give_up = [&](const char* what, int slave = -1) {
        error = failed(what);
        if (slave >= 0) ::close(slave);
        ::close(master);
        return std::nullopt;
    };
    if (grantpt(master) != 0) return give_up("grantpt");
    if (unlockpt(master) != 0) return give_up("unlockpt");
    const char* name = ptsname(master);
    if (name == nullptr) return give_up("ptsname");
    std::string path = name;

    // Raw before anyone connects, so that nothing is echoed back or translated
    // until the console sets up its side.
    termios tio{};
    if (tcgetattr(master, &tio) != 0) return give_up("tcgetattr");
    cfmakeraw(&tio);
    if (tcsetattr(master, TCSANOW, &tio) != 0) return give_up("tcsetattr");

    const int slave = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    if (slave < 0) return give_up("open slave");
    const int flags = fcntl(master, F_GETFL);
    if (flags < 0 || fcntl(master, F_SETFL, flags | O_NONBLOCK) != 0) return give_up("fcntl", slave);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    return Pty(master, slave, std::move(path));
}

Pty::Pty(Pty&& other) noexcept
    : master_(std::exchange(other.master_, -1)), slave_(std::exchange(other.slave_, -1)), path_(std::move(other.path_)) {}

Pty& Pty::operator=(Pty&& other) noexcept {
    if (this != &other) {
        close();
        master_ = std::exchange(other.master_, -1);
        slave_ = std::exchange(other.slave_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

Pty::~Pty() { close(); }

void Pty::wait_until_read(std::chrono::milliseconds limit) const {
    // Nothing signals an empty input queue on the console's side, so look at it
    // through the slave descriptor every few milliseconds. Written bytes reach that
    // queue a moment after write() returns: give them a little while to show up.
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    bool seen = false;
    int unread = 0;
    while (ioctl(slave_, FIONREAD, &unread) == 0 && Clock::now() - start < limit) {
        seen = seen || unread > 0;
        if (unread == 0 && (seen || Clock::now() - start > std::chrono::milliseconds{20})) return;
        usleep(1000);
    }
}

void Pty::close() {
    if (slave_ >= 0) ::close(std::exchange(slave_, -1));
    if (master_ >= 0) ::close(std::exchange(master_, -1));
}

bool make_link(const std::string& link, const std::string& target, std::string& error) {
    struct stat st {};
    if (lstat(link.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        error = link + " exists and is not a symbolic link";
        return false;
    }
    // Made beside it and renamed over it, so the path never points nowhere.
    const std::string fresh = link + ".new-" + std::to_string(getpid());
    unlink(fresh.c_str());
    if (symlink(target.c_str(), fresh.c_str()) != 0) {
        error = failed(("symlink " + fresh).c_str());
        return false;
    }
    if (rename(fresh.c_str(), link.c_str()) != 0) {
        error = failed(("rename to " + link).c_str());
        unlink(fresh.c_str());
        return false;
    }
    return true;
}

void remove_link(const std::string& link, const std::string& target) {
    char buffer[4096];
    const ssize_t n = readlink(link.c_str(), buffer, sizeof buffer);
    if (n > 0 && std::string(buffer, static_cast<std::size_t>(n)) == target) unlink(link.c_str());
}

}  // namespace sim
