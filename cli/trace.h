#pragma once
// --trace FILE: the run's traffic on the line, for support. The file is checked with the
// other arguments but replaced only when the command opens the port (a command refused
// before that leaves it as it was), and each line reaches the system as it is written, so
// that a run that crashes leaves its trace whole up to that moment. "-" is standard error.

#include <QCommandLineOption>
#include <QFile>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <ostream>

#include "exchange/trace_writer.h"
#include "outcome.h"

namespace cli {

QCommandLineOption trace_option();
// The option's lines in the program's usage.
QString trace_usage();
// Why --trace is refused to `command`, which sends nothing on the line.
QString no_line_to_trace(const QString& command);

class TraceFile {
public:
    // `path`, or `standard_error` for "-"; a file that cannot be written is a bad use.
    static Outcome<std::unique_ptr<TraceFile>> open(const QString& path, std::ostream& standard_error);
    // Replaces the file, before the port is opened: a file that cannot be made is a bad
    // use, and nothing is sent.
    std::optional<Failed> begin();

    exchange::TraceWriter& trace() { return writer_; }
    // Why the file stopped taking lines (a full disk, say); nullopt while it takes them all.
    // It is said on standard error at once too: a poll may run on for hours.
    const std::optional<std::string>& lost() const { return lost_; }

private:
    TraceFile(std::ostream& standard_error, bool to_standard_error);
    void write(std::string_view line);
    void lose();  // the file takes no more lines: said at once, and kept for the end

    QFile file_;
    std::ostream& standard_error_;
    bool to_standard_error_;  // else the trace goes to file_
    std::optional<std::string> lost_;
    exchange::TraceWriter writer_;
};

}  // namespace cli
