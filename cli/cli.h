#pragma once
// trelvik-cli: the console's device work from a shell. One command a run; see usage().

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <csignal>
#include <iosfwd>
#include <string>

namespace cli {

struct Io {
    std::ostream& out;
    std::ostream& err;
    bool progress = false;  // standard error is a terminal: long work shows how far it has come
    // Ctrl+C: a poll, and a command that changes a device, ask for it (`wanted`) and stop
    // after the frame in flight once the handler has set `caught`; a second Ctrl+C, or one
    // during any other command, ends the program at once. On Windows the console's window
    // closing, a log-off and a shut-down stop it the same way.
    struct Interrupt {
        static constexpr std::sig_atomic_t ctrl_c = 1;
        static constexpr std::sig_atomic_t console_closing = 2;  // a console closed, a terminal hung up
        static constexpr std::sig_atomic_t terminated = 3;       // SIGTERM: told to end, as at a shut-down
        volatile std::sig_atomic_t wanted = 0;
        volatile std::sig_atomic_t caught = 0;  // 0, or what stopped the command
    };
    Interrupt* interrupt = nullptr;
    std::istream* in = nullptr;  // what the operator types, for the commands that read it
    // `in` is a terminal (a console): there Ctrl+C can end a pending read before the
    // handler has said so, and an end of input may be a stop on its way.
    bool in_is_terminal = false;
};

// The first words of the message of a command that was stopped.
inline std::string stopped_by(const Io::Interrupt& interrupt) {
    switch (interrupt.caught) {
    case Io::Interrupt::console_closing:
        return QCoreApplication::translate("CliStop", "остановлено: консоль закрывается (закрыто окно или терминал, выход из системы или выключение)").toStdString();
    case Io::Interrupt::terminated:
        return QCoreApplication::translate("CliStop", "остановлено: программе велено завершиться (SIGTERM)").toStdString();
    default:
        return QCoreApplication::translate("CliStop", "остановлено по Ctrl+C").toStdString();
    }
}

// Runs one command line (the arguments after the program's name) with `default_port`
// (the environment's TRELVIK_PORT) when no --port is given, and returns the exit status.
int run(const QStringList& arguments, const QString& default_port, Io& io);

}  // namespace cli
