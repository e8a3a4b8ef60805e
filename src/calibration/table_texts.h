#pragma once
// The table as the grid shows it, turned into a table that can be sent. Every box
// must hold a number its field can carry; the first one that does not is named, and
// no table is made, so a bad box never reaches the line as a half-written table.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "calibration/table_frame.h"
#include "protocol/translatable.h"

namespace calibration {

struct TableTexts {
    std::string net;  // the slot's network number
    bool switched_off = false;
    std::array<std::string, table_points> values;  // rows 1..40
    std::array<std::string, table_points> litres;
};

struct FieldError {
    enum class Column { net, values, litres };
    Column column = Column::net;
    int row = 0;  // 1..40; 0 for the network number
    std::int32_t max = 0;  // the accepted range is 0..max
};

inline constexpr std::int32_t max_net = 255;
inline constexpr std::int32_t max_value = 32767;  // what the grid sends as a sensor value
inline constexpr std::int32_t max_litres = 65535;
// A two-byte field as the unit holds it and sends it: table files and backups keep the
// whole range, so that everything read from a unit can be written back unchanged.
inline constexpr std::int32_t max_field = 65535;

// Boxes are checked in the order the frame carries them: the network number, the
// sensor values, then the litres.
std::variant<CalibrationTable, FieldError> table_from_texts(const TableTexts& texts,
                                                            std::string_view decimal_separator);

// What the grid's table was taken for when a box stopped it: written to the unit, or
// saved to a file.
enum class TableUse { write, save };

// The operator's message for a box that cannot be taken: "Таблица не записана. Литры,
// строка 17: введите число в диапазоне 0....65535" ("Таблица не сохранена." for a save).
protocol::Text field_error_message(const FieldError& error, TableUse use = TableUse::write);

// The test pattern of the hidden "Зап.Форму" button: 103, 206, ... 4120 down both columns.
std::string test_pattern_text(std::size_t k);

}  // namespace calibration
