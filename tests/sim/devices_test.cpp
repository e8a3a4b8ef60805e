#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>

#include "calibration/table_frame.h"
#include "line.h"
#include "options.h"
#include "protocol/commands.h"
#include "protocol/crc.h"

using namespace sim;

namespace {

// Sensor 5 with round numbers: level 2048 sits halfway between its levels.
SensorState fixed_sensor() {
    SensorState s;
    s.address = 5;
    s.serial = 0x123456;
    s.version_digits = 152;
    s.version_prefix = 3;
    s.temperature = -5;
    s.lower = 1000;
    s.upper = 5095;
    s.reading = 3048;
    s.k = 0x1234;
    s.mode = 0x0B;
    return s;
}

std::optional<Bytes> ask(Sensor& sensor, const Bytes& request) {
    Notes notes;
    return sensor.answer(request, notes);
}

std::optional<Bytes> ask(DisplayUnit& unit, const Bytes& request) {
    Notes notes;
    return unit.answer(request, notes);
}

LineConfig quiet_line() {
    LineConfig c;
    c.drift = false;
    return c;
}

// The answers of one frame, joined as the console would read them.
Bytes answers(Line& line, const Bytes& request) {
    Bytes all;
    for (const Burst& b : line.receive(request).bursts) protocol::append(all, b.bytes);
    return all;
}

}  // namespace

TEST(SimSensor, AnswersByteForByte) {
    struct Row {
        Bytes request, reply;
    };
    const Row rows[] = {
        {{0x31, 0x05, 0xF0, 0xFE},
         {0x3E, 0x05, 0xF0, 0xFB, 0x00, 0x08, 0xE8, 0x0B, 0x00, 0x00, 0xE8, 0x03,
          0x00, 0x00, 0xE7, 0x13, 0x00, 0x00, 0x34, 0x12, 0x0B, 0x1C}},
        {{0x31, 0x05, 0x06, 0x57}, {0x3E, 0x05, 0x06, 0xFB, 0x00, 0x08, 0xE8, 0x0B, 0xEE}},
        {{0x31, 0x05, 0xFC, 0x5D}, {0x3E, 0x05, 0xFC, 0x56, 0x34, 0x12, 0x00, 0x98, 0x03, 0x01}},
        {{0x31, 0x05, 0xF2, 0x0B, 0xDA}, {0x3E, 0x05, 0xF2, 0x0B, 0x40}},
        {{0x31, 0x05, 0xF6, 0x00, 0x1E, 0x84, 0x80, 0xDE}, {0x3E, 0x05, 0xF6, 0x00, 0x1E, 0x84, 0x80, 0x9C}},
        {{0x31, 0x05, 0xFA, 0x80}, {0x3E, 0x05, 0xFA, 0xDF}},
        {{0x31, 0x05, 0xF5, 0xC1}, {0x3E, 0x05, 0xF5, 0x9E}},
        {{0x31, 0x05, 0xFB, 0x07, 0xCB}, {0x3E, 0x05, 0xFB, 0x07, 0x51}},
    };
    for (const Row& row : rows) {
        Sensor sensor(fixed_sensor());
        EXPECT_EQ(ask(sensor, row.request), row.reply) << "request code " << int{row.request[2]};
    }
}

TEST(SimSensor, LevelFollowsTheReadingBetweenTheLevels) {
    struct Row {
        std::uint32_t lower, upper, reading;
        std::uint16_t level;
    };
    const Row rows[] = {
        {1000, 5095, 3048, 2048}, {1000, 5095, 1000, 0},    {1000, 5095, 5095, 4095},
        {1000, 5095, 10, 0},      {1000, 5095, 99999, 4095}, {5095, 1000, 1000, 4095},  // taken the other way round
        {7, 7, 7, 0},                                                                    // not calibrated
    };
    for (const Row& row : rows) {
        SensorState s = fixed_sensor();
        s.lower = row.lower, s.upper = row.upper, s.reading = row.reading;
        EXPECT_EQ(level_of(s), row.level) << row.lower << ".." << row.upper << " at " << row.reading;
    }
}

TEST(SimSensor, SetCommandsTakeEffect) {
    Sensor sensor(fixed_sensor());
    ask(sensor, {0x31, 0x05, 0xFA, 0x80});
    EXPECT_EQ(sensor.state().lower, 3048u);
    EXPECT_EQ(level_of(sensor.state()), 0);
    ask(sensor, {0x31, 0x05, 0xF6, 0x00, 0x1E, 0x84, 0x80, 0xDE});
    EXPECT_EQ(sensor.state().serial, 2'000'000u);

    // Out of range: silent and unchanged.
    EXPECT_FALSE(ask(sensor, {0x31, 0x05, 0xF6, 0x00, 0x1E, 0x84, 0x81, 0x80}));
    EXPECT_EQ(sensor.state().serial, 2'000'000u);
    EXPECT_FALSE(ask(sensor, {0x31, 0x05, 0xFB, 0xC9, 0x1E}));
    EXPECT_EQ(sensor.address(), 5);
    // Commands it has no answer for.
    EXPECT_FALSE(ask(sensor, {0x31, 0x05, 0x23, 0x4B}));

    ask(sensor, {0x31, 0x05, 0xF2, 0x04, 0x9B});
    EXPECT_EQ(ask(sensor, {0x31, 0x05, 0xF0, 0xFE}).value().at(20), 0x04);
}

TEST(SimLine, MovedSensorAnswersAtItsNewAddressOnly) {
    LineConfig c = quiet_line();
    c.sensors = {5};
    Line line(c);
    EXPECT_EQ(answers(line, {0x31, 0x05, 0xFB, 0x07, 0xCB}), (Bytes{0x3E, 0x05, 0xFB, 0x07, 0x51}));
    EXPECT_TRUE(answers(line, {0x31, 0x05, 0xF0, 0xFE}).empty());
    const Bytes full = answers(line, Bytes{0x31, 0x07, 0xF0, protocol::crc8(Bytes{0x31, 0x07, 0xF0})});
    ASSERT_EQ(full.size(), 22u);
    EXPECT_EQ(full[1], 0x07);
    EXPECT_TRUE(protocol::crc_ok(full));
}

TEST(SimLine, SearchIsAnsweredWithBareAddressesInAscendingOrder) {
    LineConfig c = quiet_line();
    c.sensors = {9, 1, 5, 2};
    c.faults.mute = {2};
    Line line(c);
    const Outcome out = line.receive(Bytes{0x31, 0xFF, 0xDC});
    ASSERT_EQ(out.bursts.size(), 1u);
    EXPECT_EQ(out.bursts[0].bytes, (Bytes{0x01, 0x05, 0x09}));
}

TEST(SimDisplay, PasswordUnlocksAndOnlyThenMayBeChanged) {
    DisplayUnit unit(12345, false);
    const Bytes bad{0x31, 0xDE, 0xFD, 0x78};
    const Bytes set_999{0x3E, 0xDE, 0xF7, 0x00, 0x00, 0x03, 0xE7, 0x74};

    EXPECT_EQ(ask(unit, set_999), bad);
    EXPECT_EQ(ask(unit, {0x3E, 0xDE, 0xF8, 0x00, 0x00, 0x30, 0x3A, 0xC9}), bad);  // 12346
    EXPECT_FALSE(unit.unlocked());
    EXPECT_EQ(ask(unit, {0x3E, 0xDE, 0xF8, 0x00, 0x00, 0x30, 0x39, 0x2B}), (Bytes{0x31, 0xDE, 0xF8, 0x47}));
    EXPECT_TRUE(unit.unlocked());
    EXPECT_EQ(ask(unit, {0x3E, 0xDE, 0xF7, 0x77, 0x35, 0x94, 0x01, 0x28}), bad);  // above 2 000 000 000
    EXPECT_EQ(ask(unit, set_999), (Bytes{0x31, 0xDE, 0xF7, 0x06}));
    EXPECT_EQ(unit.password(), 999u);

    // A wrong password locks it again; the old one is wrong now, the new one right.
    EXPECT_EQ(ask(unit, {0x3E, 0xDE, 0xF8, 0x00, 0x00, 0x30, 0x39, 0x2B}), bad);
    EXPECT_EQ(ask(unit, set_999), bad);
    EXPECT_EQ(ask(unit, {0x3E, 0xDE, 0xF8, 0x00, 0x00, 0x03, 0xE7, 0x1B}), (Bytes{0x31, 0xDE, 0xF8, 0x47}));
}

TEST(SimDisplay, WrittenTableReadsBackUnchangedWithTheMode) {
    calibration::CalibrationTable table;
    table.net = 42;
    table.status = 0x00;
    for (std::size_t k = 0; k < calibration::table_points; ++k) {
        table.values[k] = static_cast<std::uint16_t>(32767 - 3 * k);
        table.litres[k] = static_cast<std::uint16_t>(65535 - 7 * k);
    }
    DisplayUnit unit(12345, false);
    EXPECT_EQ(ask(unit, {0x3E, 0xDE, 0xF2, 0x05, 0x87}), (Bytes{0x31, 0xDE, 0xF2, 0x05, 0x1D}));
    EXPECT_EQ(ask(unit, calibration::build_write_table(7, table)), (Bytes{0x31, 0xDE, 0xE0, 0x18}));

    const auto reply = ask(unit, calibration::build_read_table(7));
    ASSERT_TRUE(reply);
    ASSERT_EQ(reply->size(), calibration::table_frame_length);
    EXPECT_EQ((Bytes{reply->begin(), reply->begin() + 5}), (Bytes{0x31, 0xDE, 0xEE, 42, 0x00}));
    EXPECT_TRUE(protocol::crc_ok(*reply));
    const auto decoded = calibration::decode_table_reply(*reply);
    EXPECT_EQ(decoded.values, std::vector<std::uint16_t>(table.values.begin(), table.values.end()));
    EXPECT_EQ(decoded.litres, std::vector<std::uint16_t>(table.litres.begin(), table.litres.end()));
    EXPECT_EQ(decoded.mode, 0x05);

    // Other slots keep their own tables; there is no eleventh.
    EXPECT_NE(ask(unit, calibration::build_read_table(6)), reply);
    EXPECT_FALSE(ask(unit, calibration::build_read_table(10)));
    EXPECT_FALSE(ask(unit, calibration::build_write_table(10, table)));
}

TEST(SimDisplay, LockedTablesNeedThePasswordFirst) {
    DisplayUnit unit(12345, true);
    const Bytes write = calibration::build_write_table(0, {});
    EXPECT_EQ(ask(unit, write), (Bytes{0x31, 0xDE, 0xFD, 0x78}));
    EXPECT_NE(unit.table(0), calibration::CalibrationTable{});
    ask(unit, {0x3E, 0xDE, 0xF8, 0x00, 0x00, 0x30, 0x39, 0x2B});
    EXPECT_EQ(ask(unit, write), (Bytes{0x31, 0xDE, 0xE0, 0x18}));
    EXPECT_EQ(unit.table(0), calibration::CalibrationTable{});
}

TEST(SimDisplay, BadStoreConfirmsTheWriteButStoresRow40sLitresOffByOne) {
    struct Row {
        std::uint16_t written, stored;
    };
    const Row rows[] = {{1000, 1001}, {65535, 65534}};
    const std::string_view args[] = {"--bad-store", "--no-drift"};
    const LineConfig config = std::get<Options>(parse_options(args)).line;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.written);
        Line line(config);
        calibration::CalibrationTable table = line.display().table(3);
        table.litres.back() = row.written;
        const Outcome write = line.receive(calibration::build_write_table(3, table));
        ASSERT_EQ(write.bursts.size(), 1u);
        EXPECT_EQ(write.bursts[0].bytes, (Bytes{0x31, 0xDE, 0xE0, 0x18}));
        const std::string note = "display: table of Sensor 4 stored with row 40's litres changed to " +
                                 std::to_string(row.stored);
        EXPECT_NE(std::find(write.notes.begin(), write.notes.end(), note), write.notes.end());

        table.litres.back() = row.stored;
        const auto read = calibration::decode_table_reply(answers(line, calibration::build_read_table(3)));
        EXPECT_EQ(read.net, table.net);
        EXPECT_EQ(read.status, table.status);
        EXPECT_EQ(read.values, std::vector<std::uint16_t>(table.values.begin(), table.values.end()));
        EXPECT_EQ(read.litres, std::vector<std::uint16_t>(table.litres.begin(), table.litres.end()));
    }
}

TEST(SimLine, IndicatorFramesAreShownNotAnswered) {
    Line line(quiet_line());
    const Outcome out = line.receive(Bytes{0x3E, 0x02, 0x06, 0x00, 0xFC, 0x03, 0x12, 0x18,
                                           protocol::crc8(Bytes{0x3E, 0x02, 0x06, 0x00, 0xFC, 0x03, 0x12, 0x18})});
    EXPECT_TRUE(out.bursts.empty());
    ASSERT_EQ(out.notes.size(), 1u);
    EXPECT_NE(out.notes[0].find("level 1020 for sensor 2"), std::string::npos) << out.notes[0];
}

TEST(SimLine, FaultsShapeTheAnswers) {
    const Bytes poll_1{0x31, 0x01, 0xF0, 0xC5};
    auto outcome = [&](auto set_fault) {
        LineConfig c = quiet_line();
        set_fault(c.faults);
        return Line(c).receive(poll_1);
    };

    const auto bad = outcome([](Faults& f) { f.bad_crc = {1}; });
    ASSERT_EQ(bad.bursts.size(), 1u);
    EXPECT_EQ(bad.bursts[0].bytes.size(), 22u);
    EXPECT_FALSE(protocol::crc_ok(bad.bursts[0].bytes));

    EXPECT_EQ(outcome([](Faults& f) { f.truncate[1] = std::nullopt; }).bursts.at(0).bytes.size(), 11u);
    EXPECT_EQ(outcome([](Faults& f) { f.truncate[1] = 3; }).bursts.at(0).bytes.size(), 3u);
    EXPECT_TRUE(outcome([](Faults& f) { f.mute = {1}; }).bursts.empty());
    EXPECT_EQ(outcome([](Faults& f) { f.truncate[2] = 3; }).bursts.at(0).bytes.size(), 22u);  // other address

    const auto split = outcome([](Faults& f) {
        f.split[1] = 5;
        f.split_gap = milliseconds{45};
    });
    ASSERT_EQ(split.bursts.size(), 2u);
    EXPECT_EQ(split.bursts[0].bytes.size(), 5u);
    EXPECT_EQ(split.bursts[1].bytes.size(), 17u);
    EXPECT_EQ(split.bursts[1].silence_before, milliseconds{45});

    const auto noisy = outcome([](Faults& f) { f.garbage = 7; });
    ASSERT_EQ(noisy.bursts.size(), 2u);
    EXPECT_TRUE(protocol::crc_ok(noisy.bursts[0].bytes));
    EXPECT_EQ(noisy.bursts[1].bytes.size(), 7u);
    EXPECT_GE(noisy.bursts[1].silence_before, milliseconds{21});  // a separate read for the console

    LineConfig c = quiet_line();
    c.faults.mute = {protocol::display_address};
    EXPECT_TRUE(Line(c).receive(calibration::build_read_table(0)).bursts.empty());
}
