#include <csignal>

#include "interrupt.h"

namespace cli {

namespace {

Io::Interrupt* installed = nullptr;

void on_interrupt(int signal) {
    if (installed->wanted && !installed->caught) {
        installed->caught = Io::Interrupt::ctrl_c;
        return;
    }
    std::signal(signal, SIG_DFL);  // nothing to finish, or asked twice: end as Ctrl+C always does (exit 130)
    std::raise(signal);
}

}  // namespace

void install_interrupt_handler(Io::Interrupt& interrupt, void (*)()) {
    installed = &interrupt;
    std::signal(SIGINT, on_interrupt);
}

}  // namespace cli
