#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSerialPort>
#include <chrono>
#include <numeric>
#include <thread>

#include "serial/serial_port.h"
#include "support/pty_pair.h"

using namespace std::chrono_literals;
using protocol::Bytes;

namespace {

const QString line_settings = "19200,n,8,1";

Bytes all_byte_values(std::size_t n) {
    Bytes bytes(n);
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<protocol::Byte>(i);
    return bytes;
}

class SerialPortTest : public testing::Test {
protected:
    void SetUp() override {
        const auto opened = serial::SerialPort::OpenCom(QString::fromStdString(line.slave_path), line_settings);
        ASSERT_TRUE(opened.opened) << opened.message.toStdString();
    }
    void TearDown() override { serial::SerialPort::CloseCom(); }

    PtyPair line;
};

}  // namespace

TEST_F(SerialPortTest, EveryByteValuePassesBothWaysUnchanged) {
    const Bytes sent = all_byte_values(256);
    EXPECT_EQ(serial::SerialPort::WriteCom(sent), 256);
    EXPECT_EQ(line.receive(256), sent);

    // 300 waiting bytes come back as 255 and then the remaining 45.
    Bytes waiting = all_byte_values(256);
    waiting.insert(waiting.end(), {0x00, 0x0D, 0x0A, 0x11, 0x13, 0x1A, 0x7F, 0xFF});
    waiting.resize(300, 0x0D);
    line.send(waiting);
    const Bytes first = serial::SerialPort::ReadCom();
    const Bytes second = serial::SerialPort::ReadCom();
    ASSERT_EQ(first.size(), 255u);
    ASSERT_EQ(second.size(), 45u);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), waiting.begin()));
    EXPECT_TRUE(std::equal(second.begin(), second.end(), waiting.begin() + 255));
}

TEST_F(SerialPortTest, LongWritesReturnTheFullCount) {
    for (std::size_t n : {0u, 1u, 255u, 256u, 600u}) {
        Bytes sent(n);
        std::iota(sent.begin(), sent.end(), protocol::Byte{7});
        EXPECT_EQ(serial::SerialPort::WriteCom(sent), static_cast<int>(n));
        EXPECT_EQ(line.receive(n), sent) << n;
    }
}

TEST_F(SerialPortTest, GapOfMoreThan20msSplitsAReply) {
    const Bytes head{0x3E, 0x01, 0xF0, 0x19}, tail{0x34, 0x12, 0x00, 0x00};
    std::thread device([&] {
        line.send(head);
        std::this_thread::sleep_for(30ms);  // the gap under test
        line.send(tail);
    });
    const Bytes first = serial::SerialPort::ReadCom();
    const Bytes second = serial::SerialPort::ReadCom();
    device.join();
    EXPECT_EQ(first, head);
    EXPECT_EQ(second, tail);
}

TEST_F(SerialPortTest, ShortGapsKeepAReplyTogether) {
    std::thread device([&] {
        for (protocol::Byte b = 0; b < 8; ++b) {
            line.send(Bytes{b});
            std::this_thread::sleep_for(2ms);
        }
    });
    const Bytes got = serial::SerialPort::ReadCom();
    device.join();
    EXPECT_EQ(got, all_byte_values(8));
}

TEST_F(SerialPortTest, IdleReadGivesUpAfterTheTotalTimeout) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(serial::SerialPort::ReadCom().empty());
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, 250ms);
    EXPECT_LT(waited, 1s);
}

TEST_F(SerialPortTest, ClosedPortReadsNothingAndWritesNothing) {
    EXPECT_TRUE(serial::SerialPort::CloseCom());
    EXPECT_FALSE(serial::SerialPort::IsOpen());
    line.send(Bytes{1, 2, 3});
    EXPECT_TRUE(serial::SerialPort::ReadCom().empty());
    EXPECT_EQ(serial::SerialPort::WriteCom(Bytes{1, 2, 3}), 0);
    EXPECT_FALSE(serial::SerialPort::CloseCom());
}

TEST_F(SerialPortTest, ReopeningClosesTheEarlierPortFirst) {
    PtyPair other;
    ASSERT_TRUE(serial::SerialPort::OpenCom(QString::fromStdString(other.slave_path), line_settings).opened);
    // The first line is free again: another program may take it.
    QSerialPort first(QString::fromStdString(line.slave_path));
    EXPECT_TRUE(first.open(QIODevice::ReadWrite));
    EXPECT_EQ(serial::SerialPort::WriteCom(Bytes{0x42}), 1);
    EXPECT_EQ(other.receive(1), Bytes{0x42});
}

// The command-line tool runs no event loop: a read or a write that meets a line gone away
// must let go of the port by itself, and a program that polls for hours must not pile up
// what the port tells on its way.
TEST_F(SerialPortTest, ReadOrWriteOnALostLineLetsGoOfThePort) {
    for (const bool by_write : {true, false}) {
        SCOPED_TRACE(by_write ? "write" : "read");
        PtyPair other;
        ASSERT_TRUE(serial::SerialPort::OpenCom(QString::fromStdString(other.slave_path), line_settings).opened);
        other.hang_up();
        if (by_write)
            EXPECT_LT(serial::SerialPort::WriteCom(Bytes{1, 2, 3, 4}), 4);
        else
            EXPECT_TRUE(serial::SerialPort::ReadCom().empty());
        EXPECT_TRUE(serial::SerialPort::Lost());
        EXPECT_EQ(serial::SerialPort::WriteCom(Bytes{1, 2, 3, 4}), 0);
        EXPECT_FALSE(serial::SerialPort::IsOpen()) << "let go of by the next call";
        EXPECT_TRUE(serial::SerialPort::Lost());
        EXPECT_TRUE(serial::SerialPort::CloseCom()) << "the handle stays until the owner closes it";
        EXPECT_FALSE(serial::SerialPort::Lost());
    }
}

TEST_F(SerialPortTest, WaitsWithoutAnEventLoopLeaveNothingPosted) {
    struct Count final : QObject {
        int events = 0;
        bool eventFilter(QObject*, QEvent*) override { return ++events, false; }
    } delivered;
    QCoreApplication::sendPostedEvents();  // whatever came before
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(serial::SerialPort::ReadCom().empty());  // a dozen waits run out in each
        line.send(Bytes{0x3E, 0x01});
        EXPECT_EQ(serial::SerialPort::ReadCom().size(), 2u);
        EXPECT_EQ(serial::SerialPort::WriteCom(Bytes{1, 2, 3}), 3);
        serial::SerialPort::DiscardInput();
    }
    QCoreApplication::instance()->installEventFilter(&delivered);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::instance()->removeEventFilter(&delivered);
    EXPECT_EQ(delivered.events, 0);
}

// A line that went away keeps its descriptor ready for ever; a port left idle under an
// event loop (the window's line thread between ticks) must let go of it there, or the
// loop spins on it.
TEST_F(SerialPortTest, LostLineIsLetGoOfByTheEventLoop) {
    line.hang_up();
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (serial::SerialPort::IsOpen() && std::chrono::steady_clock::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    EXPECT_FALSE(serial::SerialPort::IsOpen());
    EXPECT_EQ(serial::SerialPort::WriteCom(Bytes{1, 2, 3, 4}), 0);
    EXPECT_TRUE(serial::SerialPort::CloseCom()) << "the handle stays until the owner closes it";
}

TEST(SerialPortOpen, PortHeldByAnotherProgramIsRefusedWithOneMessage) {
    PtyPair line;
    QSerialPort holder(QString::fromStdString(line.slave_path));
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    const QString port = QString::fromStdString(line.slave_path);
    const auto refused = serial::SerialPort::OpenCom(port, line_settings);
    EXPECT_FALSE(refused.opened);
    EXPECT_EQ(refused.message, "Com Port " + port + " недоступен. Установите нужный порт.");
    EXPECT_TRUE(refused.exclamation);
    EXPECT_FALSE(serial::SerialPort::IsOpen());
}

TEST(SerialPortOpen, MissingDeviceAndBadSettings) {
    const auto missing = serial::SerialPort::OpenCom("/dev/no-such-serial-port", line_settings);
    EXPECT_FALSE(missing.opened);
    EXPECT_EQ(missing.message, "Com Port /dev/no-such-serial-port недоступен. Установите нужный порт.");

    PtyPair line;
    const auto bad = serial::SerialPort::OpenCom(QString::fromStdString(line.slave_path), "19200,x,8,1");
    EXPECT_FALSE(bad.opened);
    EXPECT_EQ(bad.message, "Unable to build Comm DCB 19200,x,8,1 Error: 22");
    EXPECT_FALSE(bad.exclamation);
    EXPECT_FALSE(serial::SerialPort::IsOpen());
    // The refused open left nothing behind: the port opens at once with good settings.
    EXPECT_TRUE(serial::SerialPort::OpenCom(QString::fromStdString(line.slave_path), line_settings).opened);
    serial::SerialPort::CloseCom();
}
