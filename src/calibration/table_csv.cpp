#include "table_csv.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <vector>

#include "protocol/byte_text.h"
#include "protocol/number_text.h"
#include "protocol/requests.h"

namespace calibration {

namespace {

using protocol::Text;

// The file's labels in one language. Russian ones are matched as written, English ones in
// any case.
struct Labels {
    std::string_view net;
    std::string_view off;
    std::string_view row;  // the header line's cells: row, value, litres
    std::string_view value;
    std::string_view litres;
    std::string_view header;
    std::string_view yes;
    std::string_view no;
};
constexpr Labels russian{"Сет. номер", "Отключен", "Строка", "Значения датчика", "Литры", "Строка;Значения датчика;Литры",
                         "да", "нет"};
constexpr Labels english{"Network number", "Switched off", "Row", "Sensor value", "Litres", "Row;Sensor value;Litres",
                         "yes", "no"};
constexpr std::string_view utf8_bom = "\xEF\xBB\xBF";

Text csv_text(const char* source, std::vector<Text::Arg> args = {}) { return {"TableCsv", source, std::move(args)}; }

constexpr FileField row_field{QT_TRANSLATE_NOOP("TableFile", "номер строки %1 вне диапазона %2....%3"),
                              QT_TRANSLATE_NOOP("TableFile", "номер строки: пусто"),
                              QT_TRANSLATE_NOOP("TableFile", "номер строки «%1» не число"), 1,
                              static_cast<std::int32_t>(table_points)};

bool same_letters(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// Whether `cell` is the label that `pick` takes from either language's labels.
bool is_label(std::string_view cell, std::string_view Labels::*pick) {
    return cell == russian.*pick || same_letters(cell, english.*pick);
}

bool is_utf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2) return false;
        i += length;
    }
    return true;
}

// The next line without its end (LF or CRLF); `text` moves past it.
std::string_view next_line(std::string_view& text) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

// The cells of one line, blanks around each removed and empty cells at the end
// dropped; a quoted cell may hold the separator, and "" in it stands for a quote.
// nullopt when a quote is left open.
std::optional<std::vector<std::string>> cells_of(std::string_view line, char separator) {
    std::vector<std::string> cells;
    std::string cell;
    bool in_quotes = false;
    const auto close_cell = [&] {
        cells.emplace_back(protocol::trim_blanks(cell));
        cell.clear();
    };
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (in_quotes) {
            if (c != '"')
                cell += c;
            else if (i + 1 < line.size() && line[i + 1] == '"')
                cell += line[++i];
            else
                in_quotes = false;
        } else if (c == '"' && protocol::trim_blanks(cell).empty()) {
            in_quotes = true;
            cell.clear();
        } else if (c == separator) {
            close_cell();
        } else {
            cell += c;
        }
    }
    if (in_quotes) return std::nullopt;
    close_cell();
    while (!cells.empty() && cells.back().empty()) cells.pop_back();
    return cells;
}

// A cell's text as a message shows it: a long one cut after 24 characters.
std::string shown(std::string_view cell) {
    constexpr std::size_t most = 24;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < cell.size(); ++i) {
        if ((static_cast<unsigned char>(cell[i]) & 0xC0) == 0x80) continue;  // inside a character
        if (++characters > most) return std::string(cell.substr(0, i)) + "…";
    }
    return std::string(cell);
}

// A number as the grid reads it, in any range.
std::optional<std::int32_t> as_number(const std::string& cell, char separator) {
    constexpr protocol::Range any{std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
    auto value = protocol::typed_number(cell, ".", any);
    if (!value && separator == ';') value = protocol::typed_number(cell, ",", any);
    return value;
}

// What is wrong with a line, and how to put it right when there is a way.
struct Wrong {
    Text what;
    Text remedy = {};
};

// A decimal comma cannot be told from the separator of a "," file: a spreadsheet quotes
// such a cell, a text editor splits it into two.
Text comma_remedy(const std::string& with_point) {
    return csv_text(QT_TRANSLATE_NOOP("TableCsv", "В файле с «,» между ячейками десятичная запятая не читается: "
                                                  "разделите ячейки знаком «;» или запишите %1"),
                    {with_point});
}

// How a cell that is no number becomes one, if it takes no more than a decimal point
// for a comma in a "," file or the removal of the blanks that spreadsheets put between
// groups of three digits ("1 000", with a space, a no-break space or a narrow one).
// Blanks anywhere else ("1 2") may part two numbers: no remedy is guessed for them.
Text number_remedy(std::string_view cell, char separator) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    std::string fixed;
    bool blanks = false;
    bool comma = false;
    for (std::size_t i = 0; i < cell.size(); ++i) {
        const std::string_view rest = cell.substr(i);
        std::size_t blank = 0;
        for (const std::string_view b : {" ", "\xC2\xA0", "\xE2\x80\xAF"})
            if (rest.starts_with(b)) blank = b.size();
        if (blank != 0) {
            const std::string_view group = rest.substr(blank);
            const bool digit_group = !fixed.empty() && digit(fixed.back()) && group.size() >= 3 && digit(group[0]) &&
                                     digit(group[1]) && digit(group[2]) && (group.size() == 3 || !digit(group[3]));
            if (!digit_group) return {};
            blanks = true;
            i += blank - 1;
        } else if (rest.front() == ',' && separator == ',') {
            comma = true;
            fixed += '.';
        } else {
            fixed += rest.front();
        }
    }
    if ((!blanks && !comma) || !as_number(fixed, separator)) return {};
    return comma ? comma_remedy(fixed) : csv_text(QT_TRANSLATE_NOOP("TableCsv", "Запишите число без пробелов: %1"), {fixed});
}

// The cell's number in the field's range, or what is wrong with the cell.
std::variant<std::int32_t, Wrong> number(const std::string& cell, char separator, const FileField& field) {
    if (cell.empty()) return Wrong{file_text(field.empty)};
    const auto value = as_number(cell, separator);
    if (!value) return Wrong{file_text(field.not_a_number, {shown(cell)}), number_remedy(cell, separator)};
    if (*value < field.min || *value > field.max) return Wrong{out_of_range(field, shown(cell))};
    return *value;
}

// A cell beyond the last one a line takes. In a "," file it is most likely the fraction
// of a number with a decimal comma, split off the cell before it.
Wrong extra_cell(const std::vector<std::string>& cells, std::size_t taken, char separator) {
    Wrong wrong{csv_text(QT_TRANSLATE_NOOP("TableCsv", "лишнее поле «%1»"), {shown(cells[taken])})};
    if (separator != ',' || taken == 0) return wrong;
    const std::string joined = cells[taken - 1] + "," + cells[taken];
    std::string with_point = joined;
    with_point[cells[taken - 1].size()] = '.';
    if (as_number(cells[taken - 1], separator) && as_number(with_point, separator))
        wrong.remedy = csv_text(QT_TRANSLATE_NOOP("TableCsv", "«%1» — одно число? В файле с «,» между ячейками десятичная "
                                                              "запятая не читается: разделите ячейки знаком «;» или запишите %2"),
                                {shown(joined), with_point});
    return wrong;
}

// The header line says which column is which: a file whose columns were moved in a
// spreadsheet would otherwise be read as a wrong table. Columns are taken by place, so
// other labels are refused rather than followed.
std::optional<Wrong> wrong_header(const std::vector<std::string>& cells, char separator) {
    if (cells.size() == 3 && is_label(cells[1], &Labels::value) && is_label(cells[2], &Labels::litres)) return std::nullopt;
    std::string line;
    for (const std::string& cell : cells) line.append(line.empty() ? "" : std::string(1, separator)).append(cell);
    const auto with = [separator](std::string_view header) {
        std::string text(header);
        std::replace(text.begin(), text.end(), ';', separator);
        return text;
    };
    Wrong wrong{csv_text(QT_TRANSLATE_NOOP("TableCsv", "подписи столбцов «%1»: ожидается «%2» (в английском файле «%3»)"),
                         {shown(line), with(russian.header), with(english.header)})};
    if (cells.size() == 3 && is_label(cells[1], &Labels::litres) && is_label(cells[2], &Labels::value))
        wrong.remedy = csv_text(QT_TRANSLATE_NOOP("TableCsv", "Столбцы значений датчика и литров переставлены: верните их на места."));
    return wrong;
}

// "строка 17", or, when the line holds a row of the table under another number,
// "строка файла 17 (строка таблицы 14)": a spreadsheet numbers the file's lines, the
// grid the table's rows.
Text place(int line, std::size_t row) {
    if (row == 0 || row == static_cast<std::size_t>(line))
        return csv_text(QT_TRANSLATE_NOOP("TableCsv", "строка %1"), {static_cast<long long>(line)});
    return csv_text(QT_TRANSLATE_NOOP("TableCsv", "строка файла %1 (строка таблицы %2)"),
                    {static_cast<long long>(line), static_cast<long long>(row)});
}

std::optional<bool> off_switch(const std::string& cell) {
    for (std::string_view yes : {"да", "Да", "ДА", "1"})
        if (cell == yes || same_letters(cell, english.yes)) return true;
    for (std::string_view no : {"нет", "Нет", "НЕТ", "0"})
        if (cell == no || same_letters(cell, english.no)) return false;
    return std::nullopt;
}

std::string list_of(const std::vector<std::size_t>& rows) {
    std::string text;
    for (const std::size_t row : rows) text += (text.empty() ? "" : ", ") + std::to_string(row);
    return text;
}

// The text in UTF-8 without its byte-order mark; `recoded` keeps a text that was in the
// Cyrillic code page.
std::string_view as_utf8(std::string_view text, std::string& recoded) {
    if (text.starts_with(utf8_bom)) {
        text.remove_prefix(utf8_bom.size());
    } else if (!is_utf8(text)) {
        recoded = protocol::windows1251_to_utf8(text);
        text = recoded;
    }
    return text;
}

}  // namespace

std::string write_table_csv(const CalibrationTable& table, CsvLabels in) {
    const Labels& labels = in == CsvLabels::english ? english : russian;
    // The byte-order mark tells spreadsheets on Windows that the file is UTF-8; without
    // it they read it in the system's code page and the labels come out garbled.
    std::string text(utf8_bom);
    text.append(labels.net).append(";").append(std::to_string(table.net)).append("\r\n");
    text.append(labels.off).append(";").append((table.status & slot_in_service) != 0 ? labels.no : labels.yes).append("\r\n");
    text.append(labels.header).append("\r\n");
    for (std::size_t k = 0; k < table_points; ++k)
        text.append(std::to_string(k + 1) + ";" + std::to_string(table.values[k]) + ";" +
                    std::to_string(table.litres[k]) + "\r\n");
    return text;
}

bool has_table_labels(std::string_view text) {
    std::string recoded;
    text = as_utf8(text, recoded);
    while (!text.empty()) {
        const std::string_view line = next_line(text);
        for (const char separator : {';', ','}) {
            const auto cells = cells_of(line, separator);
            if (cells && !cells->empty() &&
                (is_label(cells->front(), &Labels::net) || is_label(cells->front(), &Labels::off) ||
                 is_label(cells->front(), &Labels::row)))
                return true;
        }
    }
    return false;
}

std::variant<CalibrationTable, FileProblem> read_table_csv(std::string_view text) {
    std::string recoded;
    text = as_utf8(text, recoded);
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return FileProblem{{}, csv_text(QT_TRANSLATE_NOOP("TableCsv", "файл пуст"))};

    // The separator: declared by a first line "sep=;" as some spreadsheets write it, else
    // ";" when the first line that holds anything has one, else ",".
    char separator = ',';
    int line_no = 0;
    for (std::string_view rest = text; !rest.empty();) {
        const std::string_view line = protocol::trim_blanks(next_line(rest));
        ++line_no;
        if (line.empty()) continue;
        if (line.size() == 5 && line.starts_with("sep=")) {
            separator = line.back();
            text = rest;  // the declaration is skipped, its lines still counted
        } else {
            if (line.find(';') != std::string_view::npos) separator = ';';
            line_no = 0;
        }
        break;
    }

    CalibrationTable table;
    int net_line = 0;
    int off_line = 0;
    std::array<int, table_points> row_line{};  // the file's line that gave each row
    while (!text.empty()) {
        const std::string_view line = next_line(text);
        ++line_no;
        std::size_t row = 0;  // the table's row the line holds, once its number is read
        const auto refused = [&line_no, &row](Wrong wrong) {
            return FileProblem{place(line_no, row), std::move(wrong.what), std::move(wrong.remedy)};
        };
        const auto cells = cells_of(line, separator);
        if (!cells) return refused({csv_text(QT_TRANSLATE_NOOP("TableCsv", "не закрыта кавычка"))});
        if (cells->empty()) continue;
        const std::string& key = cells->front();
        if (is_label(key, &Labels::row)) {
            if (auto wrong = wrong_header(*cells, separator)) return refused(std::move(*wrong));
            continue;
        }

        const bool is_net = is_label(key, &Labels::net);
        if (is_net || is_label(key, &Labels::off)) {
            int& seen = is_net ? net_line : off_line;
            if (seen != 0)
                return refused({csv_text(QT_TRANSLATE_NOOP("TableCsv", "«%1» второй раз (первый раз в строке %2)"),
                                         {shown(key), static_cast<long long>(seen)})});
            if (cells->size() > 2) return refused(extra_cell(*cells, 2, separator));
            const std::string cell = cells->size() == 2 ? (*cells)[1] : std::string();
            if (is_net) {
                const auto net = number(cell, separator, net_field);
                if (const auto* wrong = std::get_if<Wrong>(&net)) return refused(*wrong);
                table.net = static_cast<Byte>(std::get<std::int32_t>(net));
            } else {
                const auto off = off_switch(cell);
                if (!off)  // named in both languages, as an unknown line is
                    return refused({csv_text(QT_TRANSLATE_NOOP("TableCsv", "отключен «%1»: ожидается %2, %3, 1 или 0 "
                                                                           "(в английском файле %4 или %5)"),
                                             {shown(cell), std::string(russian.yes), std::string(russian.no),
                                              std::string(english.yes), std::string(english.no)})});
                table.status = *off ? Byte{0} : slot_in_service;
            }
            seen = line_no;
            continue;
        }

        if (!as_number(key, separator)) {
            // Named in both languages: the file may well be in the other one.
            std::vector<Text::Arg> args{shown(key)};
            for (const Labels& l : {russian, english})
                for (const std::string_view label : {l.net, l.off, l.row}) args.emplace_back(std::string(label));
            return refused({csv_text(QT_TRANSLATE_NOOP("TableCsv", "неизвестная строка «%1»: ожидается номер строки "
                                                                   "таблицы, «%2», «%3» или «%4» (в английском файле "
                                                                   "«%5», «%6» или «%7»)"),
                                     std::move(args))});
        }
        const auto number_read = number(key, separator, row_field);
        if (const auto* wrong = std::get_if<Wrong>(&number_read)) return refused(*wrong);
        row = static_cast<std::size_t>(std::get<std::int32_t>(number_read));
        const std::size_t k = row - 1;
        if (row_line[k] != 0)
            return refused({csv_text(QT_TRANSLATE_NOOP("TableCsv", "номер %1 второй раз (первый раз в строке файла %2)"),
                                     {static_cast<long long>(row), static_cast<long long>(row_line[k])})});
        if (cells->size() > 3) return refused(extra_cell(*cells, 3, separator));
        const auto value = number(cells->size() > 1 ? (*cells)[1] : std::string(), separator, value_field);
        if (const auto* wrong = std::get_if<Wrong>(&value)) return refused(*wrong);
        const auto litres = number(cells->size() > 2 ? (*cells)[2] : std::string(), separator, litres_field);
        if (const auto* wrong = std::get_if<Wrong>(&litres)) return refused(*wrong);
        table.values[k] = static_cast<std::uint16_t>(std::get<std::int32_t>(value));
        table.litres[k] = static_cast<std::uint16_t>(std::get<std::int32_t>(litres));
        row_line[k] = line_no;
    }

    // The label in each language: %1 the Russian one, %2 the English one; each language
    // names its own.
    const auto labelled = [](const char* source, std::string_view Labels::*pick, std::vector<Text::Arg> more = {}) {
        std::vector<Text::Arg> args{std::string(russian.*pick), std::string(english.*pick)};
        args.insert(args.end(), more.begin(), more.end());
        return FileProblem{{}, csv_text(source, std::move(args))};
    };
    if (net_line == 0) return labelled(QT_TRANSLATE_NOOP("TableCsv", "нет строки «%1»"), &Labels::net);
    if (off_line == 0) return labelled(QT_TRANSLATE_NOOP("TableCsv", "нет строки «%1»"), &Labels::off);
    std::vector<std::size_t> missing;
    for (std::size_t k = 0; k < table_points; ++k)
        if (row_line[k] == 0) missing.push_back(k + 1);
    if (!missing.empty())
        return labelled(missing.size() == 1 ? QT_TRANSLATE_NOOP("TableCsv", "в столбце «%1» нет номера %3")
                                            : QT_TRANSLATE_NOOP("TableCsv", "в столбце «%1» нет номеров %3"),
                        &Labels::row, {list_of(missing)});
    return table;
}

}  // namespace calibration
