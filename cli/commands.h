#pragma once
// The commands of trelvik-cli, each run with its parsed options. A command checks all of
// its arguments and reads its files before it opens the port, so a bad use sends nothing.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "cli.h"
#include "device_ops.h"
#include "outcome.h"

namespace cli {

// The port, opened on first use, and the device commands over it.
class TraceFile;

class Session {
public:
    // `trace`, when given, is begun as the port is opened and told of all traffic on the line.
    Session(Io& io, QString port, int retries, TraceFile* trace = nullptr);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Io& io;
    // The device commands, or why the port cannot be used.
    Outcome<DeviceOps*> devices();
    // The same, with the password presented first when one is given.
    Outcome<DeviceOps*> devices(std::optional<std::uint32_t> password);

    // A command that changes a device calls this before its first frame: from then on
    // Ctrl+C lets the frame in flight finish (a table is read back too) and the command
    // stops at its next look at interrupted().
    void guard_writes();
    // How many times a request is asked again before it counts as unanswered.
    int retries() const { return retries_; }
    // After a Ctrl+C: the failure that ends the command, with exit status 130, telling
    // what was done and what not (`summary`).
    std::optional<Failed> interrupted(const std::string& summary) const;

private:
    struct Line;
    QString port_;
    int retries_;
    TraceFile* trace_;
    std::unique_ptr<Line> line_;
};

// Standard output that can no longer be written (a full disk, a closed file): a failure,
// status 1, so that a script learns that what it kept is not whole. nullopt while it is.
std::optional<Failed> output_lost(std::ostream& out);

struct Invocation {
    const QCommandLineParser& options;
    QStringList args;  // the positional arguments after the command's own words
};

using CommandFunction = Outcome<Nothing> (*)(Session&, const Invocation&);

Outcome<Nothing> ports(Session&, const Invocation&);
Outcome<Nothing> search(Session&, const Invocation&);
Outcome<Nothing> identity(Session&, const Invocation&);
Outcome<Nothing> poll(Session&, const Invocation&);
Outcome<Nothing> table_read(Session&, const Invocation&);
Outcome<Nothing> table_write(Session&, const Invocation&);
Outcome<Nothing> backup(Session&, const Invocation&);
Outcome<Nothing> restore(Session&, const Invocation&);
Outcome<Nothing> password_enter(Session&, const Invocation&);
Outcome<Nothing> password_set(Session&, const Invocation&);
Outcome<Nothing> display_mode(Session&, const Invocation&);
Outcome<Nothing> sensor(Session&, const Invocation&);

}  // namespace cli
