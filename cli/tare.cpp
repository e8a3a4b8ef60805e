// trelvik-cli tare: a tank tared from pours. The sensor is polled all the time; after each
// pour typed in, its level is taken once it has settled, the session file is rewritten
// and the point printed. At the end the table is made and, if asked, written to a slot.

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <set>
#include <ostream>
#include <thread>

#include "arguments.h"
#include "calibration/table_file.h"
#include "input_lines.h"
#include "misses.h"
#include "option_names.h"
#include "protocol/number_text.h"
#include "taring/portion_check.h"
#include "taring/session_file.h"
#include "taring/settle_detector.h"
#include "taring_commands.h"
#include "taring_table.h"
#include "tare_settings.h"
#include "wording.h"

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
    if (const auto* refused = std::get_if<QString>(&read)) return not_a_session(s.session_file, *refused);
    TaringSession session = std::get<TaringSession>(std::move(read));
    // A session without a point holds nothing to lose (one begun at an address where no
    // sensor answered, say): the sensor tared now takes it over.
    if (session.points.empty()) {
        session.address = s.address;
        session.serial.reset();
        return session;
    }
    if (session.address != s.address)
        return bad(qworded(QCoreApplication::translate("CliTare", "%1 — сессия датчика %2, а не датчика %3; для датчика %3 укажите другой файл --session"),
                           {name(s.session_file), whole(session.address), whole(s.address)}));
    return session;
}

// "1 000" or "1 000,5", typed with a gap between the thousands: the number as it is to be
// typed, when that is one above 0.
std::optional<std::string> without_blanks(std::string_view text) {
    std::string joined;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ') continue;
        if (text.substr(i).starts_with("\xC2\xA0")) {  // a no-break space
            ++i;
            continue;
        }
        joined += text[i];
    }
    if (joined.size() == text.size()) return std::nullopt;
    const auto number = protocol::to_decimal(joined);
    if (!number || *number <= 0) return std::nullopt;
    return joined;
}

class Taring {
public:
    // A point settles across one poll that drew no answer, as the window's does across one
    // lost tick; a second in a row starts the wait afresh (the session itself rides over
    // both). Between two answers, two and a half poll periods and what the attempts of the
    // poll missed took (a silent read of about 0.26 s each, and the write), with the quiet
    // read the next poll waits for after a miss, never more than a quarter of the settle time.
    static double longest_gap(int retries, double settle) {
        const double polls = 2.5 * std::chrono::duration<double>(poll_period).count();
        return std::min(polls + (2 + retries) * 0.3, std::max(polls, settle / 4));
    }

    Taring(Io& io, DeviceOps& ops, const TareSettings& settings, TaringSession& session, int retries)
        : io_(io), ops_(ops), s_(settings), session_(session),
          detector_(settings.settle, settings.tolerance, longest_gap(retries, settings.settle)), input_(io.in) {}

    Outcome<Nothing> run() {
        if (io_.interrupt) io_.interrupt->wanted = 1;
        io_.out << "point,litres,level,spread" << std::endl;
        flag_suspect_portions(false);  // a session gone on with: its portions were judged when taken
        if (session_.points.empty()) {
            TRY_LET(taken, take_point(s_.start_litres.value_or(0)));
            if (!taken) return interrupted();
        }
        io_.err << worded(QCoreApplication::translate("CliTare", "после каждого залива введите залитые литры, а следующий начинайте, когда точка напечатана; "
                                                                  "undo отменяет последнюю точку, done строит таблицу"))
                << "\n";
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
                TRY_LET(went_on, undo());
                if (!went_on) return interrupted();
            } else if (!line.empty()) {
                const auto poured = protocol::to_decimal(line);
                const double litres = poured ? std::round((session_.litres_now(s_.start_litres.value_or(0)) + *poured) * 1000) / 1000 : 0;
                if (const auto gapped = poured ? std::nullopt : without_blanks(line)) {
                    io_.err << worded(QCoreApplication::translate("CliTare", "\"%1\": пишите число без пробелов: %2"), {line, *gapped})
                            << "\n";
                } else if (!poured || *poured <= 0) {
                    io_.err << worded(QCoreApplication::translate("CliTare", "\"%1\": введите залитые литры (число больше 0), undo или done"), {line})
                            << "\n";
                } else if (litres > calibration::max_litres) {
                    io_.err << worded(QCoreApplication::translate("CliTare", "\"%1\" даёт %2 л — больше, чем вмещает таблица (%3 л); точка не снята"),
                                      {line, figure(litres), whole(calibration::max_litres)})
                            << "\n";
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
        const int n = static_cast<int>(session_.points.size());
        return worded(QCoreApplication::translate("CliTare", "сессия (точек: %n) сохранена в %1", nullptr, n),
                      {name(s_.session_file)});
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
            if (misses_.in_a_row() >= 2 && settling_) detector_.restart();
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
                io_.err << worded(QCoreApplication::translate("CliTare", "уровень не успокаивается уже %1 с (разброс %2, допуск %3); "
                                             "Ctrl+C завершает тарировку и сохраняет сессию"),
                                  {whole(std::lround(seconds() - began)), figure(detector_.spread()), figure(s_.tolerance)})
                        << "\n";
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
        const TaringSession kept = session_;  // as the file holds it
        session_.take(point);
        if (auto saving = save(); auto* failed = std::get_if<Failed>(&saving)) {
            session_ = kept;
            if (!before) {    // nothing poured yet: nothing is lost by ending here
                failed->message += "\n" + saved();
                return *failed;
            }
            // The portion is in the tank: the session goes on, so that it is typed again
            // once the file can be written (a scanner or an editor holding it, a full disk).
            clear_progress();
            io_.err << worded(QCoreApplication::translate("CliTare", "%1; точка %2 не снята, её топливо в баке: когда файл можно будет записать, "
                                                                     "введите долитое заново, не доливая; Ctrl+C завершает тарировку"),
                              {failed->message, whole(static_cast<long long>(session_.points.size()) + 1)})
                    << "\n";
            untaken_ = litres - session_.litres_now();
            return true;
        }
        untaken_.reset();
        const std::size_t number = session_.points.size();
        io_.out << number << ',' << shortest(litres) << ',' << shortest(settled.level) << ','
                << shortest(settled.spread) << std::endl;
        if (before && settled.level <= before->level)
            io_.err << worded(QCoreApplication::translate("CliTare", "точка %1: уровень %2 не выше уровня %3 точки %4; точка всё равно снята (undo её отменит)"),
                              {whole(static_cast<long long>(number)), figure(settled.level), figure(before->level),
                               whole(static_cast<long long>(number - 1))})
                    << "\n";
        flag_suspect_portions(true);
        return true;
    }

    // The last point taken back; false on Ctrl+C while the starting point is taken again.
    Outcome<bool> undo() {
        // The portion not taken is typed first: taking back the point before it would leave
        // its fuel out of the next point's litres.
        if (untaken_) {
            io_.err << worded(QCoreApplication::translate("CliTare", "долитые %1 л ещё не сняты точкой: сначала введите их заново, не доливая"),
                              {figure(*untaken_)})
                    << "\n";
            return true;
        }
        const TaringSession kept = session_;  // as the file holds it
        const auto undone = session_.undo();
        if (!undone) {
            io_.err << worded(QCoreApplication::translate("CliTare", "отменять нечего: точек нет")) << "\n";
            return true;
        }
        if (auto saving = save(); auto* failed = std::get_if<Failed>(&saving)) {
            session_ = kept;
            io_.err << worded(QCoreApplication::translate("CliTare", "%1; точка %2 не отменена"),
                              {failed->message, whole(static_cast<long long>(session_.points.size()))})
                    << "\n";
            return true;
        }
        flag_suspect_portions(false);
        if (!session_.points.empty()) {
            io_.err << worded(QCoreApplication::translate("CliTare", "точка %1 отменена (%2 л, уровень %3); её топливо осталось в баке: "
                                                                     "введите долитое заново, не доливая"),
                              {whole(static_cast<long long>(session_.points.size()) + 1), figure(undone->litres),
                               figure(undone->level)})
                    << "\n";
            return true;
        }
        // The starting point's fuel was there before the session: it is taken again at
        // once with the same litres, as at the start, for every portion counts from it.
        io_.err << worded(QCoreApplication::translate("CliTare", "точка 1 отменена (%1 л, уровень %2); начальная точка (%1 л) снимается заново"),
                          {figure(undone->litres), figure(undone->level)})
                << "\n";
        return take_point(undone->litres);
    }

    Outcome<Nothing> save() {
        if (const auto error = taring::write_session_file(s_.session_file, session_))
            return Failed{Status::failed, worded(QCoreApplication::translate("CliTare", "не удаётся сохранить сессию: %1"), {name(*error)})};
        return Nothing{};
    }

    // The table made and written; false when the operator may still mend what stopped it.
    Outcome<bool> finish(bool input_ended) {
        // What stops the table now ends nothing while the operator is there to mend it (a
        // point to undo, a table file held open in a spreadsheet); at the end of the input
        // the session stays saved for table from-session.
        const auto not_now = [&](Status status, const std::string& why, const char* mend) -> Outcome<bool> {
            if (input_ended)
                return Failed{status, worded(QCoreApplication::translate("CliTare", "%1\n%2; таблицу по ней строит trelvik-cli table from-session"),
                                                     {why, saved()})};
            io_.err << worded(QCoreApplication::translate("CliTare", mend), {why}) << "\n";
            return false;
        };
        // A portion poured but not taken (its point could not be saved) would be missing
        // from every point after it.
        if (untaken_)
            return not_now(Status::failed,
                           worded(QCoreApplication::translate("CliTare", "долитые %1 л не сняты точкой: сессию не удалось сохранить"),
                                  {figure(*untaken_)}),
                           QT_TRANSLATE_NOOP("CliTare", "%1; введите их заново, не доливая, затем done"));
        auto table = session_table(session_, io_.err);
        if (const auto* failed = std::get_if<Failed>(&table))
            return not_now(failed->status, failed->message,
                           QT_TRANSLATE_NOOP("CliTare", "%1\nотмените точку (undo) и снова введите done; Ctrl+C завершает тарировку и сохраняет сессию"));
        // The table file was not there when the session began; one made since is someone's
        // too, and nothing goes out until it is moved away or the session ends saved.
        if (!s_.output.isEmpty() && !s_.replace_output &&
            (QFileInfo::exists(s_.output) || QFileInfo(s_.output).isSymLink()))
            return not_now(Status::failed, worded(QCoreApplication::translate("CliTare", "%1 появился за время тарировки и не заменён"), {name(s_.output)}),
                           QT_TRANSLATE_NOOP("CliTare", "%1; уберите его и снова введите done; Ctrl+C завершает тарировку и сохраняет сессию"));
        const auto& made = std::get<calibration::CalibrationTable>(table);
        if (!s_.output.isEmpty())
            if (const auto error = calibration::write_table_file(s_.output, made))
                return not_now(Status::failed, error->toStdString(),
                               QT_TRANSLATE_NOOP("CliTare", "%1\nосвободите файл и снова введите done; Ctrl+C завершает тарировку и сохраняет сессию"));
        if (s_.slot) {
            if (s_.password) TRY(ops_.enter_password(*s_.password));
            TRY(ops_.write_and_verify(*s_.slot, made));
            io_.err << worded(QCoreApplication::translate("CliTare", "%1: записана и проверена"), {slot_name(*s_.slot)}) << "\n";
        }
        // Done with: the window offers the session no more. A table that did not reach its
        // file or slot leaves it open, to be finished again. Only the mark is lost if it
        // cannot be saved; the points are on disk already.
        session_.finished = true;
        if (const auto error = taring::write_session_file(s_.session_file, session_))
            io_.err << worded(QCoreApplication::translate("CliTare", "сессия не отмечена завершённой: %1"), {name(*error)}) << "\n";
        return true;
    }

    // Ctrl+C ends the session unfinished: status 130, with every point taken saved.
    Failed interrupted() const {
        Failed ended{Status::interrupted, worded(QCoreApplication::translate("CliTare", "%1: %2"), {stopped_by(*io_.interrupt), saved()})};
        // The session file knows nothing of a portion in the tank that no point took.
        if (untaken_)
            ended.message += "\n" + worded(QCoreApplication::translate("CliTare", "долитые %1 л не сняты точкой: продолжив тарировку, "
                                                                                  "введите их первыми, не доливая"),
                                           {figure(*untaken_)});
        return ended;
    }

    // A portion whose litres per level step stand far apart from its neighbours' is most
    // likely mistyped; it is said once, when it becomes suspect, while it can still be put
    // right (undo). `say` is false after an undo: what is suspect then was said already.
    void flag_suspect_portions(bool say) {
        std::set<std::size_t> now;
        for (const taring::SuspectPortion& p : taring::suspect_portions(session_.points)) {
            now.insert(p.point);
            if (!say || suspected_.contains(p.point)) continue;
            io_.err << worded(QCoreApplication::translate("CliTare", "точка %1: %2 л на %3 ед. уровня, у соседних около %4 л; опечатка?"),
                              {whole(static_cast<long long>(p.point)), figure(p.litres), figure(p.levels, 1),
                               figure(p.expected, 1)})
                    << "\n";
        }
        suspected_ = std::move(now);
    }

    void show_progress() {
        if (!io_.progress) return;
        const QString text = qworded(QCoreApplication::translate("CliTare", "уровень успокаивается: %1, разброс %2 за %3 из %4 с"),
                                     {whole(level_), figure(detector_.spread()), whole(std::lround(detector_.covered())),
                                      figure(s_.settle)});
        if (progress_width_ != 0 && text == progress_shown_) return;  // a slow ssh link gets only changes
        progress_shown_ = text;
        // Characters, not bytes: a Russian letter takes two bytes and one column.
        const auto width = static_cast<std::size_t>(text.size());
        progress_width_ = std::max(progress_width_, width);
        io_.err << "\r" << text.toStdString() << std::string(progress_width_ - width, ' ') << std::flush;
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
    std::optional<double> untaken_;  // litres poured whose point could not be saved
    bool settling_ = false;
    std::uint16_t level_ = 0;
    std::size_t progress_width_ = 0;
    QString progress_shown_;
    std::set<std::size_t> suspected_;  // the points whose portions are said to look mistyped
    Clock::time_point started_ = Clock::now();
    Clock::time_point next_poll_ = Clock::now();
};

}  // namespace

std::vector<QCommandLineOption> tare_options() {
    return {
        QCommandLineOption(QStringList{option::session}, QCoreApplication::translate("CliTare", "Файл сессии: создаётся или, если он есть, продолжается. Перезаписывается после каждой точки."), "FILE"),
        QCommandLineOption(QStringList{option::start_litres}, QCoreApplication::translate("CliTare", "Первая точка новой сессии: литры в баке сейчас (по умолчанию 0)."), "L"),
        QCommandLineOption(QStringList{option::settle}, QCoreApplication::translate("CliTare", "Сколько секунд уровень должен держаться в пределах допуска, прежде чем точка снимется (по умолчанию 20)."), "S"),
        QCommandLineOption(QStringList{option::tolerance}, QCoreApplication::translate("CliTare", "Насколько уровень может меняться, пока успокаивается (по умолчанию 2)."), "T"),
        QCommandLineOption(QStringList{option::slot}, QCoreApplication::translate("CliTare", "В конце записать таблицу в ячейку N (от 1 до 10), прочитать обратно и сверить."), "N"),
        QCommandLineOption(QStringList{option::password}, QCoreApplication::translate("CliTare", "Пароль блока индикации N: предъявляется в начале, чтобы неверный обнаружился сразу, и снова перед записью ячейки."), "N"),
        QCommandLineOption(QStringList{"o", option::output}, QCoreApplication::translate("CliTare", "В конце записать таблицу в FILE (.csv или .json)."), "FILE"),
        force_option(),
        max_misses_option(),
    };
}

Outcome<Nothing> tare(Session& session, const Invocation& call) {
    TRY_LET(s, tare_settings(call));
    TRY_LET(taring, open_session(s));
    TRY_LET(ops, session.devices(s.password));
    DeviceOps& device = *ops;
    // The serial number ties the file to its sensor; a sensor that does not tell it is tared
    // all the same. One that answers neither that nor a poll is not there: for a new session
    // a mistyped address, most likely, and none is begun; a session gone on with is its
    // sensor's (the address matched), gone quiet for a while, which the polls ride over.
    if (const auto id = device.identity(s.address); const auto* identity = std::get_if<exchange::Identity>(&id)) {
        if (taring.serial && identity->serial && *taring.serial != *identity->serial)
            return bad(qworded(QCoreApplication::translate("CliTare", "%1 снята с датчиком с заводским номером %2; у датчика по адресу %3 номер %4"),
                               {name(s.session_file), whole(*taring.serial), whole(s.address), whole(*identity->serial)}));
        if (identity->serial) taring.serial = *identity->serial;
    } else if (const auto poll = device.poll(s.address); std::holds_alternative<Failed>(poll) && taring.points.empty()) {
        return Failed{Status::failed,
                      worded(QCoreApplication::translate("CliTare", "%1\nдатчик %2 не отвечает; проверьте адрес (trelvik-cli search) и подключение"),
                             {std::get<Failed>(poll).message, whole(s.address)})};
    } else if (taring.serial) {  // the file keeps the number its points were taken with
        session.io.err << worded(QCoreApplication::translate("CliTare", "датчик %1 не сообщил заводской номер: %2; сессия снята с номером %3, "
                                                                        "что датчик тот же, не проверено"),
                                 {whole(s.address), std::get<Failed>(id).message, whole(*taring.serial)})
                       << "\n";
    } else {
        session.io.err << worded(QCoreApplication::translate("CliTare", "датчик %1 не сообщил заводской номер: %2; сессия не привязана к номеру"),
                                 {whole(s.address), std::get<Failed>(id).message})
                       << "\n";
    }
    // Written once the checks have passed, before the first pour: a file that cannot be
    // written is found now, not with the first point.
    if (const auto error = taring::write_session_file(s.session_file, taring))
        return Failed{Status::failed, error->toStdString()};
    auto& err = session.io.err;
    if (taring.points.empty()) {
        err << worded(QCoreApplication::translate("CliTare", "датчик %1: новая сессия в %2; первая точка при %3 л, когда уровень успокоится (%4 с в пределах %5)"),
                      {whole(s.address), name(s.session_file), figure(s.start_litres.value_or(0)), figure(s.settle),
                       figure(s.tolerance)})
            << "\n";
    } else {
        const TaringPoint& last = taring.points.back();
        const int n = static_cast<int>(taring.points.size());
        const QString words =
            s.start_litres
                ? QCoreApplication::translate("CliTare", "датчик %1: в %2 точек: %n, последняя — %3 л при уровне %4; "
                                                         "продолжаем с неё (--start-litres — только для новой сессии)",
                                              nullptr, n)
                : QCoreApplication::translate("CliTare", "датчик %1: в %2 точек: %n, последняя — %3 л при уровне %4; "
                                                         "продолжаем с неё", nullptr, n);
        err << worded(words, {whole(s.address), name(s.session_file), figure(last.litres), figure(last.level)}) << "\n";
        // A session name used again for the next tank would add its pours to the last one.
        if (taring.finished)
            err << worded(QCoreApplication::translate("CliTare", "таблица по этой сессии уже сделана (done); новые точки дополнят её, "
                                                                 "а для другого бака укажите другой файл --session"))
                << "\n";
    }
    return Taring(session.io, device, s, taring, session.retries()).run();
}

}  // namespace cli
