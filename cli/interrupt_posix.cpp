#include <csignal>

#include "interrupt.h"

namespace cli {

namespace {

Io::Interrupt* installed = nullptr;

void on_interrupt(int signal) {
    if (installed->wanted && !installed->caught) {
        // A closed terminal (a dropped ssh session, say) and a shut-down stop a change as
        // Ctrl+C does: a frame cut in half would leave a slot half written.
        installed->caught = signal == SIGINT    ? Io::Interrupt::ctrl_c
                            : signal == SIGHUP ? Io::Interrupt::console_closing
                                               : Io::Interrupt::terminated;
        return;
    }
    std::signal(signal, SIG_DFL);  // nothing to finish, or asked twice: end as the signal always does (130 for Ctrl+C)
    std::raise(signal);
}

}  // namespace

void install_interrupt_handler(Io::Interrupt& interrupt, void (*)()) {
    installed = &interrupt;
    for (const int signal : {SIGINT, SIGHUP, SIGTERM}) std::signal(signal, on_interrupt);
}

}  // namespace cli
