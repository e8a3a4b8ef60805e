// The window on a real serial link to the device simulator: ticks are driven by hand,
// and each tick's read waits for the simulator's answer to the previous tick.

#include <gtest/gtest.h>

#include "console/frm_serial.h"
#include "support/hand_ticks.h"
#include "support/scripted_dialogs.h"
#include "support/sim_process.h"

namespace {

class WindowOnSimulator : public ::testing::Test {
protected:
    SimProcess sim{{"--no-drift", "--no-pace"}};
    ScriptedDialogs dialogs;
    serial::SerialPortLine line;
    frmSerial w{dialogs, line};
    HandTicks hand{w};

    void TearDown() override { w.BTNCloseCom_Click(); }

    // The next frame the simulator logs as received, in its hexadecimal form.
    std::string next_received() {
        while (auto line = sim.line(std::chrono::seconds(5))) {
            const auto at = line->find("<- ");
            if (at != std::string::npos) return line->substr(at + 3);
        }
        return {};
    }

    void connect_to_simulator() {
        ASSERT_FALSE(sim.device().empty());
        w.CmbPort->setEditText(QString::fromStdString(sim.device()));
        hand_ticks::press_connect(w);
        ASSERT_TRUE(w.connected());
        ASSERT_TRUE(dialogs.messages.empty());
    }
};

TEST_F(WindowOnSimulator, ReadsASlotsTableIntoTheGrid) {
    w.Cmb_Datchik->setCurrentIndex(2);
    w.Cmb_Datchik_Click();
    connect_to_simulator();
    hand_ticks::tick(w);
    EXPECT_EQ(next_received(), "3E DE EE 02 A5") << "the pending table read goes out first";
    hand_ticks::tick(w);  // reads the table
    EXPECT_EQ(w.MsgCom->text(), "Sensor 3. Прочитана тарировочная таблица.");
    EXPECT_EQ(w.Text43->text(), "3");  // the simulator keeps slot s for network number s + 1
    EXPECT_FALSE(w.D_otkl->isChecked());
    EXPECT_EQ(w.Text44[0]->text(), "120");
    EXPECT_EQ(w.Text44[39]->text(), "4800");
    EXPECT_EQ(w.Text45[39]->text(), "1400");
    EXPECT_NE(w.Pic->fill_colour(), 0x808080u);
}

TEST_F(WindowOnSimulator, TheSelectedSensorsIdentityAndLiveValues) {
    connect_to_simulator();
    w.CmbNet->setCurrentIndex(w.CmbNet->findText(QStringLiteral("1")));
    w.block_Click();
    hand_ticks::tick(w);  // the pending table read
    hand_ticks::tick(w);  // the address changed: the serial-number request
    hand_ticks::tick(w);  // its reply; the full poll goes out
    EXPECT_EQ(w.sn->text(), "151013");
    EXPECT_EQ(w.vv->text(), "1.5.1.");
    hand_ticks::tick(w);  // the full poll's reply
    EXPECT_EQ(w.ne->text(), "1");
    EXPECT_NE(w.temp->text(), "0");
    const int level = w.uroven->text().toInt();
    EXPECT_TRUE(level > 0 && level <= 4095) << level;
}

TEST_F(WindowOnSimulator, DisconnectRestoresTheDesignState) {
    connect_to_simulator();
    hand_ticks::tick(w);
    w.BTNCloseCom_Click();
    EXPECT_FALSE(w.connected());
    EXPECT_FALSE(w.line_open());
    EXPECT_FALSE(w.CmbNet->isEnabled() || w.Opros->isEnabled() || w.uroven->isEnabled());
    EXPECT_TRUE(w.txtRec->isEnabled());
}

TEST(WindowWithoutLine, AFailedConnectShowsBothMessagesAndStartsNothing) {
    ScriptedDialogs dialogs;
    serial::SerialPortLine line;
    frmSerial w(dialogs, line);
    HandTicks hand{w};
    w.CmbPort->setEditText(QStringLiteral("/dev/trelvik-no-such-port"));
    hand_ticks::press_connect(w);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(dialogs.messages[1].text, "/dev/trelvik-no-such-port Not available!");
    EXPECT_FALSE(w.connected());
    EXPECT_FALSE(w.TMRComm->isActive());
    EXPECT_FALSE(w.CmbNet->isEnabled());
}

}  // namespace
