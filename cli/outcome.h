#pragma once
// How a command ends, as its exit status tells a script, and why it failed.

#include <string>
#include <variant>

namespace cli {

enum class Status {
    done = 0,
    failed = 1,    // the line or a device failed: no answer, a refusal, a wrong password
    bad_use = 2,   // bad arguments or a bad file; nothing was sent
    differed = 3,  // a read-back differed from what was written
};

struct Failed {
    Status status = Status::failed;
    std::string message;
};

template <typename T>
using Outcome = std::variant<T, Failed>;

struct Nothing {};

}  // namespace cli
