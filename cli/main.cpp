// trelvik-cli: the display unit and its sensors from a shell. See `trelvik-cli --help`.

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "cli.h"
#ifdef _WIN32
#include "interrupt.h"
#endif

namespace {

cli::Io::Interrupt interrupt;

#ifdef _WIN32
// The console shows what the program writes as UTF-8 (file names, the devices' Russian
// texts) for as long as it runs; the shell's own code page comes back at exit.
void console_speaks_utf8() {
    static const UINT shell_code_page = GetConsoleOutputCP();
    if (shell_code_page == 0 || shell_code_page == CP_UTF8) return;  // no console, or already
    SetConsoleOutputCP(CP_UTF8);
    std::atexit([] { SetConsoleOutputCP(shell_code_page); });
}
#else
void on_interrupt(int signal) {
    if (interrupt.wanted) {
        interrupt.caught = 1;
        return;
    }
    std::signal(signal, SIG_DFL);  // nothing to finish: end as Ctrl+C always does
    std::raise(signal);
}
#endif

bool stderr_is_terminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
#ifdef _WIN32
    // Files go out byte for byte: a CSV's CRLF must not become CR CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    console_speaks_utf8();
    cli::install_interrupt_handler(interrupt);
#else
    // Ctrl+C ends a poll after the answer it waits for, with every line written whole.
    std::signal(SIGINT, on_interrupt);
#endif
    cli::Io io{std::cout, std::cerr, stderr_is_terminal(), &interrupt};
    const int status = cli::run(QCoreApplication::arguments().mid(1), qEnvironmentVariable("TRELVIK_PORT"), io);
    std::cout.flush();
    return status;
}
