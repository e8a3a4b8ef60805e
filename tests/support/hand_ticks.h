#pragma once
// Driving the window's exchange by hand. The line's work runs on its own thread, so a
// tick's second half, an open's outcome and a close arrive through the event loop;
// these helpers run it until they have, never for a fixed time.
//
// HandTicks keeps the real timer from ticking on its own while the loop runs, so a test
// decides when each tick happens; the timer stays active and keeps its interval.

#include <gtest/gtest.h>

#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <utility>

#include "console/frm_serial.h"

namespace hand_ticks {

// Runs the event loop until `done` holds, checking whenever the window emits `signal`;
// fails the test after `limit_ms` (a guard, not a wait: nothing here takes that long).
template <typename Signal>
bool run_until(frmSerial& w, Signal signal, const std::function<bool()>& done, int limit_ms = 5000) {
    if (done()) return true;
    QEventLoop loop;
    QObject::connect(&w, signal, &loop, [&] {
        if (done()) loop.quit();
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, [&] { loop.exit(1); });
    guard.start(limit_ms);
    if (loop.exec() == 0) return true;
    ADD_FAILURE() << "the window did not get there within " << limit_ms << " ms";
    return false;
}

// Waits until the tick in flight, if any, has finished its second half.
inline void finish_tick(frmSerial& w) {
    run_until(w, &frmSerial::tick_finished, [&] { return !w.exchange_in_flight(); });
}

// One tick of the exchange, both halves.
inline void tick(frmSerial& w) {
    w.TMRComm_Timer();
    finish_tick(w);
}

// One tick that reads `reply` first (nothing when empty), as a scripted line answers;
// the frame the tick wrote, or none.
template <typename ScriptedLine>
protocol::Bytes tick_reading(frmSerial& w, ScriptedLine& line, protocol::Bytes reply = {}) {
    if (!reply.empty()) line.replies.push_back(std::move(reply));
    const std::size_t before = line.written.size();
    tick(w);
    return line.written.size() > before ? line.written.back() : protocol::Bytes{};
}

// "Подключить", and its outcome shown.
inline void press_connect(frmSerial& w) {
    w.BTNOpenCom_Click();
    run_until(w, &frmSerial::open_finished, [&] { return !w.opening(); });
}

}  // namespace hand_ticks

// Swallows the window timer's own timeouts while installed.
class HandTicks final : public QObject {
public:
    explicit HandTicks(frmSerial& w) : timer_(w.TMRComm) { timer_->installEventFilter(this); }
    ~HandTicks() override {
        if (timer_) timer_->removeEventFilter(this);
    }
    HandTicks(const HandTicks&) = delete;
    HandTicks& operator=(const HandTicks&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override {
        return event->type() == QEvent::Timer || QObject::eventFilter(watched, event);
    }

private:
    QPointer<QTimer> timer_;  // the window may go first
};
