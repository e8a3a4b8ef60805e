#include <unistd.h>

#include <iostream>

#include "standard_input.h"

namespace cli {

StandardInput standard_input() { return {std::cin, isatty(STDIN_FILENO) != 0}; }

}  // namespace cli
