#pragma once
// What the operator types, for the commands that read it (tare), as the program's
// standard input. On Windows it is read through the system's handle, not the C runtime:
// a read that waits for a line holds the runtime's lock on stdin, and the runtime's exit
// waits for that lock, so a program that ends while its reader waits would hang.

#include <iosfwd>

namespace cli {

struct StandardInput {
    std::istream& stream;
    bool terminal;  // a terminal or console, where a person types
};

StandardInput standard_input();

}  // namespace cli
