// The operator's commands end to end: the window's real handlers and controls on a real
// serial link to the device simulator. Ticks are driven by hand; each tick reads the
// answer to the previous tick's frame and then writes what is pending, so a command
// issued before a tick goes out with it and its answer shows after the next one.
// What the devices received and did is taken from the simulator's log.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/frm_serial.h"
#include "support/hand_ticks.h"
#include "support/scripted_dialogs.h"
#include "support/sim_process.h"

namespace {

using Lines = std::vector<std::string>;

// A log line without its "HH:MM:SS.mmm " stamp.
std::string unstamped(const std::string& line) {
    const bool stamped = line.size() > 13 && line[2] == ':' && line[5] == ':' && line[12] == ' ';
    return stamped ? line.substr(13) : line;
}

// The frames the simulator logged as received, in hexadecimal, in order.
Lines received(const Lines& log) {
    Lines frames;
    for (const auto& l : log)
        if (l.starts_with("<- ")) frames.push_back(l.substr(3));
    return frames;
}

Lines starting_with(const Lines& log, std::string_view prefix) {
    Lines found;
    for (const auto& l : log)
        if (l.starts_with(prefix)) found.push_back(l);
    return found;
}

std::size_t byte_count(const Lines& frames) {
    std::size_t n = 0;
    for (const auto& f : frames) n += (f.size() + 1) / 3;
    return n;
}

class CommandsOnSimulator : public ::testing::Test {
protected:
    std::optional<SimProcess> sim;
    ScriptedDialogs dialogs;
    serial::SerialPortLine line;
    frmSerial w{dialogs, line};
    HandTicks hand{w};

    void TearDown() override {
        w.BTNCloseCom_Click();
        for (const auto& m : dialogs.messages) ADD_FAILURE() << "unexpected message box: " << m.text.toStdString();
    }

    // A fresh simulator (no drift, no pacing, plus `options`) with the window connected to it.
    void start(std::vector<std::string> options = {}) {
        w.BTNCloseCom_Click();
        sim.reset();
        options.insert(options.begin(), {"--no-drift", "--no-pace"});
        sim.emplace(options);
        ASSERT_FALSE(sim->device().empty());
        w.CmbPort->setEditText(QString::fromStdString(sim->device()));
        hand_ticks::press_connect(w);
        ASSERT_TRUE(w.connected());
    }

    // The status line shows only what this tick's reply put there.
    void tick() {
        w.MsgCom->clear();
        hand_ticks::tick(w);
    }

    std::string status() const { return w.MsgCom->text().toStdString(); }

    // The simulator's log up to and including the first line that starts with `text`.
    Lines log_until(std::string_view text) {
        Lines seen;
        while (auto l = sim->line(std::chrono::seconds(5))) {
            seen.push_back(unstamped(*l));
            if (seen.back().starts_with(text)) return seen;
        }
        ADD_FAILURE() << "the simulator never logged \"" << text << "\"";
        return seen;
    }

    void select_slot(int slot) {
        w.Cmb_Datchik->setCurrentIndex(slot);
        w.Cmb_Datchik_Click();
    }
    void select_net(const char* address) {
        w.CmbNet->setCurrentIndex(w.CmbNet->findText(QString::fromLatin1(address)));
        ASSERT_EQ(w.CmbNet->currentText(), address);
    }
    // The address list, blank-separated.
    std::string addresses() const {
        QStringList items;
        for (int i = 0; i < w.CmbNet->count(); ++i) items << w.CmbNet->itemText(i);
        return items.join(' ').toStdString();
    }
    // Everything the table grid shows: network number, switch, values, litres.
    Lines grid() const {
        Lines texts{w.Text43->text().toStdString(), w.D_otkl->isChecked() ? "off" : "on"};
        for (const auto* box : w.Text44) texts.push_back(box->text().toStdString());
        for (const auto* box : w.Text45) texts.push_back(box->text().toStdString());
        return texts;
    }
};

TEST_F(CommandsOnSimulator, SearchListsTheSensorsAndAsksTheFirstForItsIdentity) {
    ASSERT_NO_FATAL_FAILURE(start());
    w.Opros_Click();  // takes the place of the table read pending since start-up
    tick();           // sends the search
    tick();           // reads the addresses
    EXPECT_EQ(addresses(), "1 2 5");
    EXPECT_EQ(w.CmbNet->currentText(), "1");
    EXPECT_EQ(status(), "Произошел опрос сети.");
    tick();
    EXPECT_EQ(received(log_until("<- 31 01 FC")), Lines({"31 FF DC", "31 01 FC 66"}))
        << "the search, then the first address's serial-number request";

    // A first address of 49 or 62 makes the list start like a reply from the display
    // unit or a sensor (four bytes from 62 would pass for a sensor's reply with an
    // unknown code); it is still the search result. The sensors answer in address
    // order, so 49 and 62 come first only among higher addresses.
    const struct {
        const char* sensors;
        const char* listed;
        const char* identity_request;
    } lists[] = {{"49,120", "49 120", "31 31 FC 4B"}, {"62,100,150,200", "62 100 150 200", "31 3E FC 53"}};
    for (const auto& c : lists) {
        SCOPED_TRACE(c.sensors);
        ASSERT_NO_FATAL_FAILURE(start({"--sensors", c.sensors}));
        w.Opros_Click();
        tick();
        tick();
        EXPECT_EQ(addresses(), c.listed);
        EXPECT_EQ(status(), "Произошел опрос сети.");
        tick();
        EXPECT_EQ(received(log_until("<- 31 ")), Lines({"31 FF DC"}));
        EXPECT_EQ(received(log_until("<- 31 ")), Lines({c.identity_request}));
    }
}

TEST_F(CommandsOnSimulator, AnEditedTableIsWrittenAndReadsBackAsEdited) {
    ASSERT_NO_FATAL_FAILURE(start());
    select_slot(3);
    tick();
    tick();
    ASSERT_EQ(status(), "Sensor 4. Прочитана тарировочная таблица.");
    ASSERT_EQ(w.Text44[1]->text(), "260") << "slot 3's own curve";

    w.Text43->setText("77");
    w.D_otkl->setChecked(true);
    w.Text44[0]->setText("111");
    w.Text44[39]->setText("32767");
    w.Text45[0]->setText("0");
    w.Text45[39]->setText("65535");
    const Lines edited = grid();
    w.write_struct_Click();
    tick();  // sends the table

    // A value no field can carry: one box naming it, and nothing goes out.
    w.Text45[5]->setText("70000");
    w.write_struct_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("Литры, строка 6")) << dialogs.messages[0].text.toStdString();
    dialogs.messages.clear();
    tick();  // reads the confirmation; sends nothing
    EXPECT_EQ(status(), "Sensor 4. CТаблица записана верно.");  // the C is the Latin letter

    for (auto* box : w.Text44) box->clear();
    for (auto* box : w.Text45) box->clear();
    w.Text43->clear();
    w.D_otkl->setChecked(false);
    w.rd_table_Click();
    tick();
    tick();
    EXPECT_EQ(status(), "Sensor 4. Прочитана тарировочная таблица.");
    EXPECT_EQ(grid(), edited);

    log_until("<- 3E DE EE 03");  // the first read
    const Lines log = log_until("<- 3E DE EE 03");
    ASSERT_EQ(received(log).size(), 2u) << "one table written, then the read back";
    EXPECT_EQ(received(log)[0].substr(0, 11), "3E DE EF 03");
    EXPECT_EQ(starting_with(log, "-- display: table"),
              Lines({"-- display: table of Sensor 4 written (network number 77, switched off)"}));
}

TEST_F(CommandsOnSimulator, LockedTablesNeedThePasswordWhichCanBeChanged) {
    ASSERT_NO_FATAL_FAILURE(start({"--lock-tables"}));
    tick();  // the table read pending since start-up
    tick();
    ASSERT_EQ(status(), "Sensor 1. Прочитана тарировочная таблица.");

    auto present = [&](const char* password) {
        dialogs.inputs = {password};
        w.pwdIn_Click();
    };
    // Each tick shows the answer to the frame the tick before sent.
    w.write_struct_Click();
    tick();
    present("11111");
    tick();
    EXPECT_EQ(status(), " Неверный пароль.") << "the locked unit refuses the table";
    present("12345");
    tick();
    EXPECT_EQ(status(), " Неверный пароль.") << "a wrong password";
    w.write_struct_Click();
    tick();
    EXPECT_EQ(status(), " Пароль принят.");
    dialogs.answers = {Dialogs::Answer::Yes};
    dialogs.inputs = {"54321"};
    w.set_pwd_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u) << "the change is confirmed first";
    dialogs.messages.clear();
    tick();
    EXPECT_EQ(status(), "Sensor 1. CТаблица записана верно.") << "unlocked, the table is taken";
    present("12345");
    tick();
    EXPECT_EQ(status(), " Установлен новый пароль.");
    present("54321");
    tick();
    EXPECT_EQ(status(), " Неверный пароль.") << "the old password";
    tick();
    EXPECT_EQ(status(), " Пароль принят.") << "the new password";

    for (const char* note : {"-- display: table write refused, locked", "-- display: wrong password, locked",
                             "-- display: password accepted, unlocked", "-- display: table of Sensor 1 written",
                             "-- display: password changed to 54321", "-- display: wrong password, locked",
                             "-- display: password accepted, unlocked"})
        log_until(note);
}

TEST_F(CommandsOnSimulator, TheDisplayModeSetIsReadBackWithTheTable) {
    ASSERT_NO_FATAL_FAILURE(start());
    auto set_display_mode = [&](bool passive, bool virs) {
        (passive ? w.Option1 : w.Option2)->setChecked(true);
        w.Check_vedom->setChecked(virs);
        w.mode_ind_Click();
    };
    tick();  // sends the table read pending since start-up
    set_display_mode(true, true);
    tick();  // reads the table, sends the mode
    EXPECT_TRUE(w.Option2->isChecked() && !w.Check_vedom->isChecked()) << "the unit starts active, without ВИРС";
    w.rd_table_Click();
    tick();
    EXPECT_EQ(status(), " Установлен новый режим.");
    set_display_mode(false, false);
    tick();  // reads the table, sends the other mode
    EXPECT_TRUE(w.Option1->isChecked() && w.Check_vedom->isChecked()) << "passive, ВИРС";
    w.rd_table_Click();
    tick();
    EXPECT_EQ(status(), " Установлен новый режим.");
    tick();
    EXPECT_TRUE(w.Option2->isChecked() && !w.Check_vedom->isChecked()) << "active, without ВИРС";

    EXPECT_EQ(log_until("-- display: mode").back(), "-- display: mode := passive, VIRS");
    EXPECT_EQ(log_until("-- display: mode").back(), "-- display: mode := active");
}

TEST_F(CommandsOnSimulator, ANewNetworkNumberMovesTheSensor) {
    ASSERT_NO_FATAL_FAILURE(start());
    w.Opros_Click();
    tick();
    tick();
    ASSERT_EQ(addresses(), "1 2 5");
    ASSERT_NO_FATAL_FAILURE(select_net("2"));
    tick();  // sends the identity request of 2 (the one of 1 is dropped: the address changed)
    dialogs.inputs = {"77"};
    w.net_Click();
    tick();  // reads 2's identity, sends the new number
    EXPECT_EQ(w.sn->text(), "152026");
    w.Opros_Click();
    tick();
    EXPECT_EQ(status(), " Установлен сетевой номер.");
    tick();
    EXPECT_EQ(addresses(), "1 5 77");
    EXPECT_EQ(log_until("-- sensor 2 moved").back(), "-- sensor 2 moved to address 77");
    EXPECT_EQ(received(log_until("<- 31 FF")).back(), "31 FF DC");
}

TEST_F(CommandsOnSimulator, LevelsModeAndSerialNumberOfTheSelectedSensor) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(select_net("1"));
    tick();  // the address changed: its identity request replaces the table read
    w.low_Click();
    w.low_Click();
    tick();  // reads the identity, sends both frames in one write
    EXPECT_EQ(w.sn->text(), "151013");
    w.hig_Click();
    tick();
    EXPECT_EQ(status(), " Установлен нижний уровень.");
    w.R_a->setChecked(true);
    w.iinv->setChecked(true);
    w.usredn->setChecked(true);
    w.Set_mode_Click();
    tick();
    EXPECT_EQ(status(), " Установлен верхний уровень.");
    w.R485->setChecked(true);  // the reply, not these, decides what is shown
    w.iinv->setChecked(false);
    w.usredn->setChecked(false);
    dialogs.inputs = {"2000000"};
    w.InstSN_Click();
    tick();
    EXPECT_EQ(status(), " Установлен новый режим.");
    EXPECT_TRUE(w.R_a->isChecked());
    EXPECT_TRUE(w.iinv->isChecked());
    EXPECT_TRUE(w.usredn->isChecked());
    w.CmbNet_Change();  // the operator retypes the address: its identity is asked again
    tick();
    EXPECT_EQ(status(), "Установлен серийный номер.");
    tick();
    EXPECT_EQ(w.sn->text(), "2000000");

    const Lines log = log_until("-- sensor 1: serial number := 2000000");
    EXPECT_EQ(received(log), Lines({"31 01 FC 66", "31 01 FA BB", "31 01 FA BB", "31 01 F5 FA", "31 01 F2 0B 44",
                                    "31 01 F6 00 1E 84 80 02"}));
    EXPECT_EQ(starting_with(log, "-- sensor 1: lower level := ").size(), 2u);
    EXPECT_EQ(starting_with(log, "-- sensor 1: upper level := ").size(), 1u);
    EXPECT_EQ(starting_with(log, "-- sensor 1: mode := "), Lines({"-- sensor 1: mode := 11"}));
}

TEST_F(CommandsOnSimulator, IndicatorCheckAndManualRequests) {
    ASSERT_NO_FATAL_FAILURE(start());
    w.prov_ind_Click();
    EXPECT_EQ(w.prov_ind->text(), "СТОП");
    for (int i = 0; i < 4; ++i) tick();
    const Lines shown = log_until("-- display: indicator shows level 30");
    EXPECT_EQ(received(shown), Lines({"3E 01 06 00 00 00 12 18 E8", "3E 02 06 00 0A 00 12 18 B4",
                                      "3E 03 06 00 14 00 12 18 A4", "3E 04 06 00 1E 00 12 18 0C"}));
    EXPECT_EQ(starting_with(shown, "-- display: indicator"),
              Lines({"-- display: indicator shows level 0 for sensor 1",
                     "-- display: indicator shows level 10 for sensor 2",
                     "-- display: indicator shows level 20 for sensor 3",
                     "-- display: indicator shows level 30 for sensor 4"}));

    w.prov_ind_Click();
    EXPECT_EQ(w.prov_ind->text(), "Проверка");
    w.zzaapp_Click();
    tick();  // Q alone: the stopped check no longer replaces what is pending
    w.chis1->setText("0");
    w.send_zap_Click();
    tick();
    const Lines q = log_until("<- 31 FB 32 06 00 97");
    const Lines manual = log_until("<- 31 01 23");
    const Lines last = log_until("<- 31 FB 32 06 00 97");
    EXPECT_EQ(received(q), Lines({"31 FB 32 06 00 97"}));
    Lines burst = received(manual);
    burst.push_back(received(last).back());
    EXPECT_EQ(burst, Lines({"31 FB 32 06 00 97", "31 01 23 14 00 00 00 00 00 00 05 00 00 30 39 07 90",
                            "31 FB 32 06 00 97"}));
    EXPECT_EQ(byte_count(burst), 29u);
    EXPECT_TRUE(starting_with(manual, "skipped").empty() && starting_with(last, "skipped").empty());
}

}  // namespace
