// The port box: its entries, its tooltip and a port put into it from the command line.

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QSerialPortInfo>

#include "console/frm_serial.h"
#include "serial/port_system.h"
#include "support/hand_ticks.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_line.h"

namespace {

const QStringList com_ports{"COM1:", "COM2:", "COM3:", "COM4:", "COM5:", "COM6:", "COM7:", "COM8:", "COM9:"};

QStringList entries(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
    return texts;
}

class WindowPortsTest : public ::testing::Test {
protected:
    // The system's ports come from a thread of their own, through the event loop.
    void await_system_ports() {
        QEventLoop loop;
        QObject::connect(&w, &frmSerial::system_ports_listed, &loop, &QEventLoop::quit);
        loop.exec();
    }

    ScriptedDialogs dialogs;
    ScriptedLine line;
    frmSerial w{dialogs, line};
};

}  // namespace

TEST(PortEntries, SystemPortsFollowTheComPortsSortedAndOnceEach) {
    struct Row {
        QStringList system, appended;
    };
    const Row rows[] = {
        {{}, {}},
        {{"/dev/ttyUSB1", "/dev/ttyS0", "/dev/ttyUSB0"}, {"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"}},
        {{"/dev/ttyUSB0", "/dev/ttyACM0", "/dev/ttyUSB0"}, {"/dev/ttyACM0", "/dev/ttyUSB0"}},
        {{"COM3:", "/dev/ttyACM0"}, {"/dev/ttyACM0"}},  // already an entry
        {{"COM12", "COM3", "COM1"}, {"COM12"}},        // Windows: COM1 to COM9 are entries already
    };
    for (const Row& row : rows)
        EXPECT_EQ(frmSerial::port_entries(row.system), com_ports + row.appended) << row.system.join(' ').toStdString();
}

TEST_F(WindowPortsTest, StartsWithTheComPortsAndTakesTheSystemsPortsWhenListedKeepingWhatIsTyped) {
    EXPECT_EQ(entries(w.CmbPort), com_ports);
    EXPECT_EQ(w.CmbPort->currentIndex(), 0);
    EXPECT_EQ(w.CmbPort->toolTip(), "COM1:");
    w.CmbPort->setEditText(QStringLiteral("/dev/ttyUSB7"));
    await_system_ports();
    QStringList system;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) system << serial::listed_port_name(port);
    EXPECT_EQ(entries(w.CmbPort), frmSerial::port_entries(system));
    EXPECT_EQ(w.CmbPort->currentIndex(), 0);
    EXPECT_EQ(w.CmbPort->currentText(), "/dev/ttyUSB7");
}

TEST_F(WindowPortsTest, SetPortShowsThePortWithItsTooltipAndConnectOpensIt) {
    struct Row {
        QString port;
        int selected;  // the entry left selected
    };
    const Row rows[] = {
        {"/tmp/trelvik-line", 0},  // typed over the first entry
        {"COM3:", 2},
        {"/dev/ttyUSB7", 2},
    };
    await_system_ports();
    const QStringList before = entries(w.CmbPort);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.port.toStdString());
        w.set_port(row.port);
        EXPECT_EQ(w.CmbPort->currentText(), row.port);
        EXPECT_EQ(w.CmbPort->currentIndex(), row.selected);
        EXPECT_EQ(w.CmbPort->toolTip(), row.port);
        hand_ticks::press_connect(w);
        EXPECT_EQ(line.opened_port, row.port);
        w.BTNCloseCom_Click();
    }
    EXPECT_EQ(entries(w.CmbPort), before) << "a typed port is not added to the list";
}
