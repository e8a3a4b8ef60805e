// trelvik-cli tare: a tank tared from pours. The sensor is polled all the time; after each
// pour typed in, its level is taken once it has settled, the session file is rewritten
// and the point printed. At the end the table is made and, if asked, written to a slot.

#include <QDateTime>
#include <QFileInfo>
#include <chrono>
#include <cmath>
#include <ostream>
#include <thread>

#include "arguments.h"
#include "calibration/table_file.h"
#include "input_lines.h"
#include "misses.h"
#include "option_names.h"
#include "protocol/number_text.h"
#include "taring/session_file.h"
#include "taring/settle_detector.h"
#include "taring_commands.h"
#include "taring_table.h"
#include "tare_settings.h"

namespace cli {

namespace {

using Clock = std::chrono::steady_clock;
using taring::TaringPoint;
using taring::TaringSession;

constexpr auto poll_period = std::chrono::milliseconds(400);  // at least twice a second
constexpr auto watch_step = std::chrono::milliseconds(20);    // how soon Ctrl+C is seen
// How long an end of input at a terminal waits for a stop that may be on its way: on a
// Windows console Ctrl+C ends the pending read at once, and the handler's thread comes
// after. Longer than a poll, so the sensor is asked meanwhile.
constexpr auto stop_grace = std::chrono::seconds(1);

// The session file as it stands, or a new session when there is none.
Outcome<TaringSession> open_session(const TareSettings& s) {
    if (!QFileInfo::exists(s.session_file)) return TaringSession{s.address, std::nullopt, {}};
    auto read = taring::read_session_file(s.session_file);
    if (const auto* refused = std::get_if<QString>(&read)) return bad(*refused);
    TaringSession session = std::get<TaringSession>(std::move(read));
    if (session.address != s.address)
        return bad(s.session_file + " is a session of sensor " + QString::number(session.address) +
                   ", not of sensor " + QString::number(s.address));
    return session;
}

class Taring {
public:
    // The longest gap between answers a point may settle across: two and a half poll
    // periods, plus what one poll that draws no answer after all its retries takes (a
    // silent read of about 0.26 s each, and the write), so that a single missed answer,
    // which the session rides over, does not throw the settle time away; two in a row do.
    static double longest_gap(int retries) {
        return 2.5 * std::chrono::duration<double>(poll_period).count() + (1 + retries) * 0.3;
    }

    Taring(Io& io, DeviceOps& ops, const TareSettings& settings, TaringSession& session, int retries)
        : io_(io), ops_(ops), s_(settings), session_(session),
          detector_(settings.settle, settings.tolerance, longest_gap(retries)), input_(io.in) {}

    Outcome<Nothing> run() {
        if (io_.interrupt) io_.interrupt->wanted = 1;
        io_.out << "point,litres,level,spread" << std::endl;
        if (session_.points.empty()) {
            TRY_LET(taken, take_point(s_.start_litres.value_or(0)));
            if (!taken) return interrupted();
        }
        io_.err << "after each pour type the litres poured; undo takes the last point back, done makes the table\n";
        for (;;) {
            std::string line;
            TRY_LET(got, next_line(line));
            if (!got) return interrupted();
            const bool ended = line.empty() && input_ended_;
            line = std::string(protocol::trim_blanks(line));
            if (ended || line == "done") {
                TRY_LET(finished, finish(ended));
                if (finished) return Nothing{};
            } else if (line == "undo") {
                TRY(undo());
            } else if (!line.empty()) {
                const auto poured = protocol::to_decimal(line);
                const double litres = poured ? std::round((session_.litres_now(s_.start_litres.value_or(0)) + *poured) * 1000) / 1000 : 0;
                if (!poured || *poured <= 0) {
                    io_.err << "\"" << line << "\": type the litres poured (a number above 0), undo or done\n";
                } else if (litres > calibration::max_litres) {
                    io_.err << "\"" << line << "\" makes " << shortest(litres) << " litres, more than a table holds ("
                            << calibration::max_litres << "); nothing taken\n";
                } else {
                    TRY_LET(taken, take_point(litres));
                    if (!taken) return interrupted();
                }
            }
        }
    }

private:
    bool stop() const { return io_.interrupt && io_.interrupt->caught; }
    double seconds() const { return std::chrono::duration<double>(Clock::now() - started_).count(); }
    std::string saved() const {
        const std::size_t n = session_.points.size();
        return "the session, " + std::to_string(n) + (n == 1 ? " point" : " points") + ", is saved in " +
               s_.session_file.toStdString();
    }

    // One poll when it is due; the level settled, once it has while settling. A poll
    // without an answer is noted and ridden over, until too many in a row or a port gone.
    Outcome<std::optional<taring::Settled>> poll_when_due() {
        if (Clock::now() < next_poll_) return std::optional<taring::Settled>{};
        next_poll_ = std::max(next_poll_ + poll_period, Clock::now());
        auto answer = ops_.poll(s_.address);
        if (const auto* failed = std::get_if<Failed>(&answer)) {
            clear_progress();
            if (auto end = misses_.missed(*failed, ops_.port_gone())) {
                end->message += "\n" + saved();
                return *end;
            }
            return std::optional<taring::Settled>{};
        }
        misses_.answered();
        level_ = std::get<exchange::FullPoll>(answer).level;
        if (!settling_) return std::optional<taring::Settled>{};
        return detector_.feed(seconds(), level_);
    }

    // Polls on while waiting for a line; false on Ctrl+C. The end of input is an empty line.
    Outcome<bool> next_line(std::string& line) {
        std::optional<Clock::time_point> end_counts_at;  // once the input has ended
        for (;;) {
            if (stop()) return false;
            TRY(poll_when_due());
            const auto step_end = std::min(next_poll_, Clock::now() + watch_step);
            if (end_counts_at) {
                if (Clock::now() >= *end_counts_at) {
                    input_ended_ = true;
                    line.clear();
                    return true;
                }
                std::this_thread::sleep_until(std::min(step_end, *end_counts_at));
                continue;
            }
            const auto got = input_.next(line, step_end);
            if (got == InputLines::Got::line) return true;
            if (got == InputLines::Got::ended)
                end_counts_at = Clock::now() + (io_.in_is_terminal ? stop_grace : Clock::duration::zero());
        }
    }

    // Waits for the level to settle with `litres` in the tank and takes the point; false on Ctrl+C.
    Outcome<bool> take_point(double litres) {
        detector_.restart();
        settling_ = true;
        const double began = seconds();
        bool warned = false;
        for (;;) {
            if (stop()) {
                clear_progress();
                settling_ = false;
                return false;
            }
            TRY_LET(settled, poll_when_due());
            if (settled) {
                settling_ = false;
                clear_progress();
                return take(litres, *settled);
            }
            show_progress();
            if (!warned && seconds() - began > std::max(3 * s_.settle, 30.0)) {
                warned = true;
                clear_progress();
                io_.err << "the level has not settled for " << std::lround(seconds() - began) << " s (spread "
                        << shortest(detector_.spread()) << ", tolerance " << shortest(s_.tolerance)
                        << "); Ctrl+C ends and keeps the session\n";
            }
            std::this_thread::sleep_for(std::min<Clock::duration>(watch_step, next_poll_ - Clock::now()));
        }
    }

    Outcome<bool> take(double litres, const taring::Settled& settled) {
        TaringPoint point;
        point.litres = litres;
        point.level = settled.level;
        point.spread = settled.spread;
        point.polls = settled.polls;
        point.time = taring::point_time(QDateTime::currentDateTime());
        const std::optional<TaringPoint> before =
            session_.points.empty() ? std::nullopt : std::optional<TaringPoint>(session_.points.back());
        session_.take(point);
        if (auto saving = save(); std::holds_alternative<Failed>(saving)) {
            session_.undo();
            return std::get<Failed>(saving);
        }
        const std::size_t number = session_.points.size();
        io_.out << number << ',' << shortest(litres) << ',' << shortest(settled.level) << ','
                << shortest(settled.spread) << std::endl;
        if (before && settled.level <= before->level)
            io_.err << "point " << number << ": level " << shortest(settled.level) << " did not rise above "
                    << shortest(before->level) << " of point " << number - 1
                    << "; taken all the same (undo takes it back)\n";
        return true;
    }

    Outcome<Nothing> undo() {
        const auto undone = session_.undo();
        if (!undone) {
            io_.err << "no point to take back\n";
            return Nothing{};
        }
        TRY(save());
        io_.err << "point " << session_.points.size() + 1 << " taken back (" << shortest(undone->litres)
                << " litres, level " << shortest(undone->level) << ")\n";
        return Nothing{};
    }

    Outcome<Nothing> save() {
        if (const auto error = taring::write_session_file(s_.session_file, session_))
            return Failed{Status::failed, "the session cannot be saved: " + error->toStdString()};
        return Nothing{};
    }

    // The table made and written; false when it cannot be made and the operator may
    // still undo the point at fault.
    Outcome<bool> finish(bool input_ended) {
        auto table = session_table(session_, io_.err);
        if (auto* failed = std::get_if<Failed>(&table)) {
            if (input_ended) {
                failed->message += "\n" + saved() + "; trelvik-cli table from-session makes the table from it";
                return *failed;
            }
            io_.err << failed->message << "\nundo the point, then done again; Ctrl+C ends and keeps the session\n";
            return false;
        }
        const auto& made = std::get<calibration::CalibrationTable>(table);
        if (!s_.output.isEmpty())
            if (const auto error = calibration::write_table_file(s_.output, made))
                return Failed{Status::failed, error->toStdString()};
        if (s_.slot) {
            if (s_.password) TRY(ops_.enter_password(*s_.password));
            TRY(ops_.write_and_verify(*s_.slot, made));
            io_.err << slot_name(*s_.slot) << ": written and verified\n";
        }
        // Done with: the window offers the session no more. A table that did not reach its
        // file or slot leaves it open, to be finished again. Only the mark is lost if it
        // cannot be saved; the points are on disk already.
        session_.finished = true;
        if (const auto error = taring::write_session_file(s_.session_file, session_))
            io_.err << "the session is not marked finished: " << error->toStdString() << "\n";
        return true;
    }

    // Ctrl+C ends the session unfinished: status 130, with every point taken saved.
    Failed interrupted() const { return {Status::interrupted, stopped_by(*io_.interrupt) + ": " + saved()}; }

    void show_progress() {
        if (!io_.progress) return;
        const std::string text = "settling: level " + std::to_string(level_) + ", spread " + shortest(detector_.spread()) +
                                 " over " + std::to_string(std::lround(detector_.covered())) + " of " +
                                 shortest(s_.settle) + " s";
        progress_width_ = std::max(progress_width_, text.size());
        io_.err << "\r" << text << std::string(progress_width_ - text.size(), ' ') << std::flush;
    }
    void clear_progress() {
        if (progress_width_ == 0) return;
        io_.err << "\r" << std::string(progress_width_, ' ') << "\r" << std::flush;
        progress_width_ = 0;
    }

    Io& io_;
    DeviceOps& ops_;
    const TareSettings& s_;
    TaringSession& session_;
    taring::SettleDetector detector_;
    InputLines input_;
    Misses misses_{io_.err, s_.max_misses};
    bool input_ended_ = false;
    bool settling_ = false;
    std::uint16_t level_ = 0;
    std::size_t progress_width_ = 0;
    Clock::time_point started_ = Clock::now();
    Clock::time_point next_poll_ = Clock::now();
};

}  // namespace

std::vector<QCommandLineOption> tare_options() {
    return {
        QCommandLineOption(QStringList{option::session}, "The session file: created, or gone on with when it exists. Rewritten after every point.", "FILE"),
        QCommandLineOption(QStringList{option::start_litres}, "A new session's first point: the litres in the tank now (default 0).", "L"),
        QCommandLineOption(QStringList{option::settle}, "Seconds the level must stay within the tolerance before a point is taken (default 20).", "S"),
        QCommandLineOption(QStringList{option::tolerance}, "The most the level may move while it settles (default 2).", "T"),
        QCommandLineOption(QStringList{option::slot}, "At the end, write the table to slot N (1 to 10), read it back and compare it.", "N"),
        QCommandLineOption(QStringList{option::password}, "The display unit's password N: presented at the start, to find a wrong one early, and again before the slot is written.", "N"),
        QCommandLineOption(QStringList{"o", option::output}, "At the end, write the table to FILE (.csv or .json).", "FILE"),
        force_option(),
        max_misses_option(),
    };
}

Outcome<Nothing> tare(Session& session, const Invocation& call) {
    TRY_LET(s, tare_settings(call));
    TRY_LET(taring, open_session(s));
    TRY_LET(ops, session.devices(s.password));
    DeviceOps& device = *ops;
    // The serial number ties the file to its sensor; a sensor that does not tell it is tared all the same.
    if (const auto id = device.identity(s.address); const auto* identity = std::get_if<exchange::Identity>(&id)) {
        if (taring.serial && identity->serial && *taring.serial != *identity->serial)
            return bad(s.session_file + " was taken with the sensor of serial number " +
                       QString::number(*taring.serial) + "; the sensor at " + QString::number(s.address) + " has " +
                       QString::number(*identity->serial));
        if (identity->serial) taring.serial = *identity->serial;
    }
    // Written once the checks have passed, before the first pour: a file that cannot be
    // written is found now, not with the first point.
    if (const auto error = taring::write_session_file(s.session_file, taring))
        return Failed{Status::failed, error->toStdString()};
    auto& err = session.io.err;
    if (taring.points.empty()) {
        err << "sensor " << int{s.address} << ": a new session in " << s.session_file.toStdString()
            << "; the first point at " << shortest(s.start_litres.value_or(0)) << " litres once the level has settled ("
            << shortest(s.settle) << " s within " << shortest(s.tolerance) << ")\n";
    } else {
        const TaringPoint& last = taring.points.back();
        err << "sensor " << int{s.address} << ": " << s.session_file.toStdString() << " holds " << taring.points.size()
            << " points, the last " << shortest(last.litres) << " litres at level " << shortest(last.level)
            << "; going on from there" << (s.start_litres ? " (--start-litres is for a new session)" : "") << "\n";
    }
    return Taring(session.io, device, s, taring, session.retries()).run();
}

}  // namespace cli
