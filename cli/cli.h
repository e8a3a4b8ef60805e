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
    // Ctrl+C: a poll, and a command that changes a device, ask for it (`wanted`) and stop
    // after the frame in flight once the handler has set `caught`; a second Ctrl+C, or one
    // during any other command, ends the program at once.
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
