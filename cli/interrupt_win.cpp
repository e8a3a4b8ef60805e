#include <windows.h>

#include "interrupt.h"

namespace cli {

namespace {

Io::Interrupt* installed = nullptr;

BOOL WINAPI on_console_event(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    if (installed->wanted && !installed->caught) {
        installed->caught = 1;
        return TRUE;
    }
    // Nothing to finish, or asked twice: ended at once, with the status of an interrupted
    // command. The system's own handler would end it too, but under Wine with status 0,
    // which reads as success.
    ExitProcess(130);
}

}  // namespace

void install_interrupt_handler(Io::Interrupt& interrupt) {
    installed = &interrupt;
    SetConsoleCtrlHandler(on_console_event, TRUE);
}

}  // namespace cli
