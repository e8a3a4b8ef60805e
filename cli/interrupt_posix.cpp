#include <signal.h>

#include <csignal>

#include "interrupt.h"

namespace cli {

namespace {

Io::Interrupt* installed = nullptr;

void on_interrupt(int signal) {
    if (installed->wanted) {
        if (!installed->caught) {
            // A closed terminal (a dropped ssh session, say) and a shut-down stop a change as
            // Ctrl+C does: a frame cut in half would leave a slot half written.
            installed->caught = signal == SIGINT    ? Io::Interrupt::ctrl_c
                                : signal == SIGHUP ? Io::Interrupt::console_closing
                                                   : Io::Interrupt::terminated;
            return;
        }
        // Only a person presses Ctrl+C twice. A hang-up comes twice on its own (from the
        // shell and from the kernel), and a shut-down may repeat its SIGTERM.
        if (signal != SIGINT) return;
    }
    std::signal(signal, SIG_DFL);  // nothing to finish, or Ctrl+C twice: end as the signal always does
    std::raise(signal);
}

}  // namespace

void install_interrupt_handler(Io::Interrupt& interrupt, void (*)()) {
    installed = &interrupt;
    for (const int signal : {SIGINT, SIGHUP, SIGTERM}) {
        // A signal ignored by whoever started the tool (nohup, a shell's background job) stays ignored.
        struct sigaction before {};
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
        std::signal(signal, on_interrupt);
    }
}

}  // namespace cli
