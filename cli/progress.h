#pragma once
// "slot 3 of 10" on a terminal, overwritten in place and wiped at the end.

#include <QCoreApplication>
#include <algorithm>
#include <ostream>
#include <string>

#include "cli.h"
#include "wording.h"

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
        const QString text = qworded(QCoreApplication::translate("CliProgress", "ячейка %1 из %2"),
                                     {whole(static_cast<long long>(done)), whole(static_cast<long long>(total_))});
        // The width in characters: a Russian letter is two bytes but one column.
        width_ = std::max(width_, static_cast<std::size_t>(text.size()));
        io_.err << "\r" << text.toStdString() << std::string(width_ - static_cast<std::size_t>(text.size()), ' ') << std::flush;
    }

private:
    Io& io_;
    std::size_t total_;
    std::size_t width_ = 0;
};

}  // namespace cli
