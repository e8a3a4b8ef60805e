#pragma once
// Ctrl+C for trelvik-cli, one implementation per platform. While `interrupt.wanted` is
// clear, or once a stop has been caught, Ctrl+C ends the program at once as it always
// does; while it is set, the first Ctrl+C only sets `interrupt.caught` and the command
// stops at its next check (after the frame in flight, never inside it).
// On Windows the console's window closing, a log-off and a shut-down count as Ctrl+C;
// the program then ends when the command has stopped, within the seconds Windows allows.
// On POSIX systems a hung-up terminal (SIGHUP) and SIGTERM do.

#include "cli.h"

namespace cli {

// `before_sudden_exit`, when given, runs before the handler ends the program at once
// (what an exit would undo, such as the console's code page); POSIX ends by the signal
// itself and has nothing to undo.
void install_interrupt_handler(Io::Interrupt& interrupt, void (*before_sudden_exit)() = nullptr);

}  // namespace cli
