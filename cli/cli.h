#pragma once
// trelvik-cli: the console's device work from a shell. One command a run; see usage().

#include <QString>
#include <QStringList>
#include <csignal>
#include <iosfwd>

namespace cli {

struct Io {
    std::ostream& out;
    std::ostream& err;
    bool progress = false;  // standard error is a terminal: long work shows how far it has come
    // Ctrl+C: a poll asks for it (`wanted`) and ends after the answer it waits for once the
    // signal handler has set `caught`; any other command is ended by it at once.
    struct Interrupt {
        volatile std::sig_atomic_t wanted = 0;
        volatile std::sig_atomic_t caught = 0;
    };
    Interrupt* interrupt = nullptr;
    std::istream* in = nullptr;  // what the operator types, for the commands that read it
};

// Runs one command line (the arguments after the program's name) with `default_port`
// (the environment's TRELVIK_PORT) when no --port is given, and returns the exit status.
int run(const QStringList& arguments, const QString& default_port, Io& io);

}  // namespace cli
