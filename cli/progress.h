#pragma once
// "slot 3 of 10" on a terminal, overwritten in place and wiped at the end.

#include <algorithm>
#include <ostream>
#include <string>

#include "cli.h"

namespace cli {

class Progress {
public:
    Progress(Io& io, std::size_t total) : io_(io), total_(total) {}
    ~Progress() {
        if (io_.progress) io_.err << "\r" << std::string(width_, ' ') << "\r" << std::flush;
    }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;
    void show(std::size_t done) {
        if (!io_.progress) return;
        const std::string text = "slot " + std::to_string(done) + " of " + std::to_string(total_);
        width_ = std::max(width_, text.size());
        io_.err << "\r" << text << std::flush;
    }

private:
    Io& io_;
    std::size_t total_;
    std::size_t width_ = 0;
};

}  // namespace cli
