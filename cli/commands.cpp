#include "commands.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>
#include <chrono>
#include <ostream>
#include <thread>

#include "calibration/table_csv.h"
#include "calibration/table_file.h"
#include "calibration/unit_backup.h"
#include "protocol/commands.h"
#include "protocol/hex.h"
#include "protocol/requests.h"

namespace cli {

using calibration::unit_slots;
using protocol::Range;

namespace {

constexpr char line_settings[] = "19200,n,8,1";

Failed bad(const QString& message) { return {Status::bad_use, message.toStdString()}; }

// A whole number in `range`, without a fraction: what an argument such as an address or a
// slot must be.
Outcome<std::int32_t> number(const QString& name, const QString& text, Range range) {
    const auto n = protocol::typed_number(text.toStdString(), "", range);
    if (!n)
        return bad(name + " takes a whole number " + QString::number(range.min) + " to " + QString::number(range.max) +
                   ", not \"" + text + "\"");
    return *n;
}

// The positional arguments a command takes, by name; too few or too many is a bad use.
Outcome<Nothing> arguments(const Invocation& call, const QStringList& names) {
    if (call.args.size() == names.size()) return Nothing{};
    const QString wanted = names.isEmpty() ? QStringLiteral("no arguments") : names.join(' ');
    return bad("expected " + wanted + (call.args.isEmpty() ? QString() : ", got: " + call.args.join(' ')));
}

Outcome<std::size_t> slot_argument(const QString& text) {
    const auto n = number("SLOT", text, {1, static_cast<std::int32_t>(unit_slots)});
    if (const auto* failed = std::get_if<Failed>(&n)) return *failed;
    return static_cast<std::size_t>(std::get<std::int32_t>(n) - 1);
}

Outcome<Byte> address_argument(const QString& text) {
    const auto n = number("ADDRESS", text, {0, protocol::max_sensor_address});
    if (const auto* failed = std::get_if<Failed>(&n)) return *failed;
    return static_cast<Byte>(std::get<std::int32_t>(n));
}

Outcome<std::optional<std::uint32_t>> password_argument(const Invocation& call, const QString& option = "password") {
    if (!call.options.isSet(option)) return std::optional<std::uint32_t>{};
    const auto n = number("--" + option, call.options.value(option), protocol::password_range);
    if (const auto* failed = std::get_if<Failed>(&n)) return *failed;
    return std::optional<std::uint32_t>{static_cast<std::uint32_t>(std::get<std::int32_t>(n))};
}

// A file to be written after the line work: refused before anything is sent when it
// cannot be, so the work is not done for nothing.
Outcome<Nothing> writable(const QString& path) {
    const QFileInfo file(path);
    if (file.isDir()) return bad(path + " is a directory");
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir()) return bad("no folder " + folder.filePath() + " for " + path);
    if (file.exists() ? !file.isWritable() : !folder.isWritable()) return bad(path + " cannot be written");
    return Nothing{};
}

// "slot 3 of 10" on a terminal, overwritten in place and wiped at the end.
class Progress {
public:
    Progress(Io& io, std::size_t total) : io_(io), total_(total) {}
    ~Progress() {
        if (io_.progress) io_.err << "\r" << std::string(width_, ' ') << "\r" << std::flush;
    }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;
    void show(std::size_t done) {
        if (!io_.progress) return;
        const std::string text = "slot " + std::to_string(done) + " of " + std::to_string(total_);
        width_ = std::max(width_, text.size());
        io_.err << "\r" << text << std::flush;
    }

private:
    Io& io_;
    std::size_t total_;
    std::size_t width_ = 0;
};

std::string slot_list(const std::vector<std::size_t>& chosen) {
    std::string text;
    for (std::size_t s : chosen) text += (text.empty() ? "" : ", ") + slot_name(s);
    return text.empty() ? "none" : text;
}

template <typename T>
T* value(Outcome<T>& outcome) {
    return std::get_if<T>(&outcome);
}

}  // namespace

struct Session::Line {
    SerialPortLine port;
    exchange::RequestReply exchange;
    DeviceOps ops;
    explicit Line(int retries) : exchange(port, retries), ops(exchange) {}
};

Session::Session(Io& io_, QString port, int retries) : io(io_), port_(std::move(port)), retries_(retries) {}

Session::~Session() {
    if (line_) line_->port.close();
}

Outcome<DeviceOps*> Session::devices() {
    if (line_) return &line_->ops;
    if (port_.trimmed().isEmpty()) return bad("no port: give --port PORT or set TRELVIK_PORT");
    auto line = std::make_unique<Line>(retries_);
    const serial::OpenResult opened = line->port.open(port_, line_settings);
    if (!opened.opened) {
        if (opened.in_use)
            return Failed{Status::failed, "port " + port_.toStdString() +
                                              " is held by another program (the console, say); close it there first"};
        return Failed{Status::failed, "cannot open port " + port_.toStdString() +
                                          (opened.reason.isEmpty() ? "" : ": " + opened.reason.toStdString())};
    }
    line_ = std::move(line);
    return &line_->ops;
}

Outcome<DeviceOps*> Session::devices(std::optional<std::uint32_t> password) {
    auto ops = devices();
    if (!password || !value(ops)) return ops;
    if (auto entered = (*value(ops))->enter_password(*password); !value(entered)) return std::get<Failed>(entered);
    return ops;
}

Outcome<Nothing> ports(Session& session, const Invocation& call) {
    if (auto use = arguments(call, {}); !value(use)) return use;
    auto infos = QSerialPortInfo::availablePorts();
    std::sort(infos.begin(), infos.end(),
              [](const QSerialPortInfo& a, const QSerialPortInfo& b) { return a.systemLocation() < b.systemLocation(); });
    for (const QSerialPortInfo& info : infos) {
#ifdef _WIN32
        const QString name = info.portName();  // COM3: what --port takes
#else
        const QString name = info.systemLocation();  // /dev/ttyUSB0
#endif
        const QString description = info.description().trimmed();
        session.io.out << name.toStdString() << (description.isEmpty() ? "" : "\t" + description.toStdString()) << "\n";
    }
    return Nothing{};
}

Outcome<Nothing> search(Session& session, const Invocation& call) {
    if (auto use = arguments(call, {}); !value(use)) return use;
    auto ops = session.devices();
    if (!value(ops)) return std::get<Failed>(ops);
    auto found = (*value(ops))->search();
    if (!value(found)) return std::get<Failed>(found);
    for (Byte address : *value(found)) session.io.out << int{address} << "\n";
    return Nothing{};
}

Outcome<Nothing> identity(Session& session, const Invocation& call) {
    if (auto use = arguments(call, {"ADDRESS"}); !value(use)) return use;
    auto address = address_argument(call.args[0]);
    if (!value(address)) return std::get<Failed>(address);
    auto ops = session.devices();
    if (!value(ops)) return std::get<Failed>(ops);
    auto id = (*value(ops))->identity(*value(address));
    if (!value(id)) return std::get<Failed>(id);
    session.io.out << "serial " << *value(id)->serial << "\n";
    if (value(id)->version) session.io.out << "version " << *value(id)->version << "\n";
    return Nothing{};
}

Outcome<Nothing> poll(Session& session, const Invocation& call) {
    if (auto use = arguments(call, {"ADDRESS"}); !value(use)) return use;
    auto address = address_argument(call.args[0]);
    if (!value(address)) return std::get<Failed>(address);
    std::optional<std::int32_t> count;
    if (call.options.isSet("count")) {
        auto n = number("--count", call.options.value("count"), {1, 2'000'000'000});
        if (!value(n)) return std::get<Failed>(n);
        count = *value(n);
    }
    std::int32_t interval_ms = 500;
    if (call.options.isSet("interval")) {
        auto n = number("--interval", call.options.value("interval"), {0, 86'400'000});
        if (!value(n)) return std::get<Failed>(n);
        interval_ms = *value(n);
    }
    auto ops = session.devices();
    if (!value(ops)) return std::get<Failed>(ops);

    using Clock = std::chrono::steady_clock;
    auto& out = session.io.out;
    Io::Interrupt* interrupt = session.io.interrupt;
    if (interrupt) interrupt->wanted = 1;
    const auto stop = [interrupt] { return interrupt && interrupt->caught; };
    out << "time,address,temperature,level,current,lower,upper,k,mode" << std::endl;
    auto next = Clock::now();
    for (std::int32_t done = 0; (!count || done < *count) && !stop(); ++done) {
        if (done > 0) {
            // Waits in short steps, so that Ctrl+C ends a long interval at once.
            next += std::chrono::milliseconds(interval_ms);
            while (!stop() && Clock::now() < next)
                std::this_thread::sleep_for(std::min<Clock::duration>(next - Clock::now(), std::chrono::milliseconds(20)));
            if (stop()) break;
        }
        auto answer = (*value(ops))->poll(*value(address));
        if (!value(answer)) return std::get<Failed>(answer);
        const exchange::FullPoll& p = *value(answer);
        const QDateTime now = QDateTime::currentDateTime();
        out << now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODateWithMs).toStdString() << ','
            << int{p.address} << ',' << p.temperature << ',' << p.level << ',' << p.current << ',' << p.lower << ','
            << p.upper << ',' << p.k << ',' << (p.mode ? std::to_string(*p.mode) : "") << std::endl;
    }
    return Nothing{};
}

Outcome<Nothing> table_read(Session& session, const Invocation& call) {
    if (auto use = arguments(call, {"SLOT"}); !value(use)) return use;
    auto slot = slot_argument(call.args[0]);
    if (!value(slot)) return std::get<Failed>(slot);
    const QString file = call.options.value("output");
    if (!file.isEmpty())
        if (auto ok = writable(file); !value(ok)) return ok;
    auto ops = session.devices();
    if (!value(ops)) return std::get<Failed>(ops);
    auto read = (*value(ops))->read_table(*value(slot));
    if (!value(read)) return std::get<Failed>(read);
    if (file.isEmpty()) {
        session.io.out << calibration::write_table_csv(value(read)->table) << std::flush;
        return Nothing{};
    }
    if (const auto error = calibration::write_table_file(file, value(read)->table))
        return Failed{Status::failed, error->toStdString()};
    return Nothing{};
}

Outcome<Nothing> table_write(Session& session, const Invocation& call) {
    if (auto use = arguments(call, {"SLOT", "FILE"}); !value(use)) return use;
    auto slot = slot_argument(call.args[0]);
    if (!value(slot)) return std::get<Failed>(slot);
    auto password = password_argument(call);
    if (!value(password)) return std::get<Failed>(password);
    const auto table = calibration::read_table_file(call.args[1]);
    if (const auto* refused = std::get_if<QString>(&table)) return bad(*refused);

    auto ops = session.devices(*value(password));
    if (!value(ops)) return std::get<Failed>(ops);
    auto written = (*value(ops))->write_and_verify(*value(slot), std::get<calibration::CalibrationTable>(table));
    if (!value(written)) return written;
    session.io.out << slot_name(*value(slot)) << ": written and verified\n";
    return Nothing{};
}

Outcome<Nothing> backup(Session& session, const Invocation& call) {
    if (auto use = arguments(call, {}); !value(use)) return use;
    const QString file = call.options.value("output");
    if (file.isEmpty()) return bad("backup needs -o FILE");
    if (auto ok = writable(file); !value(ok)) return ok;
    auto password = password_argument(call);
    if (!value(password)) return std::get<Failed>(password);

    auto ops = session.devices(*value(password));
    if (!value(ops)) return std::get<Failed>(ops);
    calibration::UnitBackup unit;
    Byte mode = 0;  // every table read carries the unit's display mode
    {
        Progress progress(session.io, unit_slots);  // wiped before anything else is printed
        for (std::size_t s = 0; s < unit_slots; ++s) {
            progress.show(s + 1);
            auto read = (*value(ops))->read_table(s);
            if (!value(read)) return std::get<Failed>(read);
            unit.tables[s] = value(read)->table;
            mode = value(read)->display_mode;
        }
    }
    unit.passive = (mode & protocol::display_passive) != 0;
    unit.virs = (mode & protocol::display_virs) != 0;
    if (const auto error = calibration::write_backup_file(file, unit)) return Failed{Status::failed, error->toStdString()};
    session.io.out << "display mode and " << unit_slots << " slots saved to " << file.toStdString() << "\n";
    return Nothing{};
}

Outcome<Nothing> restore(Session& session, const Invocation& call) {
    if (auto use = arguments(call, {"FILE"}); !value(use)) return use;
    std::vector<std::size_t> chosen;
    for (const QString& text : call.options.values("slot")) {
        auto slot = slot_argument(text);
        if (!value(slot)) return std::get<Failed>(slot);
        if (std::find(chosen.begin(), chosen.end(), *value(slot)) == chosen.end()) chosen.push_back(*value(slot));
    }
    if (chosen.empty())
        for (std::size_t s = 0; s < unit_slots; ++s) chosen.push_back(s);
    std::sort(chosen.begin(), chosen.end());
    auto password = password_argument(call);
    if (!value(password)) return std::get<Failed>(password);
    const auto read = calibration::read_backup_file(call.args[0]);
    if (const auto* refused = std::get_if<QString>(&read)) return bad(*refused);
    const auto& unit = std::get<calibration::UnitBackup>(read);

    auto ops = session.devices(*value(password));
    if (!value(ops)) return std::get<Failed>(ops);
    DeviceOps& unit_ops = **value(ops);
    std::vector<std::size_t> verified;
    {
        Progress progress(session.io, chosen.size());  // wiped before anything else is printed
        for (std::size_t s : chosen) {
            progress.show(verified.size() + 1);
            auto written = unit_ops.write_and_verify(s, unit.tables[s]);
            if (auto* failed = std::get_if<Failed>(&written)) {
                failed->message += "\nrestore stopped at " + slot_name(s) + "; written and verified before it: " +
                                   slot_list(verified);
                return written;
            }
            verified.push_back(s);
        }
    }
    if (chosen.size() == unit_slots) {
        const Byte mode = protocol::display_mode(unit.passive, unit.virs);
        if (auto set = unit_ops.set_display_mode(mode); !value(set)) return set;
        auto check = unit_ops.read_table(0);
        if (!value(check)) return std::get<Failed>(check);
        const Byte now = value(check)->display_mode & (protocol::display_passive | protocol::display_virs);
        if (now != mode)
            return Failed{Status::differed, "display mode: written " + protocol::hex_dump(mode) + ", read " +
                                                protocol::hex_dump(now)};
    }
    session.io.out << "restored and verified: " << slot_list(verified)
                   << (chosen.size() == unit_slots ? "; display mode set" : "") << "\n";
    return Nothing{};
}

Outcome<Nothing> password_enter(Session& session, const Invocation& call) {
    if (auto use = arguments(call, {"N"}); !value(use)) return use;
    auto password = number("N", call.args[0], protocol::password_range);
    if (!value(password)) return std::get<Failed>(password);
    auto ops = session.devices(static_cast<std::uint32_t>(*value(password)));
    if (!value(ops)) return std::get<Failed>(ops);
    session.io.out << "password accepted\n";
    return Nothing{};
}

Outcome<Nothing> password_set(Session& session, const Invocation& call) {
    if (auto use = arguments(call, {"NEW"}); !value(use)) return use;
    auto next = number("NEW", call.args[0], protocol::password_range);
    if (!value(next)) return std::get<Failed>(next);
    if (!call.options.isSet("current")) return bad("password set needs --current OLD");
    auto current = password_argument(call, "current");
    if (!value(current)) return std::get<Failed>(current);
    auto ops = session.devices(*value(current));
    if (!value(ops)) return std::get<Failed>(ops);
    if (auto set = (*value(ops))->set_password(static_cast<std::uint32_t>(*value(next))); !value(set)) return set;
    session.io.out << "new password set\n";
    return Nothing{};
}

Outcome<Nothing> display_mode(Session& session, const Invocation& call) {
    if (auto use = arguments(call, {}); !value(use)) return use;
    const bool passive = call.options.isSet("passive");
    if (passive == call.options.isSet("active")) return bad("display-mode takes one of --passive and --active");
    auto ops = session.devices();
    if (!value(ops)) return std::get<Failed>(ops);
    const bool virs = call.options.isSet("virs");
    if (auto set = (*value(ops))->set_display_mode(protocol::display_mode(passive, virs)); !value(set)) return set;
    session.io.out << "display mode set: " << (passive ? "passive" : "active") << (virs ? ", VIRS" : "") << "\n";
    return Nothing{};
}

Outcome<Nothing> sensor(Session& session, const Invocation& call) {
    if (call.args.size() < 2) return bad("expected ADDRESS and a command: set-low, set-high, set-net, set-serial or set-mode");
    auto address = address_argument(call.args[0]);
    if (!value(address)) return std::get<Failed>(address);
    const Byte a = *value(address);
    const QString action = call.args[1];
    const bool mode_options = call.options.isSet("output") || call.options.isSet("invert") || call.options.isSet("smooth");
    if (mode_options && action != "set-mode") return bad("--output, --invert and --smooth belong to set-mode");
    const Invocation rest{call.options, call.args.mid(2)};

    Bytes request;
    std::string done;
    std::optional<Byte> mode;
    if (action == "set-low" || action == "set-high") {
        if (auto use = arguments(rest, {}); !value(use)) return use;
        const bool low = action == "set-low";
        request = protocol::sensor_request(a, low ? protocol::cmd_set_low : protocol::cmd_set_high);
        done = low ? "lower level taken" : "upper level taken";
    } else if (action == "set-net") {
        if (auto use = arguments(rest, {"NEW"}); !value(use)) return use;
        auto net = number("NEW", rest.args[0], protocol::net_range);
        if (!value(net)) return std::get<Failed>(net);
        request = protocol::set_net_request(a, static_cast<Byte>(*value(net)));
        done = "network number set to " + std::to_string(*value(net));
    } else if (action == "set-serial") {
        if (auto use = arguments(rest, {"SN"}); !value(use)) return use;
        auto serial = number("SN", rest.args[0], protocol::serial_range);
        if (!value(serial)) return std::get<Failed>(serial);
        request = protocol::set_sn_request(a, static_cast<std::uint32_t>(*value(serial)));
        done = "serial number set to " + std::to_string(*value(serial));
    } else if (action == "set-mode") {
        if (auto use = arguments(rest, {}); !value(use)) return use;
        const QString output = call.options.value("output");
        std::optional<protocol::Output> out;
        if (output == "rs485") out = protocol::Output::rs485;
        else if (output == "analog") out = protocol::Output::analog;
        else if (output == "frequency") out = protocol::Output::frequency;
        else return bad("set-mode needs --output rs485, analog or frequency");
        mode = protocol::sensor_mode(out, call.options.isSet("invert"), call.options.isSet("smooth"));
        request = protocol::set_mode_request(a, *mode);
        done = "mode set to " + protocol::hex_dump(*mode);
    } else {
        return bad("unknown sensor command \"" + action + "\": set-low, set-high, set-net, set-serial or set-mode");
    }

    auto ops = session.devices();
    if (!value(ops)) return std::get<Failed>(ops);
    // The answer to set-mode carries the mode now in force.
    auto answer = (*value(ops))->sensor_command(request, mode ? 5 : 4);
    if (!value(answer)) return std::get<Failed>(answer);
    if (mode && (*value(answer))[3] != *mode)
        return Failed{Status::differed, "mode: written " + protocol::hex_dump(*mode) + ", the sensor reports " +
                                            protocol::hex_dump((*value(answer))[3])};
    session.io.out << "sensor " << int{a} << ": " << done << "\n";
    return Nothing{};
}

}  // namespace cli
