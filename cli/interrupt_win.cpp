// Ctrl+C on Windows: the console calls its control handlers on a thread of its own.

#include <windows.h>

#include "interrupt.h"

namespace cli {
namespace {

Io::Interrupt* installed = nullptr;

BOOL WINAPI on_control(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;  // closing, logging off: the default
    Io::Interrupt& interrupt = *installed;
    // FALSE hands the event on to the system's handler, which ends the process with the
    // usual control-C status.
    if (!interrupt.wanted || interrupt.caught) return FALSE;
    interrupt.caught = 1;
    return TRUE;
}

}  // namespace

void install_interrupt_handler(Io::Interrupt& interrupt) {
    installed = &interrupt;
    SetConsoleCtrlHandler(on_control, TRUE);
}

}  // namespace cli
