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
#include "language/language.h"
#include "standard_input.h"

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
// texts) for as long as it runs; the shell's own code page comes back on every way out:
// at exit, and before the console handler ends the program at once.
UINT shell_code_page = 0;

void restore_code_page() {
    if (shell_code_page != 0) SetConsoleOutputCP(shell_code_page);
}

void console_speaks_utf8() {
    const UINT code_page = GetConsoleOutputCP();
    if (code_page == 0 || code_page == CP_UTF8) return;  // no console, or already
    shell_code_page = code_page;
    SetConsoleOutputCP(CP_UTF8);
    std::atexit(restore_code_page);
}
#endif

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    // Before anything is worded: --lang, then TRELVIK_LANG, then the system's language.
    const language::Choice chosen = language::install(app, language::Program::cli);
    // Ctrl+C ends a poll after the answer it waits for, with every line written whole, and
    // a command that changes a device after the frame in flight.
    static cli::Io::Interrupt interrupt;
#ifdef _WIN32
    // Files go out byte for byte: a CSV's CRLF must not become CR CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    console_speaks_utf8();
    cli::install_interrupt_handler(interrupt, restore_code_page);
#else
    cli::install_interrupt_handler(interrupt);
#endif
    // Said once the console takes UTF-8, and the choice has gone on to TRELVIK_LANG and the system.
    if (!chosen.refused.isEmpty())
        std::cerr << "trelvik-cli: "
                  << QCoreApplication::translate("CliMain", "язык \"%1\" неизвестен; ожидается ru или en")
                         .arg(chosen.refused)
                         .toStdString()
                  << "\n";
    const cli::StandardInput input = cli::standard_input();
    cli::Io io{std::cout, std::cerr, stderr_is_terminal(), &interrupt, &input.stream, input.terminal};
    const int status = cli::run(QCoreApplication::arguments().mid(1), qEnvironmentVariable("TRELVIK_PORT"), io);
    std::cout.flush();
    return status;
}
