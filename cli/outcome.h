#pragma once
// How a command ends, as its exit status tells a script, and why it failed.

#include <string>
#include <utility>
#include <variant>

namespace cli {

enum class Status {
    done = 0,
    failed = 1,    // the line or a device failed: no answer, a refusal, a wrong password
    bad_use = 2,   // bad arguments or a bad file; nothing was sent
    differed = 3,  // a read-back differed from what was written
    interrupted = 130,  // Ctrl+C stopped a change between two frames (128 + SIGINT, as shells report it)
};

struct Failed {
    Status status = Status::failed;
    std::string message;
};

template <typename T>
using Outcome = std::variant<T, Failed>;

struct Nothing {};

}  // namespace cli

// A command reads as its steps: each step's failure ends the calling function with that
// failure, whatever the function's own Outcome type.
//   TRY(check(x));                    a step that yields nothing worth keeping
//   TRY_LET(slot, slot_argument(t));  `slot` names the step's value from here on
#define TRY(expression)                                                                              \
    do {                                                                                             \
        if (auto try_outcome_ = (expression); std::holds_alternative<::cli::Failed>(try_outcome_)) \
            return std::get<::cli::Failed>(std::move(try_outcome_));                                 \
    } while (false)

#define TRY_LET(name, expression)                                                     \
    auto name##_outcome_ = (expression);                                              \
    if (std::holds_alternative<::cli::Failed>(name##_outcome_))                       \
        return std::get<::cli::Failed>(std::move(name##_outcome_));                   \
    auto& name = std::get<0>(name##_outcome_)  // NOLINT(bugprone-macro-parentheses): `name` is declared
