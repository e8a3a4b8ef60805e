// The window driven through its real handlers and ticks, on a scripted line.

#include <gtest/gtest.h>

#include "calibration/table_frame.h"
#include "console/frm_serial.h"
#include "protocol/crc.h"
#include "support/framed.h"
#include "support/hand_ticks.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_line.h"

using protocol::Byte;
using protocol::Bytes;

namespace {

// Full poll reply from sensor 5.
Bytes full_poll(Byte temperature, std::uint16_t level, std::optional<Byte> mode = std::nullopt) {
    return full_poll_reply(0x05, temperature, level, mode);
}

QString box_text(const std::string& text) {
    // The traffic box keeps line breaks as LF.
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

class WindowTest : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    ScriptedLine line;
    frmSerial w{dialogs, line};
    HandTicks hand{w};

    // Connected, and the status line that says so cleared: what a reply writes shows.
    void connect_line() {
        hand_ticks::press_connect(w);
        ASSERT_TRUE(w.connected());
        EXPECT_TRUE(w.MsgCom->text().startsWith(QStringLiteral("Подключено: ")));
        w.MsgCom->clear();
    }
    // One tick that reads `reply` (nothing when empty) and returns what it wrote.
    Bytes tick(Bytes reply = {}) { return hand_ticks::tick_reading(w, line, std::move(reply)); }
    void select_net(const QString& text) { w.CmbNet->setCurrentIndex(w.CmbNet->findText(text)); }
};

TEST_F(WindowTest, StartsDisconnectedWithTheFirstSlotsTableReadPending) {
    EXPECT_EQ(w.CmbNet->currentText(), "0");
    EXPECT_FALSE(w.CmbNet->isEnabled());
    EXPECT_EQ(w.CmbPort->currentText(), "COM1:");  // the entries: window_ports_test.cpp
    EXPECT_EQ(w.Cmb_Datchik->currentText(), "Sensor 1");
    EXPECT_EQ(w.Cmb_Datchik->count(), 10);
    EXPECT_FALSE(w.TMRComm->isActive());
    EXPECT_TRUE(line.written.empty());
    EXPECT_EQ(w.state.wrs, (Bytes{0x3E, 0xDE, 0xEE, 0x00, 0x19}));
    EXPECT_EQ(w.txtRec->toPlainText(), box_text("3E DE EE 0 19 \r\n\r\n>Юо@@"));

    hand_ticks::press_connect(w);
    EXPECT_EQ(line.opened_port, "COM1:");
    EXPECT_EQ(w.MsgCom->text(), "Подключено: COM1");
    EXPECT_TRUE(w.TMRComm->isActive());
    EXPECT_EQ(w.TMRComm->interval(), 500);
    EXPECT_EQ(tick(), (Bytes{0x3E, 0xDE, 0xEE, 0x00, 0x19}));
}

// A change asked for while disconnected does not go out at the next connection, which may
// be to another unit; the status line says so.
TEST_F(WindowTest, AChangeAskedForWhileDisconnectedIsNotSentOnConnect) {
    w.mode_ind_Click();
    ASSERT_FALSE(w.state.wrs.empty());
    EXPECT_EQ(w.MsgCom->text(), "Нет подключения: команда не отправлена. Подключитесь («Подключить») и подайте её снова.");
    hand_ticks::press_connect(w);
    EXPECT_EQ(w.MsgCom->text(),
              "Подключено: COM1. Команда, поданная без подключения, не отправлена: подайте её снова.");
    EXPECT_TRUE(w.state.wrs.empty());
    EXPECT_EQ(tick(), (Bytes{})) << "no poll while the poll is off, and nothing held back";
}

TEST_F(WindowTest, ConnectAndDisconnectAlternateAndRepeatsChangeNothing) {
    w.CmbPort->setEditText(QStringLiteral("/dev/ttyUSB0"));
    w.BTNCloseCom_Click();  // not connected: nothing to undo
    EXPECT_FALSE(w.CmbNet->isEnabled());
    EXPECT_TRUE(w.txtRec->isEnabled());

    hand_ticks::press_connect(w);
    EXPECT_EQ(line.opened_port, "/dev/ttyUSB0");
    EXPECT_EQ(w.MsgCom->text(), "Подключено: /dev/ttyUSB0");
    for (QWidget* c : std::initializer_list<QWidget*>{w.CmbNet, w.Opros, w.Label4})
        EXPECT_TRUE(c->isEnabled()) << c->objectName().toStdString();
    EXPECT_FALSE(w.uroven->isEnabled() || w.temp->isEnabled()) << "no figure read yet";
    EXPECT_FALSE(w.txtRec->isEnabled());
    hand_ticks::press_connect(w);  // already connected
    EXPECT_TRUE(w.CmbNet->isEnabled());

    w.BTNCloseCom_Click();
    EXPECT_EQ(w.MsgCom->text(), "Отключено.");
    EXPECT_FALSE(w.TMRComm->isActive());
    EXPECT_FALSE(w.line_open());
    EXPECT_FALSE(w.CmbNet->isEnabled());
    EXPECT_FALSE(w.Frame3->isEnabled());
    EXPECT_TRUE(w.txtRec->isEnabled());
    EXPECT_TRUE(w.vv->isEnabled());

    // A timeout already due when the cycle stopped neither writes nor touches the controls.
    w.state.err_write = 4;
    hand_ticks::tick(w);
    EXPECT_TRUE(line.written.empty());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(w.CmbNet->isEnabled());
}

TEST_F(WindowTest, FailedConnectShowsTheMessageAndStartsNothing) {
    line.open_result = false;
    hand_ticks::press_connect(w);
    ASSERT_EQ(dialogs.messages.size(), 2u) << "the port's reason, then the window's own";
    EXPECT_EQ(dialogs.messages[0].text, "Com Port COM1: недоступен. Установите нужный порт.");
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(dialogs.messages[1].text, "COM1: Not available!");
    EXPECT_EQ(dialogs.messages[1].icon, Dialogs::Icon::None);
    EXPECT_FALSE(w.connected());
    EXPECT_FALSE(w.TMRComm->isActive());
    EXPECT_FALSE(w.CmbNet->isEnabled());
}

TEST_F(WindowTest, WhatATickSendsFollowsItsPrecedence) {
    connect_line();
    tick();  // the pending table read
    EXPECT_EQ(tick(), Bytes{}) << "nothing pending and the poll off: nothing is sent";
    EXPECT_EQ(w.txtRec->toPlainText(), "\n\n");

    w.block_Click();
    EXPECT_EQ(w.block->text(), "Разблокировка");
    EXPECT_EQ(tick(), (Bytes{0x31, 0x00, 0xF0, protocol::crc8(Bytes{0x31, 0x00, 0xF0})}));

    w.rd_table_Click();
    select_net("1");  // an address change beats the pending command, which is lost
    EXPECT_EQ(tick(), (Bytes{0x31, 0x01, 0xFC, 0x66}));
    EXPECT_EQ(w.state.last_net, 1);

    w.std_zap->setChecked(true);
    for (const char* nn1 : {"x", "256"}) {
        w.nn1->setText(QString::fromLatin1(nn1));
        EXPECT_EQ(tick(), (Bytes{0x31, 0x01, 0x06, 0x6C})) << nn1;
    }
    w.CmbNet->setEditText(QStringLiteral("9"));  // typed, matches no entry: no address selected
    EXPECT_EQ(tick(), Bytes{});

    w.block_Click();
    EXPECT_EQ(w.block->text(), "Блокировка");
    w.avtozap->setChecked(true);
    EXPECT_EQ(tick().size(), 54u);
}

TEST_F(WindowTest, TypingAnAddressQueuesItsSerialNumberRequest) {
    w.CmbNet->setEditText(QStringLiteral("1"));
    w.CmbNet_Change();
    EXPECT_EQ(w.state.wrs, (Bytes{0x31, 0x01, 0xFC, 0x66}));
    w.CmbNet->setEditText(QStringLiteral("12"));
    w.CmbNet_Change();
    EXPECT_TRUE(w.state.wrs.empty());
}

TEST_F(WindowTest, TheFifthFailedWriteInARowDisconnects) {
    connect_line();
    w.block_Click();  // a poll to write on every tick
    line.failing_writes = 4;
    for (int i = 0; i < 4; ++i) tick(framed({0x3E, 0x05, 0xFA}));
    EXPECT_EQ(dialogs.messages.size(), 4u);
    EXPECT_EQ(dialogs.messages.back().text, "Error writing to comm's");
    EXPECT_EQ(w.state.err_write, 4);
    EXPECT_TRUE(w.TMRComm->isActive());
    EXPECT_TRUE(w.MsgCom->text().isEmpty()) << "bytes read in a failed tick are dropped";
    EXPECT_TRUE(w.state.wrs.empty());

    tick();  // one good write resets the count
    EXPECT_EQ(w.state.err_write, 0);

    line.failing_writes = 5;
    for (int i = 0; i < 5; ++i) tick();
    EXPECT_FALSE(w.TMRComm->isActive());
    EXPECT_FALSE(w.connected());
    EXPECT_FALSE(w.line_open());
    EXPECT_FALSE(w.CmbNet->isEnabled());
    EXPECT_TRUE(w.txtRec->isEnabled());
}

TEST_F(WindowTest, ATickDoesNotRunInsideAnotherTicksMessageBox) {
    connect_line();
    line.failing_writes = 1;
    int inner_writes = -1;
    dialogs.while_shown = [&] {
        const auto before = line.written.size();
        w.TMRComm_Timer();  // the timer firing while the box is up
        inner_writes = static_cast<int>(line.written.size() - before);
    };
    tick();
    EXPECT_EQ(inner_writes, 0);
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(WindowTest, TheLampBlinksWithWritesAndTurnsRedOnAReply) {
    connect_line();
    w.Pic->set_fill_colour(0xFFFFFF);
    tick();
    EXPECT_EQ(w.Pic->fill_colour(), 0x808080u);
    tick();
    EXPECT_EQ(w.Pic->fill_colour(), 0xFFFFFFu);
    tick(framed({0x3E, 0x05, 0xFA}));
    EXPECT_EQ(w.Pic->fill_colour(), 0xFF0000u);
    tick();
    EXPECT_EQ(w.Pic->fill_colour(), 0xFFFFFFu);
    // The flush after the reply's dispatch ran on the line before the next tick's read.
    EXPECT_EQ(line.flushes, 1);
    EXPECT_EQ(std::vector<std::string>(line.calls.end() - 3, line.calls.end()),
              (std::vector<std::string>{"flush", "read", "write"}));
}

TEST_F(WindowTest, SensorRepliesFillTheLabels) {
    connect_line();
    tick(full_poll(0xFF, 0x1234, 0x0B));
    EXPECT_EQ(w.temp->text(), "-1");
    EXPECT_EQ(w.uroven->text(), "4660");
    EXPECT_EQ(w.tek->text(), "2147483649");
    EXPECT_EQ(w.lo->text(), "1000");
    EXPECT_EQ(w.hi->text(), "3000");
    EXPECT_EQ(w.ko->text(), "7");
    EXPECT_EQ(w.ne->text(), "5");
    EXPECT_TRUE(w.iinv->isChecked() && w.R_a->isChecked() && w.usredn->isChecked());
    EXPECT_FALSE(w.state.mode_yes);

    tick(full_poll(0x19, 10, 0x00));  // the mode byte is shown once only
    EXPECT_EQ(w.temp->text(), "25");
    EXPECT_TRUE(w.R_a->isChecked());

    Bytes bad = full_poll(0x80, 99);
    bad.back() ^= 1;
    tick(bad);
    EXPECT_EQ(w.temp->text(), "25") << "a full poll with a wrong CRC changes nothing";

    tick(framed({0x3E, 0x05, 0xF2, 0xF4}));  // the set-mode reply shows its mode whatever mode_yes holds
    EXPECT_EQ(w.MsgCom->text(), " Установлен новый режим.");
    EXPECT_TRUE(w.R_f->isChecked());
    EXPECT_FALSE(w.iinv->isChecked() || w.usredn->isChecked());

    tick(framed({0x3E, 0x01, 0xFC, 0x01, 0x00, 0x00, 0x00, 152, 0x00}));
    EXPECT_EQ(w.sn->text(), "1");
    EXPECT_EQ(w.vv->text(), "1.5.2.");
    tick(Bytes{0x3E, 0x01, 0xFC, 0x01});
    EXPECT_EQ(w.sn->text(), "????????");

    tick(framed({0x3E, 0x01, 0x06, 0xEC, 0x10, 0x00}));
    EXPECT_EQ(w.temp->text(), "-20");
    EXPECT_EQ(w.uroven->text(), "16");
    EXPECT_EQ(w.MsgCom->text(), " Датчик подключен.");
}

TEST_F(WindowTest, StatusLinesAndTheUnknownReplyBox) {
    connect_line();
    tick(framed({0x3E, 0x07, 0xFD}));
    EXPECT_EQ(w.MsgCom->text(), "Изменена инверсия.");
    tick(framed({0x31, 0xDE, 0xFD}));
    EXPECT_EQ(w.MsgCom->text(), " Неверный пароль.");
    w.Cmb_Datchik->setCurrentIndex(3);
    tick(framed({0x31, 0xDE, 0xE0}));
    EXPECT_EQ(w.MsgCom->text(), "Sensor 4. CТаблица записана верно.");
    EXPECT_TRUE(dialogs.messages.empty());

    tick(framed({0x3E, 0x07, 0x99}));
    EXPECT_EQ(w.MsgCom->text(), " Непонятно что пришло! ");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Пришла какая-то фигня");
}

TEST_F(WindowTest, ASearchResultRebuildsTheAddressListOnlyWhileASearchIsOutstanding) {
    connect_line();
    tick(Bytes{0x01, 0x02, 0x05});
    EXPECT_EQ(w.CmbNet->count(), 2) << "no search outstanding";
    const std::string reply_crc = QString::number(protocol::crc8(Bytes{0x01, 0x02}), 16).toUpper().toStdString();
    EXPECT_EQ(w.txtRec->toPlainText(), box_text("1 2 5 " + reply_crc + " \r\n\r\n@@@0"));

    w.state.net_opr = true;
    tick(Bytes{0x01, 0x02, 0x05});
    ASSERT_EQ(w.CmbNet->count(), 3);
    EXPECT_EQ(w.CmbNet->currentText(), "1");
    EXPECT_EQ(w.netdev->text(), "1 2 5 ");
    EXPECT_EQ(w.txtRec->toPlainText(), "1 2 5 ");
    EXPECT_EQ(w.state.wrs, (Bytes{0x31, 0x01, 0xFC, 0x66}));
    EXPECT_EQ(w.MsgCom->text(), "Произошел опрос сети.");
    EXPECT_FALSE(w.state.net_opr);
}

TEST_F(WindowTest, ModeByteOnTheModeControls) {
    struct Case {
        Byte nn;
        QRadioButton* selected;
        bool inverted, smoothed;
    };
    w.R_f->setChecked(true);
    for (const Case& c : {Case{0x06, w.R_f, false, false}, Case{0x00, w.R485, false, false},
                          Case{0x0B, w.R_a, true, true}, Case{0x0F, w.R_a, true, true},
                          Case{0xF4, w.R_f, false, false}}) {
        w.state.mode_yes = true;
        w.Out_modes(c.nn);
        EXPECT_TRUE(c.selected->isChecked()) << int(c.nn);
        EXPECT_EQ(w.iinv->isChecked(), c.inverted) << int(c.nn);
        EXPECT_EQ(w.usredn->isChecked(), c.smoothed) << int(c.nn);
        EXPECT_FALSE(w.state.mode_yes);
    }
}

class TableReadTest : public WindowTest {
protected:
    calibration::CalibrationTable table() {
        calibration::CalibrationTable t;
        t.net = 42;
        t.status = 0x00;
        for (std::size_t k = 0; k < calibration::table_points; ++k) {
            t.values[k] = static_cast<std::uint16_t>(500 + k);
            t.litres[k] = static_cast<std::uint16_t>(40000 + k);  // above 32767: shown whole
        }
        return t;
    }
};

TEST_F(TableReadTest, AWholeReplyFillsTheGridAndTheDisplayMode) {
    w.Cmb_Datchik->setCurrentIndex(9);
    w.Cmb_Datchik_Click();
    EXPECT_EQ(w.state.wrs, (Bytes{0x3E, 0xDE, 0xEE, 0x09, 0x85}));
    connect_line();
    tick();
    Bytes reply = calibration::build_table_reply(table(), 0x05);
    reply.back() ^= 0xFF;  // a wrong CRC is only shown
    tick(reply);
    EXPECT_EQ(w.MsgCom->text(), "Sensor 10. Прочитана тарировочная таблица.");
    EXPECT_EQ(w.Text43->text(), "42");
    EXPECT_TRUE(w.D_otkl->isChecked());
    EXPECT_EQ(w.Text44[0]->text(), "500");
    EXPECT_EQ(w.Text44[39]->text(), "539");
    EXPECT_EQ(w.Text45[39]->text(), "40039");
    EXPECT_TRUE(w.Option1->isChecked() && w.Check_vedom->isChecked());
    const QString dump = w.txtRec->toPlainText();
    EXPECT_TRUE(dump.startsWith("100 200 300 ")) << "the grid as it was comes first";
    const QString crc = QString::number(protocol::crc8(protocol::ByteView(reply).first(166)), 16).toUpper();
    EXPECT_TRUE(dump.endsWith(" " + crc + " " + crc)) << dump.right(20).toStdString();
}

TEST_F(TableReadTest, AShortReplyFillsWhatArrivedAndLeavesTheRest) {
    connect_line();
    w.Option2->setChecked(true);
    Bytes reply = calibration::build_table_reply(table(), 0x05);
    reply.resize(165);
    tick(reply);
    EXPECT_EQ(w.Text45[39]->text(), "40039");
    EXPECT_TRUE(w.Option2->isChecked()) << "the mode byte did not arrive";
    EXPECT_EQ(w.MsgCom->text(), "Sensor 1. Прочитана тарировочная таблица.");

    reply.resize(4);
    w.D_otkl->setChecked(false);
    w.Text43->setText(QStringLiteral("13"));
    tick(reply);
    EXPECT_EQ(w.Text43->text(), "42");
    EXPECT_FALSE(w.D_otkl->isChecked()) << "no status byte: the slot's switch stays as it was";
}

}  // namespace
