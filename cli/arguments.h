#pragma once
// What a command's arguments and options must be, checked before the port is opened: a
// bad one is a bad use (exit 2) and nothing is sent.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "commands.h"
#include "protocol/bytes.h"
#include "protocol/requests.h"

namespace cli {

Failed bad(const QString& message);

// A whole number in `range`, without a fraction: what an argument such as an address or a
// slot must be.
Outcome<std::int32_t> number(const QString& name, const QString& text, protocol::Range range);

// The positional arguments a command takes, by name; too few or too many is a bad use.
Outcome<Nothing> arguments(const Invocation& call, const QStringList& names);

// "1" to "10" as the slot 0 to 9.
Outcome<std::size_t> slot_argument(const QString& text);
Outcome<protocol::Byte> address_argument(const QString& text);
// The option `option` as a password, when it is given.
Outcome<std::optional<std::uint32_t>> password_argument(const Invocation& call, const QString& option);

// A file to be written after the line work: refused before anything is sent when it
// cannot be, so the work is not done for nothing.
Outcome<Nothing> writable(const QString& path);

// --force, for the commands that write a file of their own (-o FILE).
QCommandLineOption force_option();
// The file such a command is to write: as writable(), and refused when it exists unless
// --force is given, so that yesterday's backup is not lost to today's by a slip.
Outcome<Nothing> output_file(const Invocation& call, const QString& path);
// The -o FILE of such a command, checked as output_file(); nullopt without -o. An empty
// name is refused, not taken for no -o: a script's empty variable must not send a table
// to standard output with success. Nor may it name the command's `input` (a taring
// session, the only record of its pours), --force or not. "-o -" is standard output for a
// command that writes there without -o (`dash_is_standard_output`), else refused.
Outcome<std::optional<QString>> output_argument(const Invocation& call, const QString& input = {},
                                                bool dash_is_standard_output = false);

// A session file that is none: for a table or a backup, which command takes it; else
// `refused` as the reader worded it.
Failed not_a_session(const QString& path, const QString& refused);

// What a file holds by its content, whatever its name: a JSON file by the format it
// declares, a CSV file by the labels of a table. For a refusal that names the command
// the file is for.
enum class Holds { other, table, backup, session };
Holds holds(const QString& path);
// A path as it is typed again in a shell.
QString typed(const QString& path);

// A file name given to `option` that reads as an option ("-o --force": the value was left
// out), refused rather than made into a file of that name; nullopt for a plain name.
std::optional<Failed> option_as_file(const QString& option, const QString& path);

// Whether two names lead to one file (or, for a file not there yet, one path).
bool same_file(const QString& a, const QString& b);

}  // namespace cli
