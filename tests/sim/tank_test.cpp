// The simulator's tank: the level a sensor in it reports as fuel is poured, and the
// commands that pour it.

#include <gtest/gtest.h>

#include <cmath>
#include <string_view>

#include "line.h"
#include "options.h"
#include "protocol/crc.h"

using namespace sim;

namespace {

// The level sensor 1 reports to a full poll at `seconds`.
int polled_level(Line& line, double seconds) {
    line.set_time(seconds);
    const protocol::Bytes request{0x31, 0x01, 0xF0, protocol::crc8(protocol::Bytes{0x31, 0x01, 0xF0})};
    const protocol::Bytes reply = line.receive(request).bursts.at(0).bytes;
    return reply.at(4) | reply.at(5) << 8;
}

}  // namespace

TEST(SimTank, LevelSloshesAfterAPourAndSettlesWhereTheFuelStands) {
    const std::string_view args[] = {"--no-drift", "--tank", "1:1000"};
    Line line(std::get<Options>(parse_options(args)).line);
    EXPECT_EQ(polled_level(line, 0), 0);
    // The first litres lie under the sensor's tip.
    line.set_time(1);
    line.tank_command("pour 4");
    EXPECT_EQ(polled_level(line, 10), 0);

    line.set_time(20);
    EXPECT_NE(line.tank_command("pour 496").find("500 of 1000 L"), std::string::npos);
    // Half the tank is half its height: a little less than half the sensor's span above its tip.
    const int settled = static_cast<int>(std::lround((0.5 - 0.03) / 0.97 * full_level));
    EXPECT_GT(std::abs(polled_level(line, 20.5) - settled), 50);
    EXPECT_LE(std::abs(polled_level(line, 27) - settled), 1);

    line.set_time(40);
    EXPECT_NE(line.tank_command("drain 600").find("drained 500 L (empty); 0 of 1000 L"), std::string::npos);
}

TEST(SimTank, CommandsAreReadAsTyped) {
    struct Row {
        std::string_view line;
        bool taken;
        TankCommand::Kind kind;
        double litres;
    };
    const Row rows[] = {
        {"pour 10", true, TankCommand::Kind::pour, 10},   {"  drain 2,5\r", true, TankCommand::Kind::drain, 2.5},
        {"status", true, TankCommand::Kind::status, 0},   {"pour", false, {}, 0},
        {"pour -3", false, {}, 0},                        {"pour 0", false, {}, 0},
        {"fill 3", false, {}, 0},                         {"pour 3 L", false, {}, 0},
    };
    const std::string_view two_tanks[] = {"--tank", "1:1000", "--tank", "2:500"};
    EXPECT_TRUE(std::holds_alternative<BadOptions>(parse_options(two_tanks))) << "standard input pours into one";
    for (const Row& row : rows) {
        const auto parsed = parse_tank_command(row.line);
        ASSERT_EQ(std::holds_alternative<TankCommand>(parsed), row.taken) << row.line;
        if (!row.taken) continue;
        EXPECT_EQ(std::get<TankCommand>(parsed).kind, row.kind) << row.line;
        EXPECT_EQ(std::get<TankCommand>(parsed).litres, row.litres) << row.line;
    }
}
