#include <gtest/gtest.h>

#include <functional>

#include "calibration/table_checks.h"
#include "support/rising_table.h"

using namespace calibration;

namespace {

void set_row(CalibrationTable& t, int row, std::uint16_t value, std::uint16_t litres) {
    t.values[static_cast<std::size_t>(row - 1)] = value;
    t.litres[static_cast<std::size_t>(row - 1)] = litres;
}

constexpr auto values = OrderBreak::Kind::values_not_rising;
constexpr auto litres = OrderBreak::Kind::litres_falling;

}  // namespace

TEST(OrderBreaks, NameEveryPairOfRowsOutOfOrder) {
    const struct {
        const char* what;
        std::function<void(CalibrationTable&)> change;
        std::vector<OrderBreak> expected;
    } cases[] = {
        {"a rising table", [](CalibrationTable&) {}, {}},
        {"a tail repeating the last point",
         [](CalibrationTable& t) {
             for (int row = 31; row <= 40; ++row) set_row(t, row, 3000, 1500);
         },
         {}},
        {"equal litres on rising values", [](CalibrationTable& t) { set_row(t, 6, 600, 250); }, {}},
        {"litres falling in one row", [](CalibrationTable& t) { set_row(t, 17, 1700, 16); }, {{litres, 16, 800, 16}}},
        {"a value falling", [](CalibrationTable& t) { set_row(t, 11, 100, 550); }, {{values, 10, 1000, 100}}},
        {"one value for two contents", [](CalibrationTable& t) { set_row(t, 21, 2000, 1050); },
         {{values, 20, 2000, 2000}}},
        {"a repeated value with falling litres, values first",
         [](CalibrationTable& t) { set_row(t, 21, 2000, 900); },
         {{values, 20, 2000, 2000}, {litres, 20, 1000, 900}}},
        {"a tail of zeros",
         [](CalibrationTable& t) {
             for (int row = 11; row <= 40; ++row) set_row(t, row, 0, 0);
         },
         {{values, 10, 1000, 0}, {litres, 10, 500, 0}}},
        {"the last pair", [](CalibrationTable& t) { set_row(t, 40, 3800, 1950); }, {{values, 39, 3900, 3800}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CalibrationTable t = rising_table(50, 0);
        c.change(t);
        EXPECT_EQ(order_breaks(t), c.expected);
    }
}
