// trelvik-cli: the display unit and its sensors from a shell. See `trelvik-cli --help`.

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "cli.h"
#include "interrupt.h"

namespace {

bool stderr_is_terminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

#ifdef _WIN32
// The console shows what the program writes as UTF-8 (file names, the devices' Russian
// texts) for as long as it runs; the shell's own code page comes back at exit.
void console_speaks_utf8() {
    static const UINT shell_code_page = GetConsoleOutputCP();
    if (shell_code_page == 0 || shell_code_page == CP_UTF8) return;  // no console, or already
    SetConsoleOutputCP(CP_UTF8);
    std::atexit([] { SetConsoleOutputCP(shell_code_page); });
}
#endif

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
#ifdef _WIN32
    // Files go out byte for byte: a CSV's CRLF must not become CR CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    console_speaks_utf8();
#endif
    // Ctrl+C ends a poll after the answer it waits for, with every line written whole, and
    // a command that changes a device after the frame in flight.
    static cli::Io::Interrupt interrupt;
    cli::install_interrupt_handler(interrupt);
    cli::Io io{std::cout, std::cerr, stderr_is_terminal(), &interrupt, &std::cin};
    const int status = cli::run(QCoreApplication::arguments().mid(1), qEnvironmentVariable("TRELVIK_PORT"), io);
    std::cout.flush();
    return status;
}
