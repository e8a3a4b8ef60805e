#pragma once
// Ctrl+C for trelvik-cli, one implementation per platform. While `interrupt.wanted` is
// clear, or once a Ctrl+C has been caught, Ctrl+C ends the program at once as it always
// does; while it is set, the first Ctrl+C only sets `interrupt.caught` and the command
// stops at its next check (after the frame in flight, never inside it).

#include "cli.h"

namespace cli {

void install_interrupt_handler(Io::Interrupt& interrupt);

}  // namespace cli
