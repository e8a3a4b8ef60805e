// The window on a real serial link to a simulator that misbehaves: a silent sensor, a
// wrong CRC, an answer in two pieces, noise between answers and a line that goes away.
// Ticks are driven by hand; where a test needs a whole answer (and its noise) to have
// arrived before the next read, as it has at the real interval, it waits for the
// simulator's log line of it.

#include <gtest/gtest.h>

#include <QEventLoop>
#include <chrono>
#include <memory>
#include <unistd.h>

#include "console/frm_serial.h"
#include "support/hand_ticks.h"
#include "support/scripted_dialogs.h"
#include "support/sim_process.h"

namespace {

using namespace std::chrono_literals;

const QString write_error = QStringLiteral("Error writing to comm's");
const QString table_written = QStringLiteral("CТаблица записана верно.");  // Latin C

// Sensor 1 of the simulator's default line with drift off, as its full poll shows it.
const QStringList sensor1 = {"1433", "21", "1", "1000", "31000", "1025", "11500"};

class WindowFaults : public ::testing::Test {
protected:
    std::unique_ptr<SimProcess> sim;
    std::string link = "/tmp/trelvik-faults-" + std::to_string(getpid());
    ScriptedDialogs dialogs;
    serial::SerialPortLine line;
    frmSerial w{dialogs, line};
    HandTicks hand{w};

    void TearDown() override { w.BTNCloseCom_Click(); }

    // `paced`: at the line's real pace, so the answer before a pulled line is still
    // arriving when the next tick reads, as at 19200 baud it is. At once, the line could
    // be gone before that read begins.
    void start(std::vector<std::string> args, bool linked = false, bool paced = false) {
        args.push_back("--no-drift");
        if (!paced) args.push_back("--no-pace");
        if (linked) args.insert(args.end(), {"--link", link});
        sim = std::make_unique<SimProcess>(args);
        ASSERT_FALSE(sim->device().empty());
    }

    void connect(const std::string& port) {
        w.CmbPort->setEditText(QString::fromStdString(port));
        hand_ticks::press_connect(w);
        ASSERT_TRUE(w.connected()) << (dialogs.messages.empty() ? "" : dialogs.messages.back().text.toStdString());
        EXPECT_EQ(w.MsgCom->text(), QStringLiteral("Подключено: ") + QString::fromStdString(port));
        w.MsgCom->clear();  // what a reply writes shows
    }

    // Full polls of sensor 1 from the next tick on.
    void poll_sensor_1() {
        w.CmbNet->setCurrentIndex(w.CmbNet->findText(QStringLiteral("1")));
        if (!w.state.block_zapros) w.block_Click();
    }

    void polling(bool on) {
        if (w.state.block_zapros != on) w.block_Click();
    }

    // Consumes the simulator's log up to the next line containing `text`.
    std::string saw(std::string_view text) {
        while (auto l = sim->line(5s))
            if (l->find(text) != std::string::npos) return *l;
        ADD_FAILURE() << "the simulator never logged \"" << text << '"';
        return {};
    }

    QStringList live_values() const {
        return {w.uroven->text(), w.temp->text(), w.ne->text(), w.lo->text(),
                w.hi->text(),     w.ko->text(),   w.tek->text()};
    }

    // The bytes of the last reply as the traffic box shows them, in hex without leading
    // zeros (the CRC computed over them left out).
    std::string dumped() const {
        const QString first = w.txtRec->toPlainText().replace(u'\r', u'\n').section(u'\n', 0, 0).trimmed();
        return first.left(first.lastIndexOf(u' ')).toStdString();
    }

    bool written_reported() const { return w.MsgCom->text().contains(table_written); }
};

TEST_F(WindowFaults, ASilentSensorIsPolledOnWithoutAnyReplyShown) {
    start({"--mute", "1"});
    connect(sim->device());
    poll_sensor_1();
    const QStringList before = live_values();
    unsigned colour = w.Pic->fill_colour();
    for (int tick = 0; tick < 5; ++tick) {
        hand_ticks::tick(w);
        EXPECT_NE(w.Pic->fill_colour(), colour) << "every tick's write blinks the lamp";
        colour = w.Pic->fill_colour();
        EXPECT_NE(colour, exchange::lamp_red) << "nothing came back";
    }
    saw("<- 31 01 FC");  // the serial number, then a full poll per tick
    for (int poll = 0; poll < 4; ++poll) saw("<- 31 01 F0");
    EXPECT_EQ(live_values(), before);
    EXPECT_TRUE(w.MsgCom->text().isEmpty());
    EXPECT_EQ(w.sn->text(), "00000000000");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(w.connected());
}

TEST_F(WindowFaults, AFullPollWithAWrongCrcChangesNoValue) {
    start({"--bad-crc", "1"});
    connect(sim->device());
    poll_sensor_1();
    hand_ticks::tick(w);  // the serial number request
    hand_ticks::tick(w);  // its answer; the first full poll goes out
    const QStringList before = live_values();
    for (int tick = 0; tick < 3; ++tick) {
        hand_ticks::tick(w);
        EXPECT_EQ(live_values(), before);
        EXPECT_EQ(w.Pic->fill_colour(), exchange::lamp_red) << "an answer did arrive";
    }
    saw("F0");
    saw("(bad CRC)");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowFaults, AnAnswerInTwoPiecesIsNeverShownHalfRead) {
    start({"--split", "1", "--gap-ms", "30"});
    connect(sim->device());
    poll_sensor_1();
    hand_ticks::tick(w);  // the serial number request
    saw("(split, rest)");
    hand_ticks::tick(w);  // reads its whole answer; the full poll goes out
    EXPECT_EQ(w.sn->text(), "151013");
    const QStringList before = live_values();

    polling(false);     // the next two reads get the two pieces and nothing else
    hand_ticks::tick(w);  // back to back with the poll: the read ends in the 30 ms gap
    EXPECT_EQ(dumped(), "3E 1 F0 15 99 5 EC 2C 0 0 E8") << "the first 11 bytes only";
    EXPECT_EQ(live_values(), before) << "half a full poll is no full poll";

    saw("(split, rest)");
    hand_ticks::tick(w);  // the second piece alone
    EXPECT_EQ(dumped(), "3 0 0 18 79 0 0 1 4 0 F");
    EXPECT_EQ(live_values(), before) << "the rest is not taken for a reply of its own";
    EXPECT_TRUE(w.MsgCom->text().isEmpty());
    EXPECT_TRUE(dialogs.messages.empty());

    polling(true);
    hand_ticks::tick(w);  // a full poll
    saw("(split, rest)");
    hand_ticks::tick(w);  // read at leisure, both pieces are there
    EXPECT_EQ(live_values(), sensor1);
}

TEST_F(WindowFaults, NoiseBetweenAnswersLeavesOnlyRightValues) {
    start({"--garbage", "12", "--seed", "7"});
    connect(sim->device());
    const QStringList initial = live_values();
    auto only_initial_or_right = [&] {
        const QStringList now = live_values();
        for (int i = 0; i < now.size(); ++i)
            EXPECT_TRUE(now[i] == initial[i] || now[i] == sensor1[i]) << i << ": " << now[i].toStdString();
    };
    int answered = 0, noise_seen = 0;
    auto settle = [&] {  // every answer so far and its noise have arrived
        for (; noise_seen < answered; ++noise_seen) saw("(garbage)");
    };

    // Back to back: a read takes whatever arrived, noise ahead of an answer included.
    poll_sensor_1();
    for (int tick = 0; tick < 8; ++tick, ++answered) {
        hand_ticks::tick(w);
        only_initial_or_right();
    }
    polling(false);
    settle();
    hand_ticks::tick(w);

    // At the real pace each read holds one answer and the noise behind it.
    w.Cmb_Datchik->setCurrentIndex(2);
    w.Cmb_Datchik_Click();
    hand_ticks::tick(w);
    ++answered;
    settle();
    hand_ticks::tick(w);
    EXPECT_EQ(w.MsgCom->text(), "Sensor 3. Прочитана тарировочная таблица.");
    EXPECT_EQ(w.Text43->text(), "3");
    EXPECT_EQ(w.Text44[0]->text(), "120");
    EXPECT_EQ(w.Text44[39]->text(), "4800");
    EXPECT_EQ(w.Text45[39]->text(), "1400");
    only_initial_or_right();
    EXPECT_TRUE(w.connected());
}

TEST_F(WindowFaults, APulledLineDisconnectsAtTheFifthFailedWriteAndReconnects) {
    start({"--close-after", "3", "--reopen-after", "300"}, true, true);
    connect(link);
    poll_sensor_1();
    for (int tick = 0; tick < 3; ++tick) hand_ticks::tick(w);  // serial number, two full polls
    polling(false);
    hand_ticks::tick(w);  // reads the last answer; then the line goes
    saw("line closed");
    EXPECT_EQ(live_values(), sensor1);

    polling(true);
    std::vector<bool> connected_while_shown;
    dialogs.while_shown = [&] {
        connected_while_shown.push_back(w.connected());
        const auto shown = dialogs.messages.size();
        w.TMRComm_Timer();  // the box's event loop lets the timer fire: that tick must not run
        EXPECT_EQ(dialogs.messages.size(), shown);
    };
    for (int failure = 1; failure <= 5; ++failure) {
        ASSERT_TRUE(w.connected()) << "before failure " << failure;
        hand_ticks::tick(w);
        ASSERT_EQ(dialogs.messages.size(), static_cast<std::size_t>(failure));
        EXPECT_EQ(dialogs.messages.back().text, write_error);
    }
    EXPECT_EQ(connected_while_shown, std::vector<bool>(5, true));
    EXPECT_FALSE(w.connected());
    EXPECT_FALSE(w.TMRComm->isActive());
    EXPECT_FALSE(w.line_open());
    EXPECT_FALSE(w.CmbNet->isEnabled() || w.Opros->isEnabled() || w.uroven->isEnabled() || w.Set_mode->isEnabled());
    EXPECT_TRUE(w.txtRec->isEnabled());

    // The adapter comes back under the same name.
    dialogs.while_shown = nullptr;
    dialogs.messages.clear();
    saw("line reopened: ");
    connect(link);
    EXPECT_TRUE(w.CmbNet->isEnabled());
    hand_ticks::tick(w);
    saw("<- 31 01 F0");
    hand_ticks::tick(w);
    EXPECT_EQ(w.Pic->fill_colour(), exchange::lamp_red);
    EXPECT_EQ(live_values(), sensor1);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowFaults, ATableWriteOnAPulledLineIsNeverReportedWritten) {
    start({"--close-after", "1", "--reopen-after", "200"}, true, true);
    connect(link);
    dialogs.while_shown = [&] { EXPECT_FALSE(written_reported()); };
    hand_ticks::tick(w);  // the table of slot 0, asked for at start
    hand_ticks::tick(w);  // read; then the line goes
    ASSERT_EQ(w.Text44[0]->text(), "100");
    saw("line closed");

    w.Text44[0]->setText(QStringLiteral("177"));
    w.write_struct_Click();
    ASSERT_EQ(w.state.wrs.size(), calibration::table_frame_length);
    hand_ticks::tick(w);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, write_error);
    EXPECT_FALSE(written_reported());
    EXPECT_TRUE(w.state.wrs.empty()) << "a failed frame is dropped, not sent after a reconnect";

    w.BTNCloseCom_Click();
    saw("line reopened: ");
    connect(link);
    for (int tick = 0; tick < 3; ++tick) {
        hand_ticks::tick(w);
        EXPECT_FALSE(written_reported());
    }
    w.rd_table_Click();  // what the unit holds now
    hand_ticks::tick(w);
    saw("<- 3E DE EE 00");
    hand_ticks::tick(w);
    EXPECT_EQ(w.Text44[0]->text(), "100") << "the unit kept its table";
    EXPECT_FALSE(written_reported());
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

// An idle port must let go of a line that went away, or the event loop spins on its
// descriptor.
TEST_F(WindowFaults, AnIdlePortLetsGoOfAPulledLine) {
    start({"--close-after", "1"});
    connect(sim->device());
    hand_ticks::tick(w);
    hand_ticks::tick(w);  // the table read at start and its answer; then the line goes
    saw("line closed");
    QEventLoop loop;  // the window idle: polling off, nothing pending
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (!w.line_open()) loop.quit();
    });
    check.start(10);
    QTimer::singleShot(3000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_FALSE(w.line_open()) << "the port still holds a line that went away";

    // With nothing to send, the window still notices: every tick fails, the fifth disconnects.
    for (int failure = 1; failure <= 5; ++failure) hand_ticks::tick(w);
    EXPECT_EQ(dialogs.messages.size(), 5u);
    EXPECT_FALSE(w.connected());
    EXPECT_FALSE(w.TMRComm->isActive());
    EXPECT_FALSE(w.Opros->isEnabled());
}

}  // namespace
