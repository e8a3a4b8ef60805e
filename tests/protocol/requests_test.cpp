#include <gtest/gtest.h>

#include "calibration/table_texts.h"
#include "language/language.h"
#include "protocol/commands.h"
#include "protocol/indicator_check.h"
#include "protocol/requests.h"

using namespace protocol;

TEST(Requests, SensorCommandsByteForByte) {
    EXPECT_EQ(sensor_request(5, cmd_set_low), (Bytes{0x31, 0x05, 0xFA, 0x80}));
    EXPECT_EQ(set_net_request(5, 200), (Bytes{0x31, 0x05, 0xFB, 0xC8, 0x40}));
    EXPECT_EQ(set_sn_request(5, 2'000'000), (Bytes{0x31, 0x05, 0xF6, 0x00, 0x1E, 0x84, 0x80, 0xDE}));
    EXPECT_EQ(set_mode_request(3, sensor_mode(Output::analog, true, true)), (Bytes{0x31, 0x03, 0xF2, 0x0B, 0x0B}));
    EXPECT_EQ(sensor_mode(Output::rs485, false, false), 0x00);
    EXPECT_EQ(sensor_mode(std::nullopt, true, false), 0x01);
    EXPECT_EQ(sensor_mode(Output::frequency, false, true), 0x0C);
}

TEST(Requests, DisplayUnitCommandsByteForByte) {
    EXPECT_EQ(display_mode_request(display_mode(true, true)), (Bytes{0x3E, 0xDE, 0xF2, 0x05, 0x87}));
    EXPECT_EQ(display_mode_request(display_mode(false, false)), (Bytes{0x3E, 0xDE, 0xF2, 0x00, 0xB8}));
    EXPECT_EQ(password_request(cmd_enter_password, 2'000'000'000),
              (Bytes{0x3E, 0xDE, 0xF8, 0x77, 0x35, 0x94, 0x00, 0x19}));
    EXPECT_EQ(password_request(cmd_set_password, 0), (Bytes{0x3E, 0xDE, 0xF7, 0x00, 0x00, 0x00, 0x00, 0x4B}));
}

TEST(Requests, OnlyAsksTellsAReadFromAChange) {
    EXPECT_TRUE(only_asks(Bytes{0x3E, 0xDE, 0xEE, 0x00, 0x19}));
    EXPECT_TRUE(only_asks(sensor_request(5, cmd_read_sn)));
    EXPECT_TRUE(only_asks(sensor_request(200, cmd_poll_full)));
    EXPECT_TRUE(only_asks(Bytes{0x31, 0xFF, 0xDC}));  // the search
    EXPECT_FALSE(only_asks(sensor_request(5, cmd_set_low)));
    EXPECT_FALSE(only_asks(display_mode_request(0)));
    EXPECT_FALSE(only_asks(Bytes{0x3E, 0xDE, 0xEE, 0x00, 0x18}));  // a wrong CRC
    Bytes two = sensor_request(5, cmd_read_sn);
    const Bytes set = sensor_request(5, cmd_set_high);
    two.insert(two.end(), set.begin(), set.end());
    EXPECT_FALSE(only_asks(two));  // a read with a change behind it
    EXPECT_FALSE(only_asks(Bytes{}));
}

TEST(Requests, TypedNumbersAcceptExactlyTheirRange) {
    struct Row {
        const char* text;
        Range range;
        std::optional<std::int32_t> expected;
    };
    const Row rows[] = {
        {"200", net_range, 200},           {"201", net_range, std::nullopt},  {"256", net_range, std::nullopt},
        {"0", net_range, 0},               {"-1", net_range, std::nullopt},   {"", net_range, std::nullopt},
        {"abc", net_range, std::nullopt},  {" 7 ", net_range, 7},             {"2.5", net_range, 2},
        {"3.5", net_range, 4},             {"2000000", serial_range, 2'000'000},
        {"2000001", serial_range, std::nullopt},
        {"2000000000", password_range, 2'000'000'000},
        {"2000000001", password_range, std::nullopt},
        {"9999", ext_value_range, 9999},   {"10000", ext_value_range, std::nullopt},
        {"-0.4", ext_value_range, 0},
    };
    for (const Row& row : rows) EXPECT_EQ(typed_number(row.text, ".", row.range), row.expected) << row.text;
    EXPECT_EQ(typed_number("2,5", ",", net_range), 2);
    EXPECT_EQ(typed_number("2.5", ",", net_range), std::nullopt);
}

TEST(IndicatorCheck, AddressesCycleAndValuesClimbAndWrap) {
    IndicatorCheck check;
    EXPECT_EQ(check.next_frame(false), (Bytes{0x3E, 0x01, 0x06, 0x00, 0x00, 0x00, 0x12, 0x18, 0xE8}));
    EXPECT_EQ(check.next_frame(false), (Bytes{0x3E, 0x02, 0x06, 0x00, 0x0A, 0x00, 0x12, 0x18, 0xB4}));
    check.next_frame(false);
    check.next_frame(false);
    const Bytes fifth = check.next_frame(false);
    EXPECT_EQ(fifth[1], 0x01);
    EXPECT_EQ((Bytes{fifth[4], fifth[5]}), (Bytes{0x28, 0x00}));

    while (check.value() != 1020) check.next_frame(false);
    const Bytes at_top = check.next_frame(false);
    EXPECT_EQ((Bytes{at_top[4], at_top[5]}), (Bytes{0xFC, 0x03}));
    const Bytes wrapped = check.next_frame(false);
    EXPECT_EQ((Bytes{wrapped[4], wrapped[5]}), (Bytes{0x00, 0x00}));
}

TEST(IndicatorCheck, HeldValueShowsFromTheNextFrameAndResumesFrom910) {
    IndicatorCheck check;
    const Bytes first = check.next_frame(true);
    EXPECT_EQ((Bytes{first[4], first[5]}), (Bytes{0x00, 0x00}));
    for (int i = 0; i < 3; ++i) {
        const Bytes held = check.next_frame(true);
        EXPECT_EQ((Bytes{held[4], held[5]}), (Bytes{0x84, 0x03}));
    }
    check.next_frame(false);  // still 900, the value it was given before
    const Bytes resumed = check.next_frame(false);
    EXPECT_EQ(resumed[4] | resumed[5] << 8, 910);
}

namespace {

calibration::TableTexts pattern_texts() {
    calibration::TableTexts texts;
    texts.net = "13";
    for (std::size_t k = 0; k < calibration::table_points; ++k)
        texts.values[k] = texts.litres[k] = calibration::test_pattern_text(k);
    return texts;
}

}  // namespace

TEST(TableTexts, ThePatternBecomesTheKnownFrame) {
    const auto table = calibration::table_from_texts(pattern_texts(), ".");
    ASSERT_TRUE(std::holds_alternative<calibration::CalibrationTable>(table));
    const Bytes frame = calibration::build_write_table(0, std::get<calibration::CalibrationTable>(table));
    EXPECT_EQ((Bytes{frame.begin(), frame.begin() + 10}),
              (Bytes{0x3E, 0xDE, 0xEF, 0x00, 0x0D, 0x01, 0x00, 0x67, 0x00, 0xCE}));
    EXPECT_EQ((Bytes{frame.end() - 5, frame.end()}), (Bytes{0x0F, 0xB1, 0x10, 0x18, 0x72}));

    auto edges = pattern_texts();
    edges.switched_off = true;
    edges.values[0] = "32767";
    edges.litres[0] = "65535";
    edges.values[1] = "2.5";
    edges.values[2] = "3.5";
    const auto t = std::get<calibration::CalibrationTable>(calibration::table_from_texts(edges, "."));
    EXPECT_EQ(t.status, 0x00);
    EXPECT_EQ(t.values[0], 32767);
    EXPECT_EQ(t.litres[0], 65535);
    EXPECT_EQ(t.values[1], 2);
    EXPECT_EQ(t.values[2], 4);
}

TEST(TableTexts, TheFirstBoxThatCannotBeSentIsNamed) {
    using Column = calibration::FieldError::Column;
    struct Row {
        void (*spoil)(calibration::TableTexts&);
        Column column;
        int row;
        const char* message;
    };
    const Row rows[] = {
        {[](auto& t) { t.net = "256"; }, Column::net, 0,
         "Таблица не записана. Сет. номер: введите число в диапазоне 0....255"},
        {[](auto& t) { t.values[4] = "32768"; t.litres[0] = "x"; }, Column::values, 5,
         "Таблица не записана. Значения датчика, строка 5: введите число в диапазоне 0....32767"},
        {[](auto& t) { t.values[39] = "-1"; }, Column::values, 40, nullptr},
        {[](auto& t) { t.litres[16] = "65536"; }, Column::litres, 17,
         "Таблица не записана. Литры, строка 17: введите число в диапазоне 0....65535"},
        {[](auto& t) { t.litres[0] = ""; }, Column::litres, 1, nullptr},
        {[](auto& t) { t.litres[1] = "сто"; }, Column::litres, 2, nullptr},
    };
    for (const Row& row : rows) {
        auto texts = pattern_texts();
        row.spoil(texts);
        const auto result = calibration::table_from_texts(texts, ".");
        const auto* error = std::get_if<calibration::FieldError>(&result);
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->column, row.column);
        EXPECT_EQ(error->row, row.row);
        if (row.message) { EXPECT_EQ(language::worded(calibration::field_error_message(*error)).toStdString(), row.message); }
    }
}
