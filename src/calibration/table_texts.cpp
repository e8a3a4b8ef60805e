#include "table_texts.h"

#include "protocol/requests.h"

namespace calibration {

namespace {

using Column = FieldError::Column;

std::optional<std::uint16_t> field(const std::string& text, std::string_view separator, std::int32_t max) {
    const auto value = protocol::typed_number(text, separator, {0, max});
    if (!value) return std::nullopt;
    return static_cast<std::uint16_t>(*value);
}

}  // namespace

std::variant<CalibrationTable, FieldError> table_from_texts(const TableTexts& texts,
                                                            std::string_view decimal_separator) {
    CalibrationTable table;
    const auto net = field(texts.net, decimal_separator, max_net);
    if (!net) return FieldError{Column::net, 0, max_net};
    table.net = static_cast<Byte>(*net);
    table.status = texts.switched_off ? Byte{0} : slot_in_service;

    for (std::size_t k = 0; k < table_points; ++k) {
        const auto value = field(texts.values[k], decimal_separator, max_value);
        if (!value) return FieldError{Column::values, static_cast<int>(k) + 1, max_value};
        table.values[k] = *value;
    }
    for (std::size_t k = 0; k < table_points; ++k) {
        const auto litres = field(texts.litres[k], decimal_separator, max_litres);
        if (!litres) return FieldError{Column::litres, static_cast<int>(k) + 1, max_litres};
        table.litres[k] = *litres;
    }
    return table;
}

protocol::Text field_error_message(const FieldError& error, TableUse use) {
    // Whole sentences for each box and use, so that each language words them as one.
    static constexpr const char* texts[2][3] = {
        {QT_TRANSLATE_NOOP("TableTexts", "Таблица не записана. Сет. номер: введите число в диапазоне 0....%2"),
         QT_TRANSLATE_NOOP("TableTexts", "Таблица не записана. Значения датчика, строка %1: введите число в диапазоне 0....%2"),
         QT_TRANSLATE_NOOP("TableTexts", "Таблица не записана. Литры, строка %1: введите число в диапазоне 0....%2")},
        {QT_TRANSLATE_NOOP("TableTexts", "Таблица не сохранена. Сет. номер: введите число в диапазоне 0....%2"),
         QT_TRANSLATE_NOOP("TableTexts", "Таблица не сохранена. Значения датчика, строка %1: введите число в диапазоне 0....%2"),
         QT_TRANSLATE_NOOP("TableTexts", "Таблица не сохранена. Литры, строка %1: введите число в диапазоне 0....%2")},
    };
    const auto column = static_cast<std::size_t>(error.column);
    return {"TableTexts", texts[use == TableUse::save ? 1 : 0][column],
            {static_cast<long long>(error.row), static_cast<long long>(error.max)}};
}

std::string test_pattern_text(std::size_t k) { return std::to_string(103 * (k + 1)); }

}  // namespace calibration
