#pragma once
// Ctrl+C in trelvik-cli: a poll that asks for it (`wanted`) ends after the answer it waits
// for; anything else, and a second Ctrl+C, ends the program at once as Ctrl+C always does.

#include "cli.h"

namespace cli {

void install_interrupt_handler(Io::Interrupt& interrupt);

}  // namespace cli
