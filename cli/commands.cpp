#include "commands.h"

#include <QCoreApplication>
#include <QSerialPortInfo>
#include <algorithm>
#include <chrono>
#include <ostream>
#include <thread>

#include "arguments.h"
#include "calibration/order_words.h"
#include "calibration/table_checks.h"
#include "calibration/table_csv.h"
#include "calibration/table_file.h"
#include "calibration/table_json.h"
#include "calibration/unit_backup.h"
#include "exchange/poll_csv.h"
#include "misses.h"
#include "option_names.h"
#include "progress.h"
#include "protocol/commands.h"
#include "protocol/hex.h"
#include "serial/port_system.h"
#include "taring/session_file.h"
#include "wording.h"

namespace cli {

using calibration::unit_slots;

namespace {

std::string slot_list(const std::vector<std::size_t>& chosen) {
    std::string text;
    for (std::size_t s : chosen) text += (text.empty() ? "" : ", ") + slot_name(s);
    return text.empty() ? QCoreApplication::translate("CliCommands", "нет").toStdString() : text;
}

// What a change stopped by Ctrl+C has done: the slots written and verified, the ones not
// written and, for a whole unit, whether the display mode was set.
std::string written_summary(const std::vector<std::size_t>& verified, const std::vector<std::size_t>& left,
                            std::optional<bool> mode_set = std::nullopt) {
    const QString words = !mode_set  ? QCoreApplication::translate("CliCommands", "записаны и проверены: %1; не записаны: %2")
                          : *mode_set ? QCoreApplication::translate("CliCommands", "записаны и проверены: %1; не записаны: %2; режим индикации установлен")
                                      : QCoreApplication::translate("CliCommands", "записаны и проверены: %1; не записаны: %2; режим индикации не установлен");
    return worded(words, {slot_list(verified), slot_list(left)});
}

// A command that sends one change: Ctrl+C during it lets it finish, then ends the
// command with status 130 all the same, so a script knows it was asked to stop. `said`
// is what was done, in the operator's language: a script tests the exit status.
Outcome<Nothing> done(Session& session, const std::string& said) {
    session.io.out << said << "\n";
    if (auto stop = session.interrupted(said)) return *stop;
    return Nothing{};
}

}  // namespace

Outcome<Nothing> ports(Session& session, const Invocation& call) {
    TRY(arguments(call, {}));
    auto infos = QSerialPortInfo::availablePorts();
    std::sort(infos.begin(), infos.end(),
              [](const QSerialPortInfo& a, const QSerialPortInfo& b) { return a.systemLocation() < b.systemLocation(); });
    for (const QSerialPortInfo& info : infos) {
        const QString name = serial::listed_port_name(info);  // what --port takes: COM3, /dev/ttyUSB0
        const QString description = info.description().trimmed();
        session.io.out << name.toStdString() << (description.isEmpty() ? "" : "\t" + description.toStdString()) << "\n";
    }
    return Nothing{};
}

Outcome<Nothing> search(Session& session, const Invocation& call) {
    TRY(arguments(call, {}));
    TRY_LET(ops, session.devices());
    TRY_LET(found, ops->search());
    for (Byte address : found) session.io.out << int{address} << "\n";
    return Nothing{};
}

std::optional<Failed> output_lost(std::ostream& out) {
    if (out.flush()) return std::nullopt;
    return Failed{Status::failed, worded(QCoreApplication::translate("Cli", "стандартный вывод не записан до конца (диск полон или файл закрыт?)"))};
}

Outcome<Nothing> identity(Session& session, const Invocation& call) {
    TRY(arguments(call, {"ADDRESS"}));
    TRY_LET(address, address_argument(call.args[0]));
    TRY_LET(ops, session.devices());
    TRY_LET(id, ops->identity(address));
    session.io.out << "serial " << *id.serial << "\n";
    if (id.version) session.io.out << "version " << *id.version << "\n";
    return Nothing{};
}

Outcome<Nothing> poll(Session& session, const Invocation& call) {
    TRY(arguments(call, {"ADDRESS"}));
    TRY_LET(address, address_argument(call.args[0]));
    std::optional<std::int32_t> count;
    if (call.options.isSet(option::count)) {
        TRY_LET(n, number("--count", call.options.value(option::count), {1, 2'000'000'000}));
        count = n;
    }
    std::int32_t interval_ms = 500;
    if (call.options.isSet(option::interval)) {
        TRY_LET(n, number("--interval", call.options.value(option::interval), {0, 86'400'000}));
        interval_ms = n;
    }
    TRY_LET(max_misses, max_misses_argument(call));
    TRY_LET(ops, session.devices());

    using Clock = std::chrono::steady_clock;
    auto& out = session.io.out;
    Io::Interrupt* interrupt = session.io.interrupt;
    if (interrupt) interrupt->wanted = 1;
    const auto stop = [interrupt] { return interrupt && interrupt->caught; };
    out << exchange::poll_csv_header << std::endl;
    if (auto lost = output_lost(out)) return *lost;
    auto next = Clock::now();
    std::int32_t answers = 0;
    Misses misses(session.io.err, max_misses);
    for (bool first = true; (!count || answers < *count) && !stop(); first = false) {
        if (!first) {
            // Waits in short steps, so that Ctrl+C ends a long interval at once. A poll that
            // went long (retries of a silent line) is not made up for: the next one follows
            // at once, and the interval runs from there, without a burst to catch up.
            next = std::max(next + std::chrono::milliseconds(interval_ms), Clock::now());
            while (!stop() && Clock::now() < next)
                std::this_thread::sleep_for(std::min<Clock::duration>(next - Clock::now(), std::chrono::milliseconds(20)));
            if (stop()) break;
        }
        auto answer = ops->poll(address);
        if (const auto* missed = std::get_if<Failed>(&answer)) {
            if (auto end = misses.missed(*missed, ops->port_gone())) return *end;
            continue;
        }
        misses.answered();
        ++answers;
        out << exchange::poll_csv_line(local_time_text(), std::get<exchange::FullPoll>(answer)) << std::endl;
        // On Windows Ctrl+C ends the reader of a pipe too: the last line is lost with the stop.
        if (auto lost = output_lost(out)) return stop() ? Outcome<Nothing>{Nothing{}} : Outcome<Nothing>{*lost};
    }
    return Nothing{};
}

Outcome<Nothing> table_read(Session& session, const Invocation& call) {
    TRY(arguments(call, {"SLOT"}));
    TRY_LET(slot, slot_argument(call.args[0]));
    TRY_LET(file, output_argument(call, {}, true));
    TRY_LET(ops, session.devices());
    TRY_LET(read, ops->read_table(slot));
    if (!file) {
        session.io.out << calibration::table_csv_text(read.table) << std::flush;
        return Nothing{};
    }
    if (const auto error = calibration::write_table_file(*file, read.table)) return Failed{Status::failed, error->toStdString()};
    return Nothing{};
}

Outcome<Nothing> table_write(Session& session, const Invocation& call) {
    TRY(arguments(call, {"SLOT", "FILE"}));
    TRY_LET(slot, slot_argument(call.args[0]));
    TRY_LET(password, password_argument(call, option::password));
    const QString& file = call.args[1];
    const auto table = calibration::read_table_file(file);
    if (const auto* refused = std::get_if<QString>(&table)) {
        switch (holds(file)) {
        case Holds::backup:
            return bad(qworded(QCoreApplication::translate("CliCommands", "%1 — резервная копия всего блока, а не таблица одной ячейки: "
                                  "её ячейку %4 записывает trelvik-cli restore %2 --slot %3"),
                               {name(file), name(typed(file)), name(call.args[0]), slot_name(slot)}));
        case Holds::session:
            return bad(qworded(QCoreApplication::translate("CliCommands", "%1 — сессия тарировки, а не таблица ячейки: trelvik-cli table from-session %2 "
                                  "-o TABLE строит по ней таблицу, которую затем принимает table write"),
                               {name(file), name(typed(file))}));
        default: return bad(*refused);
        }
    }

    // A script asked for it, so it goes out; but a table that cannot describe a tank is said.
    if (const auto breaks = calibration::order_breaks(std::get<calibration::CalibrationTable>(table)); !breaks.empty())
        session.io.err << "trelvik-cli: "
                       << worded(QCoreApplication::translate("CliCommands", "%1: %2 Таблица всё равно записывается."),
                                 {name(file), name(calibration::order_problem(breaks, 3))})
                       << "\n";

    session.guard_writes();
    TRY_LET(ops, session.devices(password));
    if (auto stop = session.interrupted(written_summary({}, {slot}))) return *stop;
    TRY(ops->write_and_verify(slot, std::get<calibration::CalibrationTable>(table)));
    session.io.out << worded(QCoreApplication::translate("CliCommands", "%1: таблица записана и проверена"), {slot_name(slot)})
                   << "\n";
    if (auto stop = session.interrupted(written_summary({slot}, {}))) return *stop;
    return Nothing{};
}

Outcome<Nothing> backup(Session& session, const Invocation& call) {
    TRY(arguments(call, {}));
    TRY_LET(output, output_argument(call));
    if (!output) return bad(QCoreApplication::translate("CliCommands", "backup требует -o FILE"));
    const QString file = *output;
    TRY_LET(password, password_argument(call, option::password));

    TRY_LET(ops, session.devices(password));
    calibration::UnitBackup unit;
    Byte mode = 0;  // every table read carries the unit's display mode
    {
        Progress progress(session.io, unit_slots);  // wiped before anything else is printed
        for (std::size_t s = 0; s < unit_slots; ++s) {
            progress.show(s + 1);
            TRY_LET(read, ops->read_table(s));
            unit.tables[s] = read.table;
            mode = read.display_mode;
        }
    }
    unit.passive = (mode & protocol::display_passive) != 0;
    unit.virs = (mode & protocol::display_virs) != 0;
    unit.saved_at = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    unit.saved_by = "trelvik-cli " TRELVIK_VERSION;
    if (const auto error = calibration::write_backup_file(file, unit)) return Failed{Status::failed, error->toStdString()};
    session.io.out << worded(QCoreApplication::translate("CliCommands", "режим индикации и таблицы %1 ячеек сохранены в %2"),
                             {whole(static_cast<long long>(unit_slots)), name(file)})
                   << "\n";
    return Nothing{};
}

Outcome<Nothing> restore(Session& session, const Invocation& call) {
    TRY(arguments(call, {"FILE"}));
    std::vector<std::size_t> chosen;
    for (const QString& text : call.options.values(option::slot)) {
        TRY_LET(slot, slot_argument(text));
        if (std::find(chosen.begin(), chosen.end(), slot) == chosen.end()) chosen.push_back(slot);
    }
    if (chosen.empty())
        for (std::size_t s = 0; s < unit_slots; ++s) chosen.push_back(s);
    std::sort(chosen.begin(), chosen.end());
    TRY_LET(password, password_argument(call, option::password));
    const QString& file = call.args[0];
    const auto read = calibration::read_backup_file(file);
    if (const auto* refused = std::get_if<QString>(&read)) {
        switch (holds(file)) {
        case Holds::table:
            return bad(qworded(QCoreApplication::translate("CliCommands", "%1 содержит таблицу одной ячейки, а не резервную копию блока: "
                                  "trelvik-cli table write SLOT %2 записывает её в ячейку SLOT (от 1 до 10)"),
                               {name(file), name(typed(file))}));
        case Holds::session:
            return bad(qworded(QCoreApplication::translate("CliCommands", "%1 — сессия тарировки, а не резервная копия блока: "
                                  "trelvik-cli table from-session %2 строит по ней таблицу ячейки"),
                               {name(file), name(typed(file))}));
        default: return bad(*refused);
        }
    }
    const auto& unit = std::get<calibration::UnitBackup>(read);

    const bool whole_unit = chosen.size() == unit_slots;
    session.guard_writes();
    TRY_LET(ops, session.devices(password));
    std::vector<std::size_t> verified;
    // What is done and what not, should Ctrl+C stop the restore here.
    const auto stopped = [&](bool mode_set) {
        return session.interrupted(written_summary(verified,
                                                   {chosen.begin() + static_cast<std::ptrdiff_t>(verified.size()), chosen.end()},
                                                   whole_unit ? std::optional<bool>(mode_set) : std::nullopt));
    };
    if (auto stop = stopped(false)) return *stop;
    {
        Progress progress(session.io, chosen.size());  // wiped before anything else is printed
        for (std::size_t s : chosen) {
            progress.show(verified.size() + 1);
            auto written = ops->write_and_verify(s, unit.tables[s]);
            if (auto* failed = std::get_if<Failed>(&written)) {
                failed->message = worded(QCoreApplication::translate("CliCommands", "%1\nвосстановление остановлено на ячейке %2; до неё записаны и проверены: %3"),
                                         {failed->message, slot_name(s), slot_list(verified)});
                return written;
            }
            verified.push_back(s);
            if (auto stop = stopped(false)) return *stop;
        }
    }
    if (whole_unit) {
        const Byte mode = protocol::display_mode(unit.passive, unit.virs);
        TRY(ops->set_display_mode(mode));
        TRY_LET(check, ops->read_table(0));
        const Byte now = check.display_mode & (protocol::display_passive | protocol::display_virs);
        if (now != mode)
            return Failed{Status::differed, worded(QCoreApplication::translate("CliCommands", "режим индикации: записан %1, прочитан %2"),
                                                   {protocol::hex_dump(mode), protocol::hex_dump(now)})};
        if (auto stop = stopped(true)) return *stop;
    }
    session.io.out << worded(whole_unit ? QCoreApplication::translate("CliCommands", "восстановлены и проверены: %1; режим индикации установлен")
                                        : QCoreApplication::translate("CliCommands", "восстановлены и проверены: %1"),
                             {slot_list(verified)});
    if (!unit.saved_at.empty())
        session.io.out << (unit.saved_by.empty()
                               ? worded(QCoreApplication::translate("CliCommands", "; копия снята %1"), {unit.saved_at})
                               : worded(QCoreApplication::translate("CliCommands", "; копия снята %1 программой %2"),
                                        {unit.saved_at, unit.saved_by}));
    session.io.out << "\n";
    return Nothing{};
}

Outcome<Nothing> password_enter(Session& session, const Invocation& call) {
    TRY(arguments(call, {"N"}));
    TRY_LET(password, number("N", call.args[0], protocol::password_range));
    session.guard_writes();
    TRY(session.devices(static_cast<std::uint32_t>(password)));
    return done(session, QCoreApplication::translate("CliCommands", "пароль принят").toStdString());
}

Outcome<Nothing> password_set(Session& session, const Invocation& call) {
    TRY(arguments(call, {"NEW"}));
    TRY_LET(next, number("NEW", call.args[0], protocol::password_range));
    if (!call.options.isSet(option::current)) return bad(QCoreApplication::translate("CliCommands", "password set требует --current OLD"));
    TRY_LET(current, password_argument(call, option::current));
    session.guard_writes();
    TRY_LET(ops, session.devices(current));
    if (auto stop = session.interrupted(QCoreApplication::translate("CliCommands", "действующий пароль предъявлен; новый не установлен").toStdString()))
        return *stop;
    TRY(ops->set_password(static_cast<std::uint32_t>(next)));
    return done(session, QCoreApplication::translate("CliCommands", "новый пароль установлен").toStdString());
}

Outcome<Nothing> display_mode(Session& session, const Invocation& call) {
    TRY(arguments(call, {}));
    const bool passive = call.options.isSet(option::passive);
    if (passive == call.options.isSet(option::active))
        return bad(QCoreApplication::translate("CliCommands", "display-mode принимает один из параметров: --passive или --active"));
    session.guard_writes();
    TRY_LET(ops, session.devices());
    const bool virs = call.options.isSet(option::virs);
    TRY(ops->set_display_mode(protocol::display_mode(passive, virs)));
    const QString said = passive ? (virs ? QCoreApplication::translate("CliCommands", "режим индикации установлен: пассивный, VIRS")
                                         : QCoreApplication::translate("CliCommands", "режим индикации установлен: пассивный"))
                                 : (virs ? QCoreApplication::translate("CliCommands", "режим индикации установлен: активный, VIRS")
                                         : QCoreApplication::translate("CliCommands", "режим индикации установлен: активный"));
    return done(session, said.toStdString());
}

Outcome<Nothing> sensor(Session& session, const Invocation& call) {
    if (call.args.size() < 2)
        return bad(QCoreApplication::translate("CliCommands", "ожидаются ADDRESS и команда: set-low, set-high, set-net, set-serial или set-mode"));
    TRY_LET(address, address_argument(call.args[0]));
    const QString action = call.args[1];
    const bool mode_options = call.options.isSet(option::sensor_output) || call.options.isSet(option::invert) ||
                              call.options.isSet(option::smooth);
    if (mode_options && action != "set-mode")
        return bad(QCoreApplication::translate("CliCommands", "--output, --invert и --smooth относятся к set-mode"));
    const Invocation rest{call.options, call.args.mid(2)};

    Bytes request;
    std::string said;  // what was done, in the operator's language
    std::optional<Byte> mode;
    std::optional<Byte> new_net;
    if (action == "set-low" || action == "set-high") {
        TRY(arguments(rest, {}));
        const bool low = action == "set-low";
        request = protocol::sensor_request(address, low ? protocol::cmd_set_low : protocol::cmd_set_high);
        said = (low ? QCoreApplication::translate("CliCommands", "нижний уровень запомнен") : QCoreApplication::translate("CliCommands", "верхний уровень запомнен")).toStdString();
    } else if (action == "set-net") {
        TRY(arguments(rest, {"NEW"}));
        TRY_LET(net, number("NEW", rest.args[0], protocol::net_range));
        new_net = static_cast<Byte>(net);
        said = worded(QCoreApplication::translate("CliCommands", "сетевой номер установлен: %1"), {whole(net)});
    } else if (action == "set-serial") {
        TRY(arguments(rest, {"SN"}));
        TRY_LET(serial, number("SN", rest.args[0], protocol::serial_range));
        request = protocol::set_sn_request(address, static_cast<std::uint32_t>(serial));
        said = worded(QCoreApplication::translate("CliCommands", "заводской номер установлен: %1"), {whole(serial)});
    } else if (action == "set-mode") {
        TRY(arguments(rest, {}));
        const QString output = call.options.value(option::sensor_output);
        std::optional<protocol::Output> out;
        if (output == "rs485") out = protocol::Output::rs485;
        else if (output == "analog") out = protocol::Output::analog;
        else if (output == "frequency") out = protocol::Output::frequency;
        else return bad(QCoreApplication::translate("CliCommands", "set-mode требует --output rs485, analog или frequency"));
        mode = protocol::sensor_mode(out, call.options.isSet(option::invert), call.options.isSet(option::smooth));
        request = protocol::set_mode_request(address, *mode);
        said = worded(QCoreApplication::translate("CliCommands", "режим установлен: %1"), {protocol::hex_dump(*mode)});
    } else {
        return bad(qworded(QCoreApplication::translate("CliCommands", "неизвестная команда датчику \"%1\": нужна set-low, set-high, set-net, set-serial или set-mode"),
                           {name(action)}));
    }

    session.guard_writes();
    TRY_LET(ops, session.devices());
    if (new_net) {
        TRY(ops->set_net(address, *new_net));
    } else {
        // The answer to set-mode carries the mode now in force.
        TRY_LET(answer, ops->sensor_command(request, mode ? 5 : 4));
        if (mode && answer[3] != *mode)
            return Failed{Status::differed, worded(QCoreApplication::translate("CliCommands", "режим: записан %1, датчик сообщает %2"),
                                                   {protocol::hex_dump(*mode), protocol::hex_dump(answer[3])})};
    }
    return done(session, worded(QCoreApplication::translate("CliCommands", "датчик %1: %2"), {whole(address), said}));
}

}  // namespace cli
