#include "cli.h"

#include <QCommandLineParser>
#include <ostream>
#include <vector>

#include "arguments.h"
#include "commands.h"
#include "misses.h"
#include "option_names.h"
#include "protocol/requests.h"
#include "taring_commands.h"
#include "trace.h"

namespace cli {

namespace {

QCommandLineOption flag(const QString& name, const QString& description) { return {QStringList{name}, description}; }

QCommandLineOption valued(const QStringList& names, const QString& description, const QString& value) {
    return {names, description, value};
}

const QCommandLineOption port_option = valued({option::port}, "The serial port: \"COM3:\" or a device path such as /dev/ttyUSB0. Default: the environment variable TRELVIK_PORT.", "PORT");
const QCommandLineOption retries_option = valued({option::retries}, "How often a missing or bad answer is asked again (0 to 100, default 2).", "N");
const QCommandLineOption help_option(QStringList{"h", "help"}, "This text.");
const QCommandLineOption password_option = valued({option::password}, "Present the display unit's password N first.", "N");

struct Command {
    QStringList words;   // "table", "read"
    QString synopsis;    // what follows the words
    QString brief;       // the command's line in the list of commands
    QString summary;
    std::vector<QCommandLineOption> options;
    CommandFunction run;
};

const std::vector<Command>& commands() {
    static const std::vector<Command> all{
        {{"ports"}, "",
         "the system's serial ports, one a line: name and description", "The system's serial ports, one a line: the name to give --port, a tab, the description.", {}, ports},
        {{"search"}, "",
         "the addresses that answer the search, one a line", "Searches the line; prints the addresses that answer, one a line.", {}, search},
        {{"identity"}, "ADDRESS",
         "serial number and software version of a sensor", "The serial number and software version of the sensor at ADDRESS (0 to 200).", {}, identity},
        {{"poll"}, "ADDRESS [--count N] [--interval MS] [--max-misses N]",
         "full polls as CSV: time,address,temperature,level,current,lower,upper,k,mode",
         "Full polls of the sensor at ADDRESS as CSV: a header line, then one line per answer:\n"
         "time,address,temperature,level,current,lower,upper,k,mode. Runs until Ctrl+C unless --count is given.\n"
         "A poll without a good answer (after the retries) writes no line; its time goes to standard error.",
         {valued({option::count}, "Stop after N answers.", "N"),
          valued({option::interval}, "Milliseconds from one poll to the next (default 500).", "MS"),
          max_misses_option()},
         poll},
        {{"table", "read"}, "SLOT [-o FILE [--force]]",
         "one slot (1 to 10) to FILE (.csv or .json), or CSV on standard output",
         "Reads the table of SLOT (1 to 10, \"Sensor 1\" to \"Sensor 10\") into FILE (.csv or .json), or as CSV to standard output.",
         {valued({"o", option::output}, "Write the table to FILE.", "FILE"), force_option()}, table_read},
        {{"table", "write"}, "SLOT FILE [--password N]",
         "one slot from FILE, then read back and compared",
         "Writes the table in FILE (.csv or .json) to SLOT, reads it back and compares it.", {password_option}, table_write},
        {{"table", "from-session"}, "SESSION [-o FILE [--force]]",
         "the table a taring session makes, to FILE or as CSV",
         "Makes a slot's table from a taring session file (see tare) and tells its largest deviation.", from_session_options(),
         table_from_session},
        {{"tare"}, "ADDRESS --session FILE [--start-litres L] [--settle S] [--tolerance T] [--slot N] [--password P] [-o TABLE [--force]]",
         "tare a tank from pours: points as CSV, then the table",
         "Tares the tank of the sensor at ADDRESS. Standard input takes the litres poured after each pour (\".\" or \",\"\n"
         "for decimals), undo and done; each point is taken once the level has settled, saved to the session\n"
         "file and printed as CSV: point,litres,level,spread. done (or the end of input) makes the table.",
         tare_options(), tare},
        {{"backup"}, "-o FILE [--force] [--password N]",
         "all ten slots and the display mode, to one JSON file",
         "Saves the display mode and the tables of all ten slots to one JSON file, with the time (UTC) and the\n"
         "program's version. An existing FILE is kept unless --force is given.",
         {valued({"o", option::output}, "The backup file to write.", "FILE"), force_option(), password_option}, backup},
        {{"restore"}, "FILE [--slot N ...] [--password N]",
         "the slots of a backup written, each read back and compared",
         "Writes the slots of a backup (all, or those named) and reads each back to compare it; stops at the first\n"
         "failure. The display mode is set too when all ten slots are restored.",
         {valued({option::slot}, "Restore only slot N (1 to 10); may be repeated.", "N"), password_option}, restore},
        {{"password", "enter"}, "N",
         "present the display unit's password", "Presents the password N to the display unit.", {}, password_enter},
        {{"password", "set"}, "NEW --current OLD",
         "change the display unit's password", "Presents the password OLD, then sets the password NEW.",
         {valued({option::current}, "The password now in force.", "OLD")}, password_set},
        {{"display-mode"}, "--passive|--active [--virs]",
         "set the display unit's mode", "Sets the display unit's mode.",
         {flag(option::passive, "Passive mode."), flag(option::active, "Active mode."),
          flag(option::virs, "The VIRS mode on (off without it).")},
         display_mode},
        {{"sensor"}, "ADDRESS set-low | set-high | set-net NEW | set-serial SN | set-mode --output rs485|analog|frequency [--invert] [--smooth]",
         "sensor commands",
         "Commands to the sensor at ADDRESS (0 to 200):\n"
         "  set-low                take the lower level\n"
         "  set-high               take the upper level\n"
         "  set-net NEW            give it the network number NEW (0 to 200); when its answer is lost,\n"
         "                         the sensor is asked at NEW before the command goes out again\n"
         "  set-serial SN          give it the serial number SN (0 to 2000000)\n"
         "  set-mode --output rs485|analog|frequency [--invert] [--smooth]\n"
         "                         set its output mode",
         {valued({option::sensor_output}, "set-mode: the output, rs485, analog or frequency.", "OUTPUT"),
          flag(option::invert, "set-mode: invert the indicator."),
          flag(option::smooth, "set-mode: smooth the reading.")},
         sensor},
    };
    return all;
}

const QString usage_start = QStringLiteral("usage: trelvik-cli [--port PORT] [--retries N] ");

// The list of commands whose first word is `group`, or of all commands.
QString command_list(const QString& group = {}) {
    QString text;
    for (const Command& c : commands()) {
        if (!group.isEmpty() && c.words.first() != group) continue;
        const QString call = c.words.join(' ') + (c.synopsis.isEmpty() ? "" : " " + c.synopsis);
        // A call too long for its column puts its description on the next line.
        text += "  " + call + (call.size() < 40 ? QString(40 - call.size(), ' ') : "\n" + QString(42, ' ')) + c.brief + "\n";
    }
    return text;
}

QString usage() {
    QString text = usage_start +
                   "COMMAND ...\n\n"
                   "The display unit and the fuel-level sensors of one RS-485 line, from a shell. Each request is\n"
                   "answered before the next goes out; every answer is checked (start byte, reply code, CRC-8) and\n"
                   "asked again when it is missing or bad.\n\nCommands:\n" +
                   command_list();
    text +=
        "\nOptions:\n"
        "  --port PORT   the serial port: \"COM3:\" or a device path such as /dev/ttyUSB0\n"
        "                (default: the environment variable TRELVIK_PORT)\n"
        "  --retries N   how often a missing or bad answer is asked again (default 2)\n" +
        trace_usage() +
        "  -h, --help    this text; COMMAND --help tells about one command\n"
        "  --version     the program's version\n\n"
        "Exit status: 0 done; 1 the line or a device failed (no answer, a refusal, a wrong password);\n"
        "2 bad use or a bad file (nothing was sent); 3 a read-back differed from what was written;\n"
        "130 Ctrl+C stopped a change after the frame in flight (what was done is named), or a tare\n"
        "(its points are saved).\n";
    return text;
}

QString command_help(const Command& c, const QCommandLineParser& parser) {
    const QString full = parser.helpText();
    const auto options = full.indexOf(QLatin1String("Options:"));
    return usage_start + c.words.join(' ') +
           (c.synopsis.isEmpty() ? "" : " " + c.synopsis) + "\n\n" +
           c.summary + "\n\n" + (options >= 0 ? full.mid(options) : QString());
}

const Command* find_command(const QStringList& positional) {
    for (const Command& c : commands())
        if (positional.mid(0, c.words.size()) == c.words) return &c;
    return nullptr;
}

// The second words of the commands that `group` starts ("read", "write" for "table").
QStringList group_commands(const QString& group) {
    QStringList words;
    for (const Command& c : commands())
        if (c.words.size() > 1 && c.words.first() == group) words << c.words[1];
    return words;
}

Failed bad_use(const QString& message) {
    return {Status::bad_use, message.toStdString() + "\n(trelvik-cli --help lists the commands)"};
}

}  // namespace

int run(const QStringList& arguments, const QString& default_port, Io& io) {
    // The global options stand before the command; what follows is the command's.
    QCommandLineParser global;
    global.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption version_option = flag("version", "The program's version.");
    global.addOptions({port_option, retries_option, help_option, version_option, trace_option()});
    QStringList program{QStringLiteral("trelvik-cli")};
    auto fail = [&](const Failed& f) {
        io.err << "trelvik-cli: " << f.message << "\n";
        return static_cast<int>(f.status);
    };
    if (!global.parse(program + arguments)) return fail(bad_use(global.errorText()));
    if (global.isSet(version_option)) {
        io.out << "trelvik-cli " << TRELVIK_VERSION << "\n";
        return 0;
    }
    const QStringList positional = global.positionalArguments();
    if (global.isSet(help_option) || positional.isEmpty()) {
        (global.isSet(help_option) ? io.out : io.err) << usage().toStdString();
        return static_cast<int>(global.isSet(help_option) ? Status::done : Status::bad_use);
    }
    const Command* command = find_command(positional);
    if (!command) {
        // A group's word alone ("table", "password"): its commands, or which ones there are.
        const QStringList group = group_commands(positional.first());
        if (group.isEmpty()) return fail(bad_use("unknown command: " + positional.mid(0, 2).join(' ')));
        const QStringList rest = positional.mid(1);
        if (rest.contains(QStringLiteral("--help")) || rest.contains(QStringLiteral("-h"))) {
            io.out << (usage_start + positional.first() + " " + group.join('|') + " ...\n\nCommands:\n" +
                       command_list(positional.first()) + "\nCOMMAND --help tells about one.\n")
                          .toStdString();
            return 0;
        }
        return fail(bad_use(positional.first() + " takes one of: " + group.join(", ") +
                            (rest.isEmpty() ? QString() : ", not \"" + rest.first() + "\"")));
    }

    QCommandLineParser parser;
    parser.addOptions({port_option, retries_option, help_option});
    // Only a command that uses the line has traffic to trace.
    const bool uses_line = command->run != ports && command->run != table_from_session;
    if (uses_line) parser.addOption(trace_option());
    else if (global.isSet(trace_option())) return fail(bad_use(no_line_to_trace(command->words.join(' '))));
    for (const QCommandLineOption& option : command->options) parser.addOption(option);
    if (!parser.parse(program + positional.mid(command->words.size())))
        return fail({Status::bad_use, parser.errorText().toStdString() + "\n(trelvik-cli " +
                                          command->words.join(' ').toStdString() + " --help tells more)"});
    if (parser.isSet(help_option)) {
        io.out << command_help(*command, parser).toStdString();
        return 0;
    }

    // The command's own --port and --retries, if given, win over the global ones.
    auto value = [&](const QCommandLineOption& option) {
        return parser.isSet(option) ? parser.value(option) : global.value(option);
    };
    int retries = 2;
    if (parser.isSet(retries_option) || global.isSet(retries_option)) {
        const auto n = protocol::typed_number(value(retries_option).toStdString(), "", {0, 100});
        if (!n) return fail(bad_use("--retries takes a number 0 to 100, not \"" + value(retries_option) + "\""));
        retries = *n;
    }
    std::unique_ptr<TraceFile> trace;
    if (uses_line && (parser.isSet(trace_option()) || global.isSet(trace_option()))) {
        auto opened = TraceFile::open(value(trace_option()), io.err);
        if (auto* failed = std::get_if<Failed>(&opened)) return fail(*failed);
        trace = std::move(std::get<std::unique_ptr<TraceFile>>(opened));
    }
    const bool port_given = parser.isSet(port_option) || global.isSet(port_option);
    Session session(io, port_given ? value(port_option) : default_port, retries, trace ? &trace->trace() : nullptr);
    auto outcome = command->run(session, {parser, parser.positionalArguments()});
    if (auto* failed = std::get_if<Failed>(&outcome)) {
        if (failed->status == Status::bad_use)
            failed->message += "\n(trelvik-cli " + command->words.join(' ').toStdString() + " --help tells more)";
        return fail(*failed);
    }
    return 0;
}

}  // namespace cli
