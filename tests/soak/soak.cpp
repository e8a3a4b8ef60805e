// The soak run: the window (offscreen) on the simulator at its real 19200-baud pace,
// driven by its own timer at a short interval with the poll switched on. Every
// `cycle` ticks the operator writes a table to the next slot with new numbers and reads
// it back; at the end every slot written is read back once more. Checked: each write
// confirmed and each read-back equal to what was written, no message box, no tick
// longer than the line allows, an answer read on nine ticks in ten, and no growth of the resident set after warm-up.
//
//   trelvik_soak [ticks]     (default 2400; exit status 0 only when every check held)

#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "console/frm_serial.h"
#include "support/scripted_dialogs.h"
#include "support/sim_process.h"

namespace {

constexpr int interval_ms = 50;
constexpr int cycle = 40;            // ticks from one table write to the next
constexpr int patience = 8;          // ticks an answer may take before it counts as lost
constexpr double read_limit_ms = 256;  // a read that sees nothing gives up after this
constexpr double slack_ms = 60;      // dispatch and drawing, on a busy machine
constexpr long rss_growth_limit_kib = 2048;

long rss_kib() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Round r's table: every field differs from the rounds around it and from the defaults.
calibration::CalibrationTable table_for(int r) {
    calibration::CalibrationTable t;
    t.net = static_cast<protocol::Byte>((7 * r + 3) % 201);
    t.status = r % 3 == 0 ? 0 : calibration::slot_in_service;
    for (std::size_t k = 0; k < calibration::table_points; ++k) {
        t.values[k] = static_cast<std::uint16_t>((k + 1) * (50 + r % 300) + r % 37);
        t.litres[k] = static_cast<std::uint16_t>((k + 1) * (20 + 13 * r % 500) + r % 11);
    }
    return t;
}

class Soak {
public:
    Soak(frmSerial& w, ScriptedDialogs& dialogs, int ticks) : w_(w), dialogs_(dialogs), ticks_(ticks) {}

    // One timer tick, measured from its start to the end of its second half; a timeout
    // while the line's work is still in flight is skipped, as the window skips it.
    void tick() {
        if (w_.exchange_in_flight()) return;
        pending_ = w_.state.wrs.size();
        clock_.start();
        w_.TMRComm_Timer();
    }

    // The tick's end, then whatever the operator does between ticks.
    void tick_ended() {
        const double ms = clock_.nsecsElapsed() / 1e6;
        ++done_;
        total_ms_ += ms;
        longest_ms_ = std::max(longest_ms_, ms);
        // The frame sent is the pending one, or a 4-byte poll.
        const double allowed = read_limit_ms + double(std::max<std::size_t>(pending_, 4)) + 10 + slack_ms;
        if (ms > allowed) fail("tick " + std::to_string(done_) + " took " + std::to_string(ms) + " ms");

        answered_ += w_.Pic->fill_colour() == exchange::lamp_red;
        const long rss = rss_kib();
        peak_rss_ = std::max(peak_rss_, rss);
        if (done_ == ticks_ / 5) rss_after_warm_up_ = rss;
        rss_at_end_ = rss;
        if (!dialogs_.messages.empty()) {
            fail("message box: " + dialogs_.messages.back().text.toStdString());
            dialogs_.messages.clear();
        }
        if (!w_.connected()) {
            fail("the window disconnected");
            return finish();
        }
        operate();
    }

    bool finished() const { return finished_; }

    int report(double wall_s) const {
        std::printf("ticks              %d (interval %d ms)\n", done_, interval_ms);
        std::printf("answers read       %d\n", answered_);
        std::printf("tables written     %d, verified %d (final read-back of %zu slots: %d equal)\n", written_,
                    verified_, last_written_.size(), final_equal_);
        std::printf("peak RSS           %ld KiB\n", peak_rss_);
        std::printf("RSS growth         %ld KiB after warm-up (tick %d), limit %ld KiB\n",
                    rss_at_end_ - rss_after_warm_up_, ticks_ / 5, rss_growth_limit_kib);
        std::printf("longest tick       %.1f ms\n", longest_ms_);
        std::printf("average tick       %.1f ms\n", done_ ? total_ms_ / done_ : 0.0);
        std::printf("wall time          %.1f s\n", wall_s);
        const bool ok = failures_ == 0 && rss_at_end_ - rss_after_warm_up_ <= rss_growth_limit_kib && written_ > 0 &&
                        answered_ >= done_ * 9 / 10 &&
                        verified_ == written_ && final_equal_ == static_cast<int>(last_written_.size());
        std::printf("%s (%d failure(s))\n", ok ? "PASSED" : "FAILED", failures_);
        return ok ? 0 : 1;
    }

private:
    enum class Step { Polling, Writing, Reading, FinalReading };

    void fail(const std::string& what) {
        ++failures_;
        if (failures_ <= 20) std::fprintf(stderr, "soak: %s\n", what.c_str());
    }

    QString slot_text() const { return w_.Cmb_Datchik->currentText(); }

    void show(const calibration::CalibrationTable& t) {
        w_.Text43->setText(QString::number(t.net));
        w_.D_otkl->setChecked(!(t.status & calibration::slot_in_service));
        for (int k = 0; k < frmSerial::points; ++k) {
            w_.Text44[k]->setText(QString::number(t.values[k]));
            w_.Text45[k]->setText(QString::number(t.litres[k]));
        }
    }

    bool grid_equals(const calibration::CalibrationTable& t) const {
        if (w_.Text43->text() != QString::number(t.net)) return false;
        if (w_.D_otkl->isChecked() != !(t.status & calibration::slot_in_service)) return false;
        for (int k = 0; k < frmSerial::points; ++k)
            if (w_.Text44[k]->text() != QString::number(t.values[k]) ||
                w_.Text45[k]->text() != QString::number(t.litres[k]))
                return false;
        return true;
    }

    void start_read(int slot) {
        w_.Cmb_Datchik->setCurrentIndex(slot);
        show(calibration::CalibrationTable{});  // blank, so only the answer can fill it
        w_.MsgCom->clear();
        w_.rd_table_Click();
        step_ticks_ = 0;
    }

    void operate() {
        ++step_ticks_;
        switch (step_) {
        case Step::Polling:
            if (done_ >= ticks_) {
                if (last_written_.empty()) return finish();
                final_ = last_written_.begin();
                start_read(final_->first);
                step_ = Step::FinalReading;
            } else if (done_ % cycle == 0) {
                const int slot = round_ % 10;
                current_ = table_for(round_++);
                w_.Cmb_Datchik->setCurrentIndex(slot);
                show(current_);
                w_.MsgCom->clear();
                w_.write_struct_Click();
                step_ticks_ = 0;
                step_ = Step::Writing;
            }
            return;
        case Step::Writing:
            if (w_.MsgCom->text() == slot_text() + ". CТаблица записана верно.") {
                ++written_;
                last_written_[w_.Cmb_Datchik->currentIndex()] = current_;
                start_read(w_.Cmb_Datchik->currentIndex());
                step_ = Step::Reading;
            } else if (step_ticks_ > patience) {
                fail("table write to slot " + std::to_string(w_.Cmb_Datchik->currentIndex()) + " not confirmed");
                step_ = Step::Polling;
            }
            return;
        case Step::Reading:
        case Step::FinalReading:
            if (w_.MsgCom->text() == slot_text() + ". Прочитана тарировочная таблица.") {
                const auto& expected = step_ == Step::Reading ? current_ : final_->second;
                const bool equal = grid_equals(expected);
                if (!equal) fail("slot " + std::to_string(w_.Cmb_Datchik->currentIndex()) + " reads back different");
                if (step_ == Step::Reading) {
                    verified_ += equal;
                    step_ = Step::Polling;
                    return;
                }
                final_equal_ += equal;
                if (++final_ == last_written_.end()) return finish();
                start_read(final_->first);
            } else if (step_ticks_ > patience) {
                fail("table of slot " + std::to_string(w_.Cmb_Datchik->currentIndex()) + " not read back");
                if (step_ == Step::Reading) {
                    step_ = Step::Polling;
                    return;
                }
                if (++final_ == last_written_.end()) return finish();
                start_read(final_->first);
            }
            return;
        }
    }

    void finish() {
        finished_ = true;
        w_.TMRComm->stop();
        QApplication::exit();
    }

    frmSerial& w_;
    ScriptedDialogs& dialogs_;
    const int ticks_;
    int done_ = 0, failures_ = 0, written_ = 0, verified_ = 0, final_equal_ = 0, round_ = 0, step_ticks_ = 0;
    int answered_ = 0;  // ticks that read an answer (the lamp turned red)
    double total_ms_ = 0, longest_ms_ = 0;
    long peak_rss_ = 0, rss_after_warm_up_ = 0, rss_at_end_ = 0;
    bool finished_ = false;
    Step step_ = Step::Polling;
    QElapsedTimer clock_;
    std::size_t pending_ = 0;
    calibration::CalibrationTable current_;
    std::map<int, calibration::CalibrationTable> last_written_;
    std::map<int, calibration::CalibrationTable>::const_iterator final_;
};

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 2400;
    if (ticks < 2 * cycle) {
        std::fprintf(stderr, "usage: trelvik_soak [ticks], at least %d\n", 2 * cycle);
        return 2;
    }

    SimProcess sim({"--seed", "1"});
    if (sim.device().empty()) {
        std::fprintf(stderr, "soak: the simulator did not start\n");
        return 1;
    }
    ScriptedDialogs dialogs;
    serial::SerialPortLine line;
    frmSerial w(dialogs, line);
    w.CmbPort->setEditText(QString::fromStdString(sim.device()));
    w.BTNOpenCom_Click();
    QEventLoop opening;
    QObject::connect(&w, &frmSerial::open_finished, &opening, &QEventLoop::quit);
    if (w.opening()) opening.exec();
    if (!w.connected()) {
        std::fprintf(stderr, "soak: cannot connect to %s\n", sim.device().c_str());
        return 1;
    }
    w.CmbNet->setCurrentIndex(w.CmbNet->findText(QStringLiteral("1")));
    w.block_Click();

    // The window's own handler, timed: the timer calls it through the soak.
    Soak soak(w, dialogs, ticks);
    QObject::disconnect(w.TMRComm, &QTimer::timeout, &w, &frmSerial::TMRComm_Timer);
    QObject::connect(w.TMRComm, &QTimer::timeout, &w, [&] { soak.tick(); });
    QObject::connect(&w, &frmSerial::tick_finished, &w, [&] { soak.tick_ended(); });
    w.TMRComm->start(interval_ms);

    const auto started = std::chrono::steady_clock::now();
    QApplication::exec();
    const double wall_s = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    w.BTNCloseCom_Click();
    return soak.report(wall_s);
}
