// The serial link against the device simulator: its read rules meet replies paced like
// a real 19200-baud line.

#include <gtest/gtest.h>

#include "calibration/table_frame.h"
#include "exchange/auto_request.h"
#include "network/search.h"
#include "protocol/crc.h"
#include "serial/serial_port.h"
#include "support/sim_process.h"

using protocol::Bytes;

namespace {

const Bytes poll_full_1{0x31, 0x01, 0xF0, 0xC5};

class SerialSimTest : public testing::Test {
protected:
    void open(std::vector<std::string> options) {
        sim.emplace(std::move(options));
        ASSERT_TRUE(serial::SerialPort::OpenCom(QString::fromStdString(sim->device()), "19200,n,8,1").opened);
    }
    void TearDown() override { serial::SerialPort::CloseCom(); }

    // Writes a request and reads until something arrives (the first reads may come up empty
    // while the device turns around).
    Bytes exchange(protocol::ByteView request) {
        EXPECT_EQ(serial::SerialPort::WriteCom(request), static_cast<int>(request.size()));
        return serial::SerialPort::ReadCom();
    }

    std::optional<SimProcess> sim;
};

}  // namespace

TEST_F(SerialSimTest, PacedRepliesComeInOneRead) {
    open({"--no-drift"});
    const Bytes full = exchange(poll_full_1);
    ASSERT_EQ(full.size(), 22u);
    EXPECT_EQ(full[0], 0x3E);
    EXPECT_TRUE(protocol::crc_ok(full));

    // 167 bytes take about 87 ms on the line, longer than the 20 ms gap, but without a gap.
    const Bytes table = exchange(calibration::build_read_table(2));
    ASSERT_EQ(table.size(), calibration::table_frame_length);
    EXPECT_TRUE(protocol::crc_ok(table));

    // The burst draws the short polls of sensors 1 and 2; sensor 3 is absent.
    const Bytes burst = exchange(exchange::auto_request_burst);
    ASSERT_EQ(burst.size(), 18u);
    EXPECT_EQ(burst[1], 0x01);
    EXPECT_EQ(burst[10], 0x02);
}

TEST_F(SerialSimTest, SplitReplyTakesTwoReads) {
    open({"--no-drift", "--split", "1:10", "--gap-ms", "30"});
    const Bytes head = exchange(poll_full_1);
    const Bytes tail = serial::SerialPort::ReadCom();
    EXPECT_EQ(head.size(), 10u);
    EXPECT_EQ(tail.size(), 12u);
    Bytes whole = head;
    protocol::append(whole, tail);
    EXPECT_TRUE(protocol::crc_ok(whole));
}

TEST_F(SerialSimTest, WritesFailOnceTheLineIsPulled) {
    open({"--no-drift", "--no-pace", "--close-after", "1"});
    EXPECT_EQ(exchange(poll_full_1).size(), 22u);
    ASSERT_TRUE(sim->line(std::chrono::seconds(2), "line closed"));
    EXPECT_LT(serial::SerialPort::WriteCom(poll_full_1), 4);
    EXPECT_TRUE(serial::SerialPort::ReadCom().empty());
}
