// The tick's two halves across the line's thread: what the window does while a tick's
// line work is in flight, and how disconnecting and quitting meet it.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <memory>

#include "console/frm_serial.h"
#include "protocol/commands.h"
#include "protocol/requests.h"
#include "serial/line.h"
#include "support/framed.h"
#include "support/hand_ticks.h"
#include "support/pty_pair.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_line.h"

using protocol::Bytes;
using namespace std::chrono_literals;

namespace {

const Bytes table_read_slot_1{0x3E, 0xDE, 0xEE, 0x00, 0x19};  // pending from start-up

class ExchangeInFlight : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    ScriptedLine line;
    frmSerial w{dialogs, line};
    HandTicks hand{w};

    void SetUp() override {
        hand_ticks::press_connect(w);
        ASSERT_TRUE(w.connected());
    }

    // A tick whose read is held on the line's thread until the test releases it.
    void start_held_tick(Bytes reply) {
        line.replies.push_back(std::move(reply));
        line.hold_reads();
        w.TMRComm_Timer();
        line.wait_for_held_read();
        ASSERT_TRUE(w.exchange_in_flight());
    }
};

TEST_F(ExchangeInFlight, HandlersRunAtOnceAndWhatTheyLeaveGoesOutAtTheNextTick) {
    start_held_tick(framed({0x31, 0xDE, 0xFD}));
    EXPECT_TRUE(w.state.wrs.empty()) << "the frame in flight was taken out of wrs";

    w.low_Click();  // appends: to wrs, not to the frame in flight
    const Bytes set_low = protocol::sensor_request(0, protocol::cmd_set_low);
    EXPECT_EQ(w.state.wrs, set_low);
    w.TMRComm_Timer();  // the timer firing while the exchange is in flight does nothing
    EXPECT_EQ(w.state.wrs, set_low);

    line.release_reads();
    hand_ticks::finish_tick(w);
    EXPECT_EQ(w.MsgCom->text(), " Неверный пароль.") << "the second half dispatched the reply";
    EXPECT_EQ(w.Pic->fill_colour(), exchange::lamp_red);
    EXPECT_EQ(line.written, std::vector<Bytes>{table_read_slot_1});

    hand_ticks::tick(w);
    EXPECT_EQ(line.written.back(), set_low);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ExchangeInFlight, DisconnectTakesEffectAtOnceAndTheReplyInFlightIsDropped) {
    start_held_tick(framed({0x31, 0xDE, 0xFD}));
    w.BTNCloseCom_Click();
    EXPECT_FALSE(w.connected());
    EXPECT_FALSE(w.TMRComm->isActive());
    EXPECT_FALSE(w.CmbNet->isEnabled());
    EXPECT_TRUE(w.txtRec->isEnabled());

    w.BTNOpenCom_Click();  // a connect right after: it opens once the port has closed
    EXPECT_TRUE(w.opening());
    w.BTNOpenCom_Click();  // a second press while the open is pending does nothing
    line.release_reads();
    hand_ticks::run_until(w, &frmSerial::open_finished, [&] { return !w.opening(); });
    EXPECT_TRUE(w.connected());
    EXPECT_TRUE(w.CmbNet->isEnabled());
    EXPECT_EQ(line.calls, (std::vector<std::string>{"open", "read", "write", "close", "open"}));
    EXPECT_EQ(line.written, std::vector<Bytes>{table_read_slot_1}) << "the frame in flight went out whole";

    QCoreApplication::processEvents();
    EXPECT_EQ(w.MsgCom->text(), "Подключено: COM1") << "the reply of the closed session is not dispatched";
    EXPECT_NE(w.Pic->fill_colour(), exchange::lamp_red);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ExchangeInFlight, ADisconnectWhileTheWriteErrorBoxIsUpIsNotUndoneByTheFifthFailure) {
    line.failing_writes = 1;
    w.state.err_write = 4;
    dialogs.while_shown = [&] { w.BTNCloseCom_Click(); };
    hand_ticks::tick(w);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_FALSE(w.connected());
    EXPECT_FALSE(w.CmbNet->isEnabled()) << "the controls were switched once, by the disconnect";
    EXPECT_TRUE(w.txtRec->isEnabled());
}

// On a real, silent line: the read waits its 256 ms on the line's thread before the
// write, and closing the window while a table write is in flight stops the read's wait
// but lets the frame go out whole first.
TEST(ExchangeOnASilentLine, TheWriteFollowsTheReadAndQuittingWaitsForTheFrameInFlight) {
    using Clock = std::chrono::steady_clock;
    PtyPair pty;
    ScriptedDialogs dialogs;
    serial::SerialPortLine line;
    auto w = std::make_unique<frmSerial>(dialogs, line);
    HandTicks hand(*w);
    w->CmbPort->setEditText(QString::fromStdString(pty.slave_path));
    hand_ticks::press_connect(*w);
    ASSERT_TRUE(w->connected());

    const auto ticked = Clock::now();
    w->TMRComm_Timer();
    EXPECT_EQ(pty.receive(table_read_slot_1.size()), table_read_slot_1);
    const auto waited = Clock::now() - ticked;
    EXPECT_GE(waited, 240ms);
    EXPECT_LT(waited, 500ms);
    hand_ticks::finish_tick(*w);

    w->zapForm_Click();
    w->Text43->setText(QStringLiteral("13"));
    w->write_struct_Click();
    const std::size_t table_frame = w->state.wrs.size();
    w->TMRComm_Timer();
    const auto closing = Clock::now();
    w.reset();
    EXPECT_LT(Clock::now() - closing, 200ms) << "quitting waited out the silent line's read";
    EXPECT_EQ(pty.receive(table_frame).size(), table_frame);
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
