// Ctrl+C on Windows: the console calls its control handlers on a thread of its own.

#include <windows.h>

#include "interrupt.h"

namespace cli {
namespace {

Io::Interrupt* installed = nullptr;

BOOL WINAPI on_control(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;  // closing, logging off: the default
    Io::Interrupt& interrupt = *installed;
    // Ended at once, with the status a POSIX shell reports for Ctrl+C. The system's own
    // handler would end it too, but under Wine with status 0, which reads as success.
    if (!interrupt.wanted || interrupt.caught) ExitProcess(130);
    interrupt.caught = 1;
    return TRUE;
}

}  // namespace

void install_interrupt_handler(Io::Interrupt& interrupt) {
    installed = &interrupt;
    SetConsoleCtrlHandler(on_control, TRUE);
}

}  // namespace cli
