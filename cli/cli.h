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
    // Set, by a signal handler, to end a poll after the answer it is waiting for.
    const volatile std::sig_atomic_t* interrupted = nullptr;
};

// Runs one command line (the arguments after the program's name) with `default_port`
// (the environment's TRELVIK_PORT) when no --port is given, and returns the exit status.
int run(const QStringList& arguments, const QString& default_port, Io& io);

}  // namespace cli
